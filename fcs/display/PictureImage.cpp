#include "fcs/display/PictureImage.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace {
QImage decode(QImageReader& reader)
{
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}
}

void CPictureImage::Clear()
{
    m_image = QImage();
    m_hasAlpha = false;
    m_decodedByName = false;
}

bool CPictureImage::Load(const QString& path)
{
    Clear();
    // First decoder: the format that the file name says.
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (!format.isEmpty() && QImageReader::supportedImageFormats().contains(format)) {
        QImageReader byName(path, format);
        byName.setAutoDetectImageFormat(false);
        QImage image = decode(byName);
        if (!image.isNull()) {
            m_hasAlpha = image.hasAlphaChannel();
            m_image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            m_decodedByName = true;
            return true;
        }
    }
    // Second decoder: whatever the content is.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return LoadFromFile(file);
}

bool CPictureImage::LoadFromFile(QIODevice& file)
{
    Clear();
    QImageReader byContent(&file);
    byContent.setDecideFormatFromContent(true);
    QImage image = decode(byContent);
    if (image.isNull())
        return false;
    m_hasAlpha = image.hasAlphaChannel();
    m_image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return true;
}

QRect CPictureImage::PlacedRect(const QRect& bounds) const
{
    int width = GetSize().width();
    int height = GetSize().height();
    if (m_fit && width > bounds.width() && width > 0) {
        height = height * bounds.width() / width;
        width = bounds.width();
    }
    if (m_fit && height > bounds.height() && height > 0) {
        width = width * bounds.height() / height;
        height = bounds.height();
    }
    // At the top left of the bounds: never centred, never enlarged.
    return QRect(bounds.left(), bounds.top(), width, height);
}

void CPictureImage::Draw(QPainter& painter, const QRect& target, const QRect& bounds) const
{
    if (m_image.isNull())
        return;
    DrawStretched(painter, target.isNull() ? PlacedRect(bounds) : target);
}

void CPictureImage::DrawStretched(QPainter& painter, const QRect& placed) const
{
    if (m_image.isNull() || placed.width() <= 0 || placed.height() <= 0)
        return;
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, placed.size() != m_image.size());
    painter.drawImage(placed, m_image);
    painter.restore();
}
