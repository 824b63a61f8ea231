#include "fcs/display/DigitTimer.h"

#include "fcs/display/ImageLookup.h"
#include "fcs/display/TimerPictureIds.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

CDigitTimer::CDigitTimer(const std::array<int, 4>& digitIds, const std::array<int, 4>& colonIds, QWidget* parent)
    : QWidget(parent)
{
    // Missing pictures stay empty, silently: they draw nothing.
    for (size_t style = 0; style < 4; ++style) {
        for (int row = 0; row < TimerPictureIds::kDigitRows; ++row)
            m_digitPictures[style][static_cast<size_t>(row)].Load(ImageLookup::ImagePath(digitIds[style] + row));
        for (int row = 0; row < TimerPictureIds::kColonRows; ++row)
            m_colonPictures[style][static_cast<size_t>(row)].Load(ImageLookup::ImagePath(colonIds[style] + row));
    }
    // The clock is painted whole off-screen and never erased separately.
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetTime(-1);
}

const CPictureImage& CDigitTimer::digitPicture(int row) const
{
    return m_digitPictures[static_cast<size_t>(m_style)][static_cast<size_t>(std::clamp(row, 0, 10))];
}

const CPictureImage& CDigitTimer::colonPicture(int row) const
{
    return m_colonPictures[static_cast<size_t>(m_style)][static_cast<size_t>(row)];
}

void CDigitTimer::requestRepaint()
{
    ++m_repaints;
    update();
}

void CDigitTimer::SetTime(qint32 ms)
{
    m_time = ms;
    if (ms == -1) {
        // Blank at the next repaint; the shown seconds are forgotten.
        m_digits = {10, 10, 10, 10};
        m_shownSeconds = -1;
        return;
    }
    int s = (ms + 999) / 1000;
    if (s < 0)
        s = 0;
    if (s == m_shownSeconds)
        return;
    m_shownSeconds = s;
    // Periods are at most 59:59; anything longer shows 99:59 rather than a digit outside 0 to 9.
    const int shown = std::min(s, 5999);
    m_digits = {shown / 600, (shown % 600) / 60, (shown % 60) / 10, shown % 10};
    requestRepaint();
}

TimerStyle CDigitTimer::SetStyle(TimerStyle style)
{
    const TimerStyle previous = m_style;
    const int value = static_cast<int>(style);
    if (value < 0 || value > 3 || style == m_style)
        return previous;
    m_style = style;
    relayout();
    requestRepaint();
    return previous;
}

QString CDigitTimer::ShownText() const
{
    if (m_shownSeconds < 0)
        return {};
    return QStringLiteral("%1%2:%3%4").arg(m_digits[0]).arg(m_digits[1]).arg(m_digits[2]).arg(m_digits[3]);
}

QSize CDigitTimer::naturalSize() const
{
    const QSize digit = digitPicture(0).GetSize();
    const QSize colon = colonPicture(0).GetSize();
    return QSize(4 * digit.width() + colon.width() + 8, std::max(digit.height(), colon.height()));
}

void CDigitTimer::relayout()
{
    m_layout = computeLayout(digitPicture(0).GetSize(), colonPicture(0).GetSize(), rect());
}

void CDigitTimer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void CDigitTimer::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (skipsEmptyLayout() && m_layout.digitWidth() == 0)
        return;
    for (size_t i = 0; i < 4; ++i)
        digitPicture(m_digits[i]).DrawStretched(painter, m_layout.digits[i]);
    // The colon is always lit; the off pictures only size the layout.
    colonPicture(1).DrawStretched(painter, m_layout.colon);
}

CLargeTimer::CLargeTimer(QWidget* parent)
    : CDigitTimer(TimerPictureIds::kLargeDigits, TimerPictureIds::kLargeColons, parent)
{
}

void CLargeTimer::resizeEvent(QResizeEvent* event)
{
    CDigitTimer::resizeEvent(event);
    requestRepaint();
}

TimerLayout CLargeTimer::computeLayout(QSize digit0, QSize colon0, const QRect& client) const
{
    return LargeTimerLayout(digit0, colon0, client);
}

CTinyTimer::CTinyTimer(QWidget* parent)
    : CDigitTimer(TimerPictureIds::kTinyDigits, TimerPictureIds::kTinyColons, parent)
{
    setAccessibleDescription(QStringLiteral("Match timer"));
}

QSize CTinyTimer::sizeHint() const
{
    return naturalSize() + QSize(4, 4);
}

TimerLayout CTinyTimer::computeLayout(QSize digit0, QSize colon0, const QRect& client) const
{
    return TinyTimerLayout(digit0, colon0, client);
}
