#pragma once

#include "fcs/display/ImageLookup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A temporary program folder for picture lookups: copies the chosen generated
// pictures from the build's bin folder, so a test can leave some out.
class ProgramFolder {
public:
    ProgramFolder() { QDir(m_dir.path()).mkpath(QStringLiteral("images")); }
    ~ProgramFolder() { ImageLookup::SetProgramDir(QString()); }

    static QString binDir()
    {
        const QString dir = qEnvironmentVariable("TERVANA_BIN_DIR");
        return dir.isEmpty() ? ImageLookup::ProgramDir() : dir;
    }
    bool copy(const QString& fileName)
    {
        return QFile::copy(QDir(binDir()).filePath(QStringLiteral("images/") + fileName),
                           QDir(m_dir.path()).filePath(QStringLiteral("images/") + fileName));
    }
    QString imagePath(const QString& fileName) const
    {
        return QDir(m_dir.path()).filePath(QStringLiteral("images/") + fileName);
    }
    void use() const { ImageLookup::SetProgramDir(m_dir.path()); }

private:
    QTemporaryDir m_dir;
};

// Points picture lookups at the build's generated pictures for one test.
struct GeneratedPictures {
    GeneratedPictures() { ImageLookup::SetProgramDir(ProgramFolder::binDir()); }
    ~GeneratedPictures() { ImageLookup::SetProgramDir(QString()); }
};
