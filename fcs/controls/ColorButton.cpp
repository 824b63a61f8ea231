#include "fcs/controls/ColorButton.h"

#include "fcs/controls/PackedColor.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

CColorButton::CColorButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    m_face = palette().color(QPalette::Button);
    m_text = palette().color(QPalette::ButtonText);
}

int CColorButton::SetFaceColor(int packed)
{
    const int previous = m_facePacked;
    if (packed == m_facePacked)
        return previous;
    m_facePacked = packed;
    m_face = packed == -1 ? palette().color(QPalette::Button) : FromPacked(packed);
    ++m_repaints;
    update();
    return previous;
}

int CColorButton::SetTextColor(int packed)
{
    const int previous = m_textPacked;
    if (packed == m_textPacked)
        return previous;
    m_textPacked = packed;
    m_text = packed == -1 ? palette().color(QPalette::ButtonText) : FromPacked(packed);
    ++m_repaints;
    update();
    return previous;
}

void CColorButton::paintEvent(QPaintEvent*)
{
    paintButton(m_face, m_text, true);
}

void CColorButton::paintButton(const QColor& face, const QColor& text, bool disabledLook)
{
    QPainter p(this);
    const bool disabled = disabledLook && !isEnabled();
    const QColor faceColour = disabled ? palette().color(QPalette::Button) : face;
    const QColor textColour = disabled ? palette().color(QPalette::Disabled, QPalette::ButtonText) : text;
    const QRect r = rect();
    p.fillRect(r, faceColour);
    QPalette edge = palette();
    edge.setColor(QPalette::Light, faceColour.lighter(160));
    edge.setColor(QPalette::Dark, faceColour.darker(200));
    edge.setColor(QPalette::Mid, faceColour.darker(140));
    qDrawShadePanel(&p, r, edge, isDown(), 2);
    p.setPen(textColour);
    const QRect caption = isDown() ? r.translated(1, 1) : r;
    p.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, this->text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = r.adjusted(3, 3, -3, -3);
        focus.backgroundColor = faceColour;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}
