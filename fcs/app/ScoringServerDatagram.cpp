#include "fcs/app/ScoringServerDatagram.h"

#include <limits>

namespace {

qint32 periodCode(const TickReport& tick)
{
    if (tick.inEndGame)
        return 4;
    switch (tick.phase) {
    case MatchPhase::Idle:
    case MatchPhase::AutonomousRunning:
    case MatchPhase::AutonomousEnded:
        return 1;
    case MatchPhase::Waiting:
    case MatchPhase::TeleopRunning:
    case MatchPhase::MatchOver:
        return 2;
    default:
        return 0;
    }
}

qint32 phaseCode(const TickReport& tick)
{
    if (tick.matchEndedThisTick)
        return 64;
    if (tick.inEndGame)
        return 32;
    switch (tick.phase) {
    case MatchPhase::AutonomousRunning: return 1;
    case MatchPhase::Waiting: return 16;
    case MatchPhase::TeleopRunning: return 17;
    case MatchPhase::MatchOver: return 18;
    default: return 0;
    }
}

qint32 timeCode(const StatusDatagramInput& input)
{
    const qint32 teleopMs = input.teleopSeconds * 1000;
    const MatchPhase phase = input.tick.phase;
    if (phase == MatchPhase::Waiting)
        return teleopMs;
    // Before tele-op the server is told the time left in the whole match.
    if (input.teleopEnabled && phase <= MatchPhase::AutonomousEnded)
        return teleopMs + input.tick.timeShown;
    return input.tick.timeShown;
}

qint32 positionState(bool halted, int level)
{
    if (halted)
        return 3;
    switch (level) {
    case StatusError: return 2;
    case StatusWarning: return 1;
    default: return 0;
    }
}

void put(StatusDatagram& bytes, size_t offset, qint32 value)
{
    const auto v = static_cast<std::uint32_t>(value);
    bytes[offset] = static_cast<std::uint8_t>(v >> 24);
    bytes[offset + 1] = static_cast<std::uint8_t>(v >> 16);
    bytes[offset + 2] = static_cast<std::uint8_t>(v >> 8);
    bytes[offset + 3] = static_cast<std::uint8_t>(v);
}

} // namespace

qint32 LeadingDecimal(const QString& text)
{
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = value * 10 + (c.unicode() - '0');
        if (value > std::numeric_limits<qint32>::max())
            return std::numeric_limits<qint32>::max();
    }
    return static_cast<qint32>(value);
}

StatusDatagram BuildStatusDatagram(const StatusDatagramInput& input)
{
    StatusDatagram bytes{};
    put(bytes, 0, 1000);
    put(bytes, 4, input.key1);
    put(bytes, 8, input.key2);
    put(bytes, 12, input.division);
    put(bytes, 16, input.matchType);
    put(bytes, 20, periodCode(input.tick));
    put(bytes, 24, phaseCode(input.tick));
    put(bytes, 28, timeCode(input));
    put(bytes, 32, LeadingDecimal(input.matchNumber));
    for (size_t t = 0; t < 4; ++t) {
        put(bytes, 36 + 8 * t, LeadingDecimal(input.teamNames[t]));
        put(bytes, 40 + 8 * t, positionState(input.tick.halted[t], input.tick.levels[t]));
    }
    return bytes;
}
