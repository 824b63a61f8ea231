#pragma once

#include <QtGlobal>
#include <algorithm>

// When the next attempt of a failing transfer may start: the first retry after
// firstDelayMs, each further one after twice the delay before, up to maxDelayMs.
// A success starts over. Times are readings of the program's clock.
class ScoringServerRetry {
public:
    explicit ScoringServerRetry(qint32 firstDelayMs = 5000, qint32 maxDelayMs = 120000)
        : m_first(firstDelayMs), m_max(maxDelayMs) {}

    bool ready(qint32 now) const { return !m_waiting || elapsed(m_failedAt, now) >= m_delay; }
    void failed(qint32 now)
    {
        m_delay = m_waiting ? std::min(m_max, m_delay * 2) : m_first;
        m_waiting = true;
        m_failedAt = now;
    }
    void succeeded() { m_waiting = false; m_delay = 0; }

    bool waiting() const { return m_waiting; }
    qint32 delayMs() const { return m_delay; }
    qint32 nextAttemptAt() const { return m_failedAt + m_delay; }

    // The interval between two clock readings, safe across the counter's wrap.
    static qint32 elapsed(qint32 from, qint32 to)
    {
        return static_cast<qint32>(static_cast<quint32>(to) - static_cast<quint32>(from));
    }

private:
    qint32 m_first;
    qint32 m_max;
    qint32 m_delay = 0;
    qint32 m_failedAt = 0;
    bool m_waiting = false;
};
