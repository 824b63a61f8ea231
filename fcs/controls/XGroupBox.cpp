#include "fcs/controls/XGroupBox.h"

#include "fcs/controls/PackedColor.h"

#include <QPainter>

CXGroupBox::CXGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

void CXGroupBox::SetFrameColor(int packed)
{
    if (packed == m_frame)
        return;
    m_frame = packed;
    update();
}

void CXGroupBox::paintEvent(QPaintEvent* event)
{
    if (m_frame == -1) {
        QGroupBox::paintEvent(event);
        return;
    }
    QPainter p(this);
    const QFontMetrics fm(font());
    const int titleHeight = fm.height();
    const QColor frame = isEnabled() ? FromPacked(m_frame) : palette().color(QPalette::Dark);
    const QColor titleColour = isEnabled() ? palette().color(QPalette::WindowText)
                                           : palette().color(QPalette::Disabled, QPalette::WindowText);
    // Etched frame from half the title height down: the colour, then a highlight line.
    const QRect box = rect().adjusted(0, titleHeight / 2, -2, -2);
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(box.translated(1, 1));
    p.setPen(frame);
    p.drawRect(box);
    const QString caption = title();
    if (!caption.isEmpty()) {
        const int w = fm.horizontalAdvance(caption) + 8;
        const QRect titleRect(8, 0, w, titleHeight);
        p.fillRect(titleRect, palette().color(QPalette::Window));
        p.setPen(titleColour);
        p.drawText(titleRect, Qt::AlignCenter, caption);
    }
}
