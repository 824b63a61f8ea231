#pragma once

#include <QString>

// The current user's folders and the program's own folder. An empty user
// folder means it could not be determined.
struct UserFolders {
    QString localAppData;
    QString documents;
    QString programDir;

    // Read from QStandardPaths and the running executable.
    static UserFolders fromSystem();
};
