#include "fcs/display/ImageLookup.h"

#include "fcs/display/DisplayPictureIds.h"
#include "fcs/resources/StringTable.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& overrideDir()
{
    static QString folder;
    return folder;
}
}

namespace ImageLookup {

QString ProgramDir()
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    return QCoreApplication::applicationDirPath();
}

void SetProgramDir(const QString& folder)
{
    overrideDir() = folder;
}

QString ResourcePath(int folderId, const QString& name, int extensionId)
{
    const QString file = name + QLatin1Char('.') + Str(extensionId);
    return QDir(QDir(ProgramDir()).filePath(Str(folderId))).filePath(file);
}

QString ImagePath(const QString& name)
{
    return ResourcePath(DisplayPictureIds::kImagesFolder, name, DisplayPictureIds::kImageExtension);
}

QString ImageFile(const QString& fileName)
{
    return QDir(QDir(ProgramDir()).filePath(Str(DisplayPictureIds::kImagesFolder))).filePath(fileName);
}

QString ImagePath(int nameId)
{
    return ImagePath(Str(nameId));
}

}
