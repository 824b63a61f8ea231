#pragma once

#include <QString>

// Where the program's resource files lie: folder/name.extension below the
// folder of the running program (the "images", "sound" and "misc" folders).
namespace ImageLookup {
// The program's folder; tests and tools may point it elsewhere.
QString ProgramDir();
void SetProgramDir(const QString& folder);

// Path of a resource file from string-table ids of folder, name and extension.
QString ResourcePath(int folderId, const QString& name, int extensionId);
// Path of a picture in the images folder: name.png.
QString ImagePath(const QString& name);
QString ImagePath(int nameId);
// Path of a file with its own extension in the images folder.
QString ImageFile(const QString& fileName);
}
