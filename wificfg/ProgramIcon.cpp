#include "wificfg/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    // The drive: a body with its connector, lying along the lower left.
    painter.setPen(QPen(QColor(30, 40, 60), 1.2));
    painter.setBrush(QColor(40, 90, 170));
    painter.drawRoundedRect(QRectF(3, 17, 17, 11), 2.5, 2.5);
    painter.setBrush(QColor(200, 205, 215));
    painter.drawRect(QRectF(20, 19.5, 6, 6));
    painter.setBrush(QColor(30, 40, 60));
    painter.drawRect(QRectF(22, 21, 1.5, 1.5));
    painter.drawRect(QRectF(22, 23, 1.5, 1.5));
    // The waves above it.
    painter.setBrush(Qt::NoBrush);
    for (int wave = 0; wave < 3; ++wave) {
        const double radius = 4 + wave * 4;
        painter.setPen(QPen(QColor(230, 140, 20), 2.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(QRectF(11.5 - radius, 15 - radius, radius * 2, radius * 2), 45 * 16, 90 * 16);
    }
    return pixmap;
}

}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addPixmap(drawIcon(size));
    return icon;
}
