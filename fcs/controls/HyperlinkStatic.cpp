#include "fcs/controls/HyperlinkStatic.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

CHyperlinkStatic::CHyperlinkStatic(const QString& text, QWidget* parent) : QWidget(parent), m_text(text)
{
    setMouseTracking(true);
    m_opener = [](const QString& target) {
        const QUrl url = QUrl::fromUserInput(target);
        if (url.isValid())
            QDesktopServices::openUrl(url);
    };
}

void CHyperlinkStatic::SetLinkText(const QString& text)
{
    m_text = text;
    m_extent = QSize(); // measured again
    updateGeometry();
    update();
}

void CHyperlinkStatic::SetTarget(const QString& target)
{
    m_target = target;
}

QFont CHyperlinkStatic::linkFont() const
{
    QFont font = parentWidget() ? parentWidget()->font() : this->font();
    font.setUnderline(true);
    return font;
}

QSize CHyperlinkStatic::sizeHint() const
{
    const QFontMetrics fm(linkFont());
    return QSize(fm.horizontalAdvance(m_text), fm.height());
}

bool CHyperlinkStatic::overText(const QPoint& pos) const
{
    if (!m_extent.isValid()) {
        const QFontMetrics fm(linkFont());
        m_extent = QSize(fm.horizontalAdvance(m_text), fm.height());
    }
    return pos.x() >= 0 && pos.x() < m_extent.width() && pos.y() >= 0 && pos.y() < m_extent.height();
}

void CHyperlinkStatic::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(linkFont());
    p.setPen(QColor(0, 0, 255));
    const QFontMetrics fm(p.font());
    p.drawText(QPoint(0, fm.ascent()), m_text);
}

void CHyperlinkStatic::mouseMoveEvent(QMouseEvent* event)
{
    if (overText(event->position().toPoint()))
        setCursor(Qt::PointingHandCursor);
    else
        setCursor(Qt::ArrowCursor);
}

void CHyperlinkStatic::leaveEvent(QEvent*)
{
    setCursor(Qt::ArrowCursor);
}

void CHyperlinkStatic::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !overText(event->position().toPoint()))
        return;
    emit clicked();
    if (!m_target.isEmpty() && m_opener)
        m_opener(m_target);
}
