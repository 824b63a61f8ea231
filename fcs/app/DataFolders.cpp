#include "fcs/app/DataFolders.h"

#include "fcs/resources/StringTable.h"

#include <QDir>

namespace {
constexpr int kTervanaFcs = 276;
constexpr int kStartupDebugLog = 420;
constexpr int kMatchDebugLog = 416;
}

DataFolders::DataFolders(UserFolders folders) : m_folders(std::move(folders)) {}

DataFolders::Base DataFolders::baseOf(const QString& folder, bool startupLog)
{
    // Both debug-log folders are called "DebugLog"; the string number tells them apart.
    if (folder == Str(kMatchDebugLog) && !startupLog)
        return Base::LocalAppData;
    if (folder == Str(189) || folder == Str(278) || folder == Str(397))
        return Base::LocalAppData;
    if (folder == Str(265) || folder == Str(kStartupDebugLog))
        return Base::Documents;
    return Base::Program;
}

QString DataFolders::folderPath(const QString& folder, Base base) const
{
    QString root;
    switch (base) {
    case Base::LocalAppData: root = m_folders.localAppData; break;
    case Base::Documents: root = m_folders.documents; break;
    case Base::Program: return QDir(m_folders.programDir).filePath(folder);
    }
    if (root.isEmpty())
        root = m_folders.programDir;
    const QString path = QDir(QDir(root).filePath(Str(kTervanaFcs))).filePath(folder);
    QDir().mkpath(path);
    return path;
}

QString DataFolders::FolderPath(const QString& folder) const
{
    return folderPath(folder, baseOf(folder, false));
}

QString DataFolders::FolderPath(int folderId) const
{
    return folderPath(Str(folderId), baseOf(Str(folderId), folderId == kStartupDebugLog));
}

QString DataFolders::DataPath(const QString& folder, const QString& name,
                              const QString& extension) const
{
    const QString file = extension.isEmpty() ? name : name + QLatin1Char('.') + extension;
    return QDir(FolderPath(folder)).filePath(file);
}

QString DataFolders::DataPath(int folderId, const QString& name, int extensionId) const
{
    const QString extension = Str(extensionId);
    const QString file = extension.isEmpty() ? name : name + QLatin1Char('.') + extension;
    return QDir(FolderPath(folderId)).filePath(file);
}
