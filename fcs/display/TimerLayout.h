#pragma once

#include <QRect>
#include <QSize>
#include <array>

// Where the four digits and the colon of a digit clock go in its client area.
struct TimerLayout {
    std::array<QRect, 4> digits{};
    QRect colon;
    int digitWidth() const { return digits[0].width(); }
};

// The big clock: scaled to 95 % of the height, or of the width when that is
// the tighter limit. A missing 0 digit (height 0) gives an empty layout.
TimerLayout LargeTimerLayout(QSize digit0, QSize colon0, const QRect& client);
// The small clock: natural size, shrunk only when it does not fit.
TimerLayout TinyTimerLayout(QSize digit0, QSize colon0, const QRect& client);
