#pragma once

#include "platform/UserFolders.h"

#include <QString>

// Where every file of the program lives: per-user data folders below
// "Tervana FCS", and the resource folders beside the program.
class DataFolders {
public:
    explicit DataFolders(UserFolders folders);

    // Path of folder/name.extension by the folder rules; creates the folder when
    // the rules say so. An empty extension gives folder/name.
    QString DataPath(const QString& folder, const QString& name, const QString& extension) const;
    QString DataPath(int folderId, const QString& name, int extensionId) const;
    // The folder alone (created when the rules say so).
    QString FolderPath(const QString& folder) const;
    QString FolderPath(int folderId) const;

    const UserFolders& userFolders() const { return m_folders; }

private:
    enum class Base { LocalAppData, Documents, Program };
    static Base baseOf(const QString& folder, bool startupLog);
    QString folderPath(const QString& folder, Base base) const;

    UserFolders m_folders;
};
