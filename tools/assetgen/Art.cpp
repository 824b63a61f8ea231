#include "tools/assetgen/Art.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace Art {
namespace {

const QColor kDimGrey(70, 70, 70);
const QColor kGrey(150, 150, 150);
const QColor kGreen(40, 220, 80);
const QColor kYellow(255, 210, 0);
const QColor kRed(240, 50, 50);
const QColor kIce(130, 205, 255);
const QColor kWhite(245, 245, 245);

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QFont boldFont(double pixels, bool condensed = false)
{
    QFont font(condensed ? QStringLiteral("DejaVu Sans Condensed") : QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(std::max(1, static_cast<int>(pixels)));
    return font;
}

// Draws text centred and shrinks it until it fits the rectangle.
void fittedText(QPainter& p, const QRectF& rect, const QString& text, double pixels, bool condensed = false)
{
    QFont font = boldFont(pixels, condensed);
    while (font.pixelSize() > 4) {
        const QFontMetricsF fm(font);
        if (fm.horizontalAdvance(text) <= rect.width() && fm.height() * 0.8 <= rect.height())
            break;
        font.setPixelSize(font.pixelSize() - 1);
    }
    p.setFont(font);
    p.drawText(rect, Qt::AlignCenter, text);
}

QPainterPath gamepad(const QRectF& r)
{
    // Body with two grips below.
    QPainterPath body;
    body.addRoundedRect(QRectF(r.left(), r.top() + r.height() * 0.18, r.width(), r.height() * 0.52),
                        r.height() * 0.2, r.height() * 0.2);
    QPainterPath grips;
    const double gw = r.width() * 0.34;
    const double gh = r.height() * 0.62;
    grips.addEllipse(QRectF(r.left(), r.top() + r.height() * 0.36, gw, gh));
    grips.addEllipse(QRectF(r.right() - gw, r.top() + r.height() * 0.36, gw, gh));
    return body.united(grips).simplified();
}

}

QImage JoystickBadge(const QString& label, Look look)
{
    QImage image = canvas(32, 32);
    if (look == Look::Blank)
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QColor fill(55, 55, 60);
    QColor edge(160, 160, 165);
    QColor text(235, 235, 235);
    QString shown = label;
    if (look == Look::Lit) {
        fill = kGreen;
        edge = QColor(20, 120, 40);
        text = Qt::black;
    } else if (look == Look::Error) {
        fill = kRed;
        edge = QColor(120, 20, 20);
        text = Qt::white;
        shown = QStringLiteral("!");
    }
    p.setPen(QPen(edge, 2));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    p.setPen(text);
    fittedText(p, QRectF(3, 3, 26, 26), shown, 20, shown.size() > 1);
    return image;
}

QImage DisplayJoystick(int driver, Look look)
{
    QImage image = canvas(72, 72);
    if (look == Look::Blank)
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath pad = gamepad(QRectF(3, 6, 66, 60));
    QColor fill(45, 45, 50);
    QColor edge(150, 150, 155);
    QColor text(210, 210, 210);
    if (look == Look::Lit) {
        fill = kGreen;
        edge = QColor(190, 255, 200);
        text = Qt::black;
    } else if (look == Look::Error) {
        fill = kRed;
        edge = QColor(255, 180, 180);
        text = Qt::white;
    }
    p.setPen(QPen(edge, 2.5));
    p.setBrush(fill);
    p.drawPath(pad);
    p.setPen(text);
    if (look == Look::Error) {
        p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(26, 22), QPointF(46, 42));
        p.drawLine(QPointF(46, 22), QPointF(26, 42));
    } else {
        fittedText(p, QRectF(18, 14, 36, 34), QString::number(driver), 32);
    }
    return image;
}

QImage BatteryPicture(Battery state)
{
    QImage image = canvas(48, 128);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QColor edge = kGrey;
    QColor fill = kGreen;
    int bars = 0;
    switch (state) {
    case Battery::None: edge = kDimGrey; break;
    case Battery::Ok: edge = kWhite; bars = 4; break;
    case Battery::Warning: edge = kWhite; fill = kYellow; bars = 2; break;
    case Battery::Error: edge = kRed; fill = kRed; bars = 1; break;
    case Battery::Unknown: edge = kGrey; break;
    }
    // Terminal and case.
    p.setPen(Qt::NoPen);
    p.setBrush(edge);
    p.drawRoundedRect(QRectF(15, 4, 18, 9), 2, 2);
    p.setPen(QPen(edge, 4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5, 13, 38, 110), 5, 5);
    // Charge bars from the bottom.
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    const double barHeight = 22;
    for (int i = 0; i < bars; ++i)
        p.drawRoundedRect(QRectF(11, 117 - (i + 1) * (barHeight + 3) + 3, 26, barHeight), 2, 2);
    if (state == Battery::Unknown) {
        p.setPen(kGrey);
        fittedText(p, QRectF(8, 30, 32, 70), QStringLiteral("?"), 48);
    }
    return image;
}

QImage WifiPicture(Wifi state)
{
    QImage image = canvas(72, 72);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QColor colour = kDimGrey;
    switch (state) {
    case Wifi::None: colour = kDimGrey; break;
    case Wifi::Ok: colour = kGreen; break;
    case Wifi::Error: colour = QColor(120, 40, 40); break;
    case Wifi::Frozen: colour = kIce; break;
    }
    const QPointF centre(36, 60);
    p.setPen(QPen(colour, 7, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (double radius : {16.0, 30.0, 44.0}) {
        const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        p.drawArc(box, 45 * 16, 90 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(centre, 5, 5);
    if (state == Wifi::Error) {
        p.setPen(QPen(kRed, 8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 12), QPointF(56, 52));
        p.drawLine(QPointF(56, 12), QPointF(16, 52));
    } else if (state == Wifi::Frozen) {
        // A pause mark: the link is there but nothing moves.
        p.setBrush(kWhite);
        p.drawRect(QRectF(4, 46, 6, 20));
        p.drawRect(QRectF(14, 46, 6, 20));
    }
    return image;
}

QImage PeriodPicture(Period period)
{
    QImage image = canvas(208, 60);
    if (period == Period::None)
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QColor colour = kYellow;
    QString text = QStringLiteral("AUTONOMOUS");
    if (period == Period::Teleop) {
        colour = kGreen;
        text = QStringLiteral("TELEOP");
    } else if (period == Period::EndGame) {
        colour = kRed;
        text = QStringLiteral("END GAME");
    }
    p.setPen(QPen(colour, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2.5, 2.5, 203, 55), 12, 12);
    p.setPen(colour);
    fittedText(p, QRectF(12, 6, 184, 48), text, 34);
    return image;
}

QImage ListBoxIcon(ListIcon icon)
{
    QImage image = canvas(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A module: a small box with an antenna.
    QColor body = kGreen.darker(110);
    if (icon == ListIcon::Held)
        body = QColor(140, 140, 140);
    else if (icon == ListIcon::Offline)
        body = QColor(200, 60, 60);
    p.setPen(QPen(QColor(30, 30, 30), 1.5));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(4, 12, 24, 16), 3, 3);
    p.drawLine(QPointF(22, 12), QPointF(26, 3));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(10, 20), 2.5, 2.5);
    if (icon == ListIcon::Held) {
        // Padlock: taken by another station.
        p.setPen(QPen(QColor(40, 40, 40), 2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(16, 13, 8, 9), 0, 180 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 40));
        p.drawRect(QRectF(15, 18, 10, 8));
    } else if (icon == ListIcon::Offline) {
        p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(15, 16), QPointF(24, 25));
        p.drawLine(QPointF(24, 16), QPointF(15, 25));
    }
    return image;
}

QImage ProgramIcon(int size)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    // Red and blue halves of a field behind a stopwatch.
    QPainterPath clip;
    clip.addRoundedRect(QRectF(s * 0.03, s * 0.03, s * 0.94, s * 0.94), s * 0.18, s * 0.18);
    p.setClipPath(clip);
    p.fillRect(QRectF(0, 0, s / 2, s), QColor(200, 30, 30));
    p.fillRect(QRectF(s / 2, 0, s / 2, s), QColor(30, 60, 200));
    p.setClipping(false);
    p.setPen(QPen(Qt::white, s * 0.05));
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(QPointF(s / 2, s * 0.55), s * 0.3, s * 0.3);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(s * 0.44, s * 0.10, s * 0.12, s * 0.08), s * 0.02, s * 0.02);
    p.setPen(QPen(kGreen, s * 0.05, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s / 2, s * 0.55), QPointF(s / 2, s * 0.34));
    p.drawLine(QPointF(s / 2, s * 0.55), QPointF(s * 0.64, s * 0.62));
    return image;
}

QImage TeamIcon()
{
    // A robot head in flat colours, without antialiasing, so it fits a GIF palette.
    // 32 x 32 keeps the file well under the size at which a module's logo counts as its default.
    QImage image = canvas(32, 32);
    QPainter p(&image);
    p.scale(0.5, 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 100, 115));
    p.drawRect(10, 16, 44, 36);
    p.drawRect(30, 6, 4, 10);
    p.setBrush(QColor(255, 200, 0));
    p.drawEllipse(27, 2, 10, 8);
    p.setBrush(QColor(120, 220, 255));
    p.drawRect(17, 24, 10, 10);
    p.drawRect(37, 24, 10, 10);
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(20, 41, 24, 5);
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(4, 26, 6, 14);
    p.setBrush(QColor(40, 70, 200));
    p.drawRect(54, 26, 6, 14);
    return image;
}

}
