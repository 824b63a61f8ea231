#include "fcs/controls/ColorStatic.h"

#include "fcs/controls/PackedColor.h"

#include <QPainter>

CColorStatic::CColorStatic(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    m_back = palette().color(QPalette::Button);
    m_text = palette().color(QPalette::ButtonText);
}

int CColorStatic::SetBackColor(int packed)
{
    const int previous = m_backPacked;
    if (packed != m_backPacked) {
        m_backPacked = packed;
        m_back = packed == -1 ? palette().color(QPalette::Button) : FromPacked(packed);
        update();
    }
    return previous;
}

int CColorStatic::SetTextColor(int packed)
{
    const int previous = m_textPacked;
    if (packed != m_textPacked) {
        m_textPacked = packed;
        m_text = packed == -1 ? palette().color(QPalette::ButtonText) : FromPacked(packed);
        update();
    }
    return previous;
}

void CColorStatic::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_back);
    p.setPen(m_text);
    p.setFont(font());
    p.drawText(contentsRect(), static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0), text());
}
