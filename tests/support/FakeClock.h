#pragma once

#include "platform/Clock.h"
#include "platform/WallClock.h"

// A clock that moves only when the test says so.
class FakeClock : public Clock {
public:
    qint32 nowMs() const override { return m_now; }
    void set(qint32 ms) { m_now = ms; }
    void advance(qint32 ms) { m_now += ms; }

private:
    qint32 m_now = 1000;
};

class FixedWallClock : public WallClock {
public:
    explicit FixedWallClock(QDateTime time = QDateTime(QDate(2026, 12, 11), QTime(14, 5, 9)))
        : m_time(std::move(time)) {}
    QDateTime now() const override { return m_time; }
    void set(const QDateTime& time) { m_time = time; }

private:
    QDateTime m_time;
};
