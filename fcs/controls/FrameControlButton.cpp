#include "fcs/controls/FrameControlButton.h"

#include <QPainter>

CFrameControlButton::CFrameControlButton(QWidget* parent) : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Close"));
}

void CFrameControlButton::SetRestoreLook()
{
    m_glyph = Glyph::Restore;
    setAccessibleName(QStringLiteral("Restore"));
    update();
}

void CFrameControlButton::enterEvent(QEnterEvent* event)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CFrameControlButton::leaveEvent(QEvent* event)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CFrameControlButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    if (!m_hover)
        return; // paints nothing: the black window (and any picture under the corner) shows through
    QColor face = m_glyph == Glyph::Close ? QColor(200, 40, 40) : QColor(70, 70, 70);
    if (isDown())
        face = face.darker(140);
    p.fillRect(r, face);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, std::max(1.5, r.height() / 14.0)));
    p.setBrush(Qt::NoBrush);
    const int s = std::min(r.width(), r.height()) * 2 / 5;
    const QRectF glyph(r.center().x() - s / 2.0, r.center().y() - s / 2.0, s, s);
    if (m_glyph == Glyph::Close) {
        p.drawLine(glyph.topLeft(), glyph.bottomRight());
        p.drawLine(glyph.topRight(), glyph.bottomLeft());
    } else {
        const double d = s / 4.0;
        p.drawRect(glyph.adjusted(0, d, -d, 0));
        p.drawPolyline(QPolygonF({glyph.topLeft() + QPointF(d, d), glyph.topLeft() + QPointF(d, 0),
                                  glyph.topRight(), glyph.bottomRight() - QPointF(0, d),
                                  glyph.bottomRight() - QPointF(d, d)}));
    }
}
