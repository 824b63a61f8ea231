#include "tools/assetgen/AssetWriter.h"

#include "tools/assetgen/GifWriter.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

bool AssetWriter::makeFolders()
{
    for (const char* folder : {"images", "sound", "misc"}) {
        if (!m_root.mkpath(QString::fromLatin1(folder))) {
            fail(QStringLiteral("cannot create folder %1").arg(m_root.filePath(QString::fromLatin1(folder))));
            return false;
        }
    }
    return true;
}

QString AssetWriter::path(const QString& folder, const QString& fileName) const
{
    return m_root.filePath(folder + QLatin1Char('/') + fileName);
}

void AssetWriter::fail(const QString& why)
{
    if (m_error.isEmpty())
        m_error = why;
}

void AssetWriter::png(const QString& name, const QImage& image)
{
    QByteArray data;
    {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) {
            fail(QStringLiteral("cannot encode %1.png").arg(name));
            return;
        }
    }
    bytes(QStringLiteral("images"), name + QStringLiteral(".png"), data);
}

void AssetWriter::gif(const QString& fileName, const QImage& image)
{
    const QByteArray data = EncodeGif(image);
    if (data.isEmpty()) {
        fail(QStringLiteral("cannot encode %1").arg(fileName));
        return;
    }
    bytes(QStringLiteral("images"), fileName, data);
}

void AssetWriter::bytes(const QString& folder, const QString& fileName, const QByteArray& data)
{
    const QString target = path(folder, fileName);
    // Unchanged files keep their time stamps, so nothing downstream rebuilds.
    QFile existing(target);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == data) {
        ++m_written;
        return;
    }
    existing.close();
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        fail(QStringLiteral("cannot write %1").arg(target));
        return;
    }
    ++m_written;
}
