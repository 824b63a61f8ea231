#include "fcs/display/TimerLayout.h"

namespace {
// Digits and colon left to right with a gap, the colon centred on the digits.
TimerLayout place(int left, int top, int w, int h, int cw, int ch, int gap)
{
    TimerLayout layout;
    layout.digits[0] = QRect(left, top, w, h);
    layout.digits[1] = QRect(left + w + gap, top, w, h);
    const int colonLeft = layout.digits[1].x() + w + gap;
    layout.colon = QRect(colonLeft, top + (h - ch) / 2, cw, ch);
    layout.digits[2] = QRect(colonLeft + cw + gap, top, w, h);
    layout.digits[3] = QRect(layout.digits[2].x() + w + gap, top, w, h);
    return layout;
}
}

TimerLayout LargeTimerLayout(QSize digit0, QSize colon0, const QRect& client)
{
    const int w0 = digit0.width();
    const int h0 = digit0.height();
    const int cw0 = colon0.width();
    const int ch0 = colon0.height();
    if (h0 <= 0 || client.height() <= 0)
        return {}; // nothing to scale by: the clock stays blank
    const int naturalWidth = w0 / 4 + cw0 + 4 * w0;
    double x = 0.95 * client.height() / h0;
    const int v = static_cast<int>(naturalWidth * x);
    const int m = client.width() * 95 / 100;
    if (v > m && v > 0)
        x = x * m / v;
    const int h = static_cast<int>(h0 * x);
    const int w = static_cast<int>(w0 * x);
    const int ch = static_cast<int>(ch0 * x);
    const int cw = static_cast<int>(cw0 * x);
    const int gap = w / 16;
    const int groupWidth = w / 4 + cw + 4 * w;
    const int top = client.top() + (client.height() - h) / 2;
    const int left = client.left() + (client.width() - groupWidth) / 2;
    return place(left, top, w, h, cw, ch, gap);
}

TimerLayout TinyTimerLayout(QSize digit0, QSize colon0, const QRect& client)
{
    int w = digit0.width();
    int h = digit0.height();
    int cw = colon0.width();
    int ch = colon0.height();
    const int naturalWidth = cw + 4 * w + 8;
    if (h > client.height() || naturalWidth > client.width()) {
        double x = h > client.height() && h > 0 ? static_cast<double>(client.height() - 2) / h : 1.0;
        const int scaled = static_cast<int>((naturalWidth - 8) * x);
        if (scaled > client.width() - 8)
            x = scaled > 0 ? x * (client.width() - 8) / scaled : 0.0;
        if (x < 0)
            x = 0;
        w = static_cast<int>(w * x);
        h = static_cast<int>(h * x);
        cw = static_cast<int>(cw * x);
        ch = static_cast<int>(ch * x);
    }
    const int groupWidth = 4 * w + cw + 8;
    const int left = client.left() + (client.width() - groupWidth) / 2;
    const int top = client.top() + (client.height() - h) / 2;
    return place(left, top, w, h, cw, ch, 2);
}
