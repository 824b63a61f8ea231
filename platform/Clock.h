#pragma once

#include <QtGlobal>

// The program's millisecond clock: starts near 0 with the program and only grows.
// Every interval is the difference of two readings. Tests hand in a fake.
class Clock {
public:
    virtual ~Clock() = default;
    virtual qint32 nowMs() const = 0;
};

class SteadyClock : public Clock {
public:
    SteadyClock();
    qint32 nowMs() const override;

private:
    qint64 m_startNs;
};
