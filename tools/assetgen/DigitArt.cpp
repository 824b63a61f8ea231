#include "tools/assetgen/DigitArt.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace DigitArt {
namespace {

// Segments a b c d e f g as bits 0 to 6.
constexpr int kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

QPolygonF horizontal(double x0, double x1, double y, double t)
{
    return QPolygonF({{x0, y}, {x0 + t / 2, y - t / 2}, {x1 - t / 2, y - t / 2}, {x1, y},
                      {x1 - t / 2, y + t / 2}, {x0 + t / 2, y + t / 2}});
}

QPolygonF vertical(double x, double y0, double y1, double t)
{
    return QPolygonF({{x, y0}, {x + t / 2, y0 + t / 2}, {x + t / 2, y1 - t / 2}, {x, y1},
                      {x - t / 2, y1 - t / 2}, {x - t / 2, y0 + t / 2}});
}

QImage blank(QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

}

QColor Unlit(const QColor& lit)
{
    // Dim enough to read as "off", bright enough to see on black across a hall.
    return QColor(18 + lit.red() * 15 / 100, 18 + lit.green() * 15 / 100, 18 + lit.blue() * 15 / 100);
}

QImage Digit(const Face& face, int digit, const QColor& lit)
{
    QImage image = blank(face.digit);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    const double w = face.digit.width();
    const double h = face.digit.height();
    const double t = face.stroke;
    const double m = t * 0.45;           // margin to the picture's edge
    const double gap = std::max(1.0, t * 0.12);
    const double left = m + t / 2;
    const double right = w - m - t / 2;
    const double top = m + t / 2;
    const double bottom = h - m - t / 2;
    const double middle = h / 2;

    const QPolygonF segments[7] = {
        horizontal(left + gap, right - gap, top, t),       // a
        vertical(right, top + gap, middle - gap, t),       // b
        vertical(right, middle + gap, bottom - gap, t),    // c
        horizontal(left + gap, right - gap, bottom, t),    // d
        vertical(left, middle + gap, bottom - gap, t),     // e
        vertical(left, top + gap, middle - gap, t),        // f
        horizontal(left + gap, right - gap, middle, t),    // g
    };
    const int on = digit >= 0 && digit <= 9 ? kSegments[digit] : 0;
    for (int s = 0; s < 7; ++s) {
        p.setBrush((on >> s) & 1 ? lit : Unlit(lit));
        p.drawPolygon(segments[s]);
    }
    return image;
}

QImage Colon(const Face& face, bool on, const QColor& lit)
{
    QImage image = blank(QSize(face.colonWidth, face.digit.height()));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(on ? lit : Unlit(lit));
    const double size = std::min<double>(face.colonWidth * 0.8, face.stroke * 1.25);
    const double x = (face.colonWidth - size) / 2;
    const double h = face.digit.height();
    for (double centre : {h * 0.32, h * 0.68})
        p.drawRoundedRect(QRectF(x, centre - size / 2, size, size), size * 0.2, size * 0.2);
    return image;
}

}
