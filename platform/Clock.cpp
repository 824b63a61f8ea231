#include "platform/Clock.h"

#include <chrono>

namespace {
qint64 monotonicNs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}
}

SteadyClock::SteadyClock() : m_startNs(monotonicNs()) {}

qint32 SteadyClock::nowMs() const
{
    return static_cast<qint32>((monotonicNs() - m_startNs) / 1000000);
}
