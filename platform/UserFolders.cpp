#include "platform/UserFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

UserFolders UserFolders::fromSystem()
{
    UserFolders folders;
    // GenericDataLocation is ~/.local/share: the counterpart of local application data.
    folders.localAppData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    folders.documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    folders.programDir = QCoreApplication::applicationDirPath();
    return folders;
}
