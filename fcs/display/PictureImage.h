#pragma once

#include <QImage>
#include <QRect>
#include <QString>

class QIODevice;
class QPainter;

// One decoded picture. Decoding goes by the file name's format first and by the
// file's content second, so a .png name that holds a GIF still loads. Alpha is
// kept straight in the file and composited source-over when drawn.
class CPictureImage {
public:
    bool Load(const QString& path);
    // Decodes by content only (the second decoder of Load).
    bool LoadFromFile(QIODevice& file);
    void Clear();

    bool isEmpty() const { return m_image.isNull(); }
    QSize GetSize() const { return m_image.isNull() ? QSize(0, 0) : m_image.size(); }
    bool hasAlpha() const { return m_hasAlpha; }
    bool decodedByName() const { return m_decodedByName; }

    void SetFit(bool fit) { m_fit = fit; }
    bool fit() const { return m_fit; }

    // Draws into target; an empty (all-zero) target means the picture's own
    // size at the top left of bounds, shrunk to fit bounds when fit is set.
    void Draw(QPainter& painter, const QRect& target, const QRect& bounds) const;
    // Stretches the picture into target; an empty target draws nothing.
    void DrawStretched(QPainter& painter, const QRect& target) const;
    // The rectangle that Draw fills for an all-zero target.
    QRect PlacedRect(const QRect& bounds) const;

private:
    QImage m_image;
    bool m_hasAlpha = false;
    bool m_decodedByName = false;
    bool m_fit = false;
};
