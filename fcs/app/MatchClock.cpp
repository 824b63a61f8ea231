#include "fcs/app/MatchClock.h"

#include "fcs/app/LogSink.h"
#include "fcs/app/MatchClockView.h"
#include "fcs/joystick/JoystickMgr.h"
#include "fcs/link/TeamEntry.h"
#include "fcs/resources/StringTable.h"
#include "fcs/schedule/MatchArray.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/WallClock.h"

namespace {
// Cue names by string number.
constexpr int kCueCharge = 105;
constexpr int kCue3Bells = 106;
constexpr int kCueEndMatch = 107;
constexpr int kCueFoghorn = 108;
constexpr int kCueEndAuton = 190;
constexpr int kCueWarnEom = 277;

constexpr qint32 kAutoEStopSilenceMs = 121000;
constexpr qint32 kReconnectIntervalMs = 1000;
constexpr qint32 kIdleConnectIntervalMs = 5000;
constexpr qint32 kDiscoveryNudgeMs = 10000;
constexpr qint32 kMatchOverShowMs = 5000;

QString minutesSeconds(int seconds)
{
    return QString::asprintf("%02d:%02d", seconds / 60, seconds % 60);
}
}

MatchClock::MatchClock(Services services, const MatchSettings& settings)
    : m_s(std::move(services)), m_settings(settings)
{
    m_lastDiscoveryNudge = m_s.clock.nowMs();
    ClearEStops();
}

void MatchClock::playCue(int id)
{
    if (m_s.playCue && id != -1)
        m_s.playCue(id);
}

void MatchClock::OnTick()
{
    const qint32 now = m_s.clock.nowMs();
    m_s.log.LogTick(-1, QStringLiteral("Timer Tick"));

    // Display values by phase.
    qint32 timeShown = 0;
    TimerStyle style = TimerStyle::Neutral;
    PeriodIndicator autonomous = m_settings.autonomousEnabled ? PeriodIndicator::Pending
                                                              : PeriodIndicator::Disabled;
    PeriodIndicator teleop = m_settings.teleopEnabled ? PeriodIndicator::Pending
                                                      : PeriodIndicator::Disabled;
    PeriodIndicator endGame = m_settings.warningConfigured() ? PeriodIndicator::Pending
                                                             : PeriodIndicator::Disabled;
    bool matchEndedThisTick = false;

    if (m_phase == MatchPhase::Idle)
        m_inEndGame = false;

    const qint32 periodElapsed = now - m_periodStart;
    const qint32 remaining = m_periodSeconds * 1000 - periodElapsed;

    switch (m_phase) {
    case MatchPhase::AutonomousStarting:
        timeShown = m_settings.autonomousSeconds * 1000;
        style = TimerStyle::Autonomous;
        autonomous = PeriodIndicator::Running;
        break;
    case MatchPhase::AutonomousRunning:
        timeShown = remaining;
        style = TimerStyle::Autonomous;
        autonomous = PeriodIndicator::Running;
        break;
    case MatchPhase::TeleopStarting:
        timeShown = m_settings.teleopSeconds * 1000;
        style = TimerStyle::Teleop;
        teleop = PeriodIndicator::Running;
        break;
    case MatchPhase::TeleopRunning:
        timeShown = remaining;
        teleop = PeriodIndicator::Running;
        if (m_settings.warningConfigured() && remaining < m_settings.warningSeconds * 1000) {
            style = TimerStyle::EndGame;
            endGame = PeriodIndicator::Running;
            m_inEndGame = true;
        } else {
            style = TimerStyle::Teleop;
        }
        break;
    case MatchPhase::Idle:
    case MatchPhase::Waiting:
    case MatchPhase::MatchOver:
        if (now < m_matchOverUntil) {
            // The period that just ended stays on the clock at 0 for a few seconds.
            if (m_phase != MatchPhase::Waiting && m_settings.teleopEnabled) {
                style = m_settings.warningConfigured() ? TimerStyle::EndGame : TimerStyle::Teleop;
            } else {
                style = TimerStyle::Autonomous;
                teleop = PeriodIndicator::Next;
            }
        } else if (m_phase != MatchPhase::Waiting && m_settings.autonomousEnabled) {
            timeShown = m_settings.autonomousSeconds * 1000;
            style = TimerStyle::Autonomous;
            autonomous = PeriodIndicator::Next;
        } else if (m_settings.teleopEnabled) {
            timeShown = m_settings.teleopSeconds * 1000;
            style = TimerStyle::Teleop;
            teleop = PeriodIndicator::Next;
        }
        break;
    case MatchPhase::AutonomousEnded:
    case MatchPhase::TeleopEnded:
        break;
    }

    // End of the running period.
    if (m_phase == MatchPhase::AutonomousRunning || m_phase == MatchPhase::TeleopRunning) {
        // warningAt > 0 keeps the cue to one per period: after it has played
        // (warningAt 0), a slightly negative remaining time must not replay it.
        if (m_settings.endOfMatchWarning && m_phase == MatchPhase::TeleopRunning && m_warningAt > 0
            && m_warningAt < m_periodSeconds * 1000 && remaining < m_warningAt) {
            m_warningAt = 0;
            playCue(kCueWarnEom);
        }
        if (periodElapsed / 1000 >= m_periodSeconds) {
            playCue(m_phase == MatchPhase::AutonomousRunning && m_settings.teleopEnabled
                        ? kCueEndAuton
                        : kCueEndMatch);
            m_s.log.LogEvent(-1, QStringLiteral("Match Complete"));
            EndPeriod();
            m_matchOverUntil = now + kMatchOverShowMs;
        }
    }

    m_s.view.showTime(timeShown, style);
    m_s.view.showIndicators(endGame, teleop, autonomous);

    if (m_s.joysticks) {
        m_s.joysticks->PollAll();
        for (int d = 0; d < CJoystickMgr::kDriverPositions; ++d) {
            const JoystickState state = m_s.joysticks->GetPositionState(d);
            int dialogState = -1;
            if (state.status == JS_READ)
                dialogState = state.active ? 1 : 0;
            else if (state.status == JS_NOT_READ)
                dialogState = 3;
            const int displayState =
                (m_s.joysticks->GetMappedJoystick(d) == -1 || dialogState == -1) ? 2 : dialogState;
            m_s.view.showJoystickIcon(d, dialogState, displayState);
        }
    }

    // Phase action.
    switch (m_phase) {
    case MatchPhase::Idle:
        if (m_s.uploadPendingMatchLog)
            m_s.uploadPendingMatchLog();
        idleServiceAll();
        if (m_settings.teleopEnabled && !m_settings.autonomousEnabled) {
            for (int t = 0; t < 4; ++t)
                if (!entry(t).halted)
                    entry(t).PrepareTeleop();
        }
        break;
    case MatchPhase::AutonomousStarting:
        sendControlMessages(1);
        m_phase = MatchPhase::AutonomousRunning;
        break;
    case MatchPhase::AutonomousRunning:
    case MatchPhase::TeleopRunning:
        sendControlMessages(0);
        runningService();
        break;
    case MatchPhase::AutonomousEnded:
    case MatchPhase::TeleopEnded:
        if (stopAllRobots() && EndPeriod())
            matchEndedThisTick = true;
        break;
    case MatchPhase::Waiting: {
        bool ready = !m_settings.pauseBetweenPeriods;
        if (ready) {
            for (int t = 0; t < 4; ++t)
                if (!entry(t).halted && !entry(t).PrepareTeleop())
                    ready = false;
        }
        if (ready) {
            StartTeleop();
        } else {
            if (m_s.uploadPendingMatchLog)
                m_s.uploadPendingMatchLog();
            idleServiceAll();
        }
        break;
    }
    case MatchPhase::TeleopStarting:
        sendControlMessages(1);
        m_phase = MatchPhase::TeleopRunning;
        break;
    case MatchPhase::MatchOver:
        if (m_s.uploadPendingMatchLog)
            m_s.uploadPendingMatchLog();
        idleServiceAll();
        break;
    }

    if (m_s.sendStatusDatagram && m_s.integrationActive && m_s.integrationActive()
        && m_s.matches.GetCurrentMatch() != nullptr) {
        TickReport report;
        report.phase = m_phase;
        report.inEndGame = m_inEndGame;
        report.matchEndedThisTick = matchEndedThisTick;
        report.timeShown = timeShown;
        for (int t = 0; t < 4; ++t) {
            report.halted[static_cast<size_t>(t)] = entry(t).halted;
            report.levels[static_cast<size_t>(t)] = m_levels[static_cast<size_t>(t)];
        }
        m_s.sendStatusDatagram(report);
    }
}

bool MatchClock::stopAllRobots()
{
    // Every position is asked, even after one has answered false.
    bool allStopped = true;
    for (int t = 0; t < 4; ++t)
        if (!entry(t).StopRobot(m_autonomousFlag))
            allStopped = false;
    return allStopped;
}

void MatchClock::sendControlMessages(int stopFlag)
{
    for (int t = 0; t < 4; ++t) {
        TeamEntry& position = entry(t);
        const int stop = position.halted ? 1 : stopFlag;
        if (stop == 0 && m_s.joysticks && m_phase == MatchPhase::TeleopRunning) {
            const JoystickState driver1 = m_s.joysticks->GetPositionState(2 * t);
            const JoystickState driver2 = m_s.joysticks->GetPositionState(2 * t + 1);
            position.QueueControlMessage(&driver1, &driver2, m_autonomousFlag, stop);
        } else {
            position.QueueControlMessage(nullptr, nullptr, m_autonomousFlag, stop);
        }
    }
}

void MatchClock::StartMatch()
{
    m_s.log.LogEvent(-1, QStringLiteral("Start Match Requested"));
    if (m_settings.teleopEnabled)
        m_s.log.LogEvent(-1, QStringLiteral("Teleop: ") + minutesSeconds(m_settings.teleopSeconds));
    if (m_settings.autonomousEnabled)
        m_s.log.LogEvent(-1, QStringLiteral("Autonomous: ")
                                 + minutesSeconds(m_settings.autonomousSeconds));

    std::array<QString, 4> teams;
    if (m_s.view.takeEditedTeamNumbers(teams)) {
        m_s.matches.RecordActualTeams(m_s.matches.GetCurrentIndex(), m_s.matches.GetCurrentType(),
                                      teams[0], teams[1], QString(), teams[2], teams[3], QString());
        m_s.log.LogEvent(-1, QStringLiteral("Modified match: %1,%2 vs %3,%4")
                                 .arg(teams[0], teams[1], teams[2], teams[3]));
        m_s.view.refreshMatchCaptions();
    }

    switch (m_summary) {
    case 1: m_s.log.LogEvent(-1, QStringLiteral("Some Teams had Errors")); break;
    case 2: m_s.log.LogEvent(-1, QStringLiteral("Some Teams had Warnings")); break;
    case 3: break;
    default:
        if (m_s.prompt.ask(Str(202), Prompt::Buttons::OkCancel, Prompt::Icon::Question)
            != Prompt::Answer::Ok)
            return;
        break;
    }

    if (m_phase == MatchPhase::Idle) {
        m_record.startTime = m_s.wallClock.now().toSecsSinceEpoch();
        m_record.teleopText = m_settings.teleopEnabled ? minutesSeconds(m_settings.teleopSeconds)
                                                       : Str(268);
        m_record.autonomousText = m_settings.autonomousEnabled
                                      ? minutesSeconds(m_settings.autonomousSeconds)
                                      : Str(269);
        if (const CMatch* current = m_s.matches.GetCurrentMatch())
            m_record.matchName = current->m_strNumber;
        for (int t = 0; t < 4; ++t) {
            if (!entry(t).GetTeamName().isEmpty())
                entry(t).BeginMatchStats();
            else
                entry(t).statsState = 0;
        }
    }

    for (int t = 0; t < 4; ++t)
        entry(t).SetBatteryLatch(true);

    if (m_phase == MatchPhase::Idle) {
        if (m_settings.autonomousEnabled)
            StartAutonomous();
        else if (m_settings.teleopEnabled)
            StartTeleop();
    } else if (m_phase == MatchPhase::Waiting) {
        if (m_settings.teleopEnabled)
            StartTeleop();
    }
}

void MatchClock::StartAutonomous()
{
    playCue(kCueCharge);
    m_s.log.LogEvent(-1, QStringLiteral("Start Autonomous mode"));
    m_periodStart = m_s.clock.nowMs();
    m_autonomousFlag = 1;
    m_periodSeconds = m_settings.autonomousSeconds;
    m_phase = MatchPhase::AutonomousStarting;
    for (int t = 0; t < 4; ++t) {
        entry(t).lastReply = m_periodStart;
        entry(t).connectedAtTeleopStart = false;
    }
}

void MatchClock::StartTeleop()
{
    m_s.log.LogEvent(-1, QStringLiteral("Start Teleop mode"));
    playCue(m_settings.autonomousEnabled ? kCue3Bells : kCueCharge);
    m_periodStart = m_s.clock.nowMs();
    m_periodSeconds = m_settings.teleopSeconds;
    m_warningAt = m_settings.warningSeconds * 1000;
    m_autonomousFlag = 0;
    m_phase = MatchPhase::TeleopStarting;
    for (int t = 0; t < 4; ++t) {
        TeamEntry& position = entry(t);
        if (!position.joystickLost)
            position.lostJoysticks = 0;
        position.connectedAtTeleopStart = position.connected;
        position.nextConnectTry = m_periodStart;
        position.lastReply = m_periodStart;
    }
}

bool MatchClock::EndPeriod()
{
    switch (m_phase) {
    case MatchPhase::AutonomousStarting:
    case MatchPhase::AutonomousRunning:
        m_phase = MatchPhase::AutonomousEnded;
        return false;
    case MatchPhase::TeleopStarting:
    case MatchPhase::TeleopRunning:
        m_phase = MatchPhase::TeleopEnded;
        return false;
    case MatchPhase::AutonomousEnded:
        if (m_settings.teleopEnabled) {
            m_phase = MatchPhase::Waiting;
            ClearEStops();
            return false;
        }
        EndMatch();
        ClearEStops();
        FinishMatch();
        return true;
    default:
        ClearEStops();
        EndMatch();
        FinishMatch();
        return true;
    }
}

void MatchClock::EndMatch()
{
    m_s.log.LogEvent(-1, QStringLiteral("End match"));
    QString caption;
    if (CMatch* current = m_s.matches.GetCurrentMatch()) {
        caption = FormatMessage(205, {current->m_strNumber});
        current->m_nStatus = 1;
        m_record.statusText = Str(263);
    } else {
        caption = Str(206);
    }
    m_s.view.showMatchCaption(caption);
    if (m_s.matchEnded)
        m_s.matchEnded();
}

void MatchClock::FinishMatch()
{
    m_phase = m_settings.autonomousEnabled ? MatchPhase::Idle : MatchPhase::MatchOver;
    for (int t = 0; t < 4; ++t)
        if (entry(t).statsState == 1)
            entry(t).FinishMatchStats();
    if (m_phase == MatchPhase::MatchOver)
        for (int t = 0; t < 4; ++t)
            entry(t).matchOver = entry(t).connected;
}

void MatchClock::ClearEStops()
{
    for (int t = 0; t < 4; ++t)
        entry(t).halted = false;
}

void MatchClock::StopMatch()
{
    m_s.log.LogEvent(-1, QStringLiteral("Stop Match Requested"));
    playCue(kCueFoghorn);
    for (int t = 0; t < 4; ++t)
        entry(t).StopRobot(m_autonomousFlag);
    ClearEStops();
    if (CMatch* current = m_s.matches.GetCurrentMatch())
        current->m_nStatus = 2;
    m_record.statusText = Str(264);
    FinishMatch();
    for (int t = 0; t < 4; ++t)
        entry(t).SetBatteryLatch(false);
}

void MatchClock::HaltPosition(int position)
{
    if (position < 0 || position > 3)
        return;
    m_s.log.LogEvent(position, QStringLiteral("Halt Requested"));
    entry(position).halted = true;
    entry(position).StopRobot(m_autonomousFlag);
    for (int t = 0; t < 4; ++t)
        if (entry(t).connected && !entry(t).halted)
            return;
    StopMatch();
}

void MatchClock::runningService()
{
    const qint32 now = m_s.clock.nowMs();
    for (int t = 0; t < 4; ++t) {
        TeamEntry& position = entry(t);
        if (position.connectedAtTeleopStart && !position.halted && !position.connected) {
            if (position.lastReply + kAutoEStopSilenceMs < now) {
                position.notes += QStringLiteral("Auto E-Stop - ");
                m_s.log.LogEvent(t, QStringLiteral("Auto E-Stop"));
                HaltPosition(t);
            } else if (position.nextConnectTry < now) {
                position.nextConnectTry = now + kReconnectIntervalMs;
                position.Connect(false);
                ++position.reconnects;
            }
        }
        refreshStatus(t, true);
    }
}

void MatchClock::idleServiceAll()
{
    for (int t = 0; t < 4; ++t)
        idleService(t);
}

void MatchClock::idleService(int t)
{
    const qint32 now = m_s.clock.nowMs();
    TeamEntry& position = entry(t);

    if (position.connected) {
        position.PollStatus();
    } else if (m_s.discovery) {
        int index = position.discoveryIndex;
        if (!position.GetTeamName().isEmpty() && index == -1) {
            if (now - m_lastDiscoveryNudge > kDiscoveryNudgeMs) {
                m_s.discovery->RequestRefresh();
                m_lastDiscoveryNudge = now;
            }
            bool multiple = false;
            index = m_s.discovery->FindByName(position.moduleName, multiple);
            if (multiple)
                position.multipleMatches = true;
        }
        if (index >= 0) {
            const bool multiple = position.multipleMatches;
            position.AssignModule(index);
            position.multipleMatches = multiple;
            m_s.discovery->GetAddresses(index, position.moduleAddress, position.localAddress);
            if (position.autoConnect && position.nextConnectTry <= now) {
                position.nextConnectTry = now + kIdleConnectIntervalMs;
                position.Connect(false);
                return;
            }
            if (position.connected)
                position.PollStatus();
        }
    }

    if (m_phase == MatchPhase::Waiting && !position.halted)
        position.PrepareTeleop();

    position.joystickLost = false;
    if (m_s.joysticks) {
        if (m_s.joysticks->GetPositionState(2 * t).status == JS_NOT_READ
            || m_s.joysticks->GetPositionState(2 * t + 1).status == JS_NOT_READ) {
            ++position.lostJoysticks;
            position.joystickLost = true;
        }
    }

    refreshStatus(t, false);
    computeSummary();
}

void MatchClock::refreshStatus(int t, bool inMatch)
{
    TeamEntry& position = entry(t);
    QString text;
    const int level = position.EvaluateStatus(text, inMatch, m_phase);
    const auto i = static_cast<size_t>(t);
    if (level == m_levels[i] && text == m_texts[i])
        return;
    m_levels[i] = level;
    m_texts[i] = text;
    m_s.view.showTeamStatus(t, level, text, position.GetBatteryLevel(), position.GetLinkState());
}

void MatchClock::computeSummary()
{
    int summary = 0;
    for (const int level : m_levels) {
        if (level == 1)
            summary = 1;
        else if (level == 2 && summary != 1)
            summary = 2;
        else if (level == 3 && summary == 0)
            summary = 3;
    }
    m_summary = summary;
}

void MatchClock::returnToIdle()
{
    if (m_phase == MatchPhase::MatchOver)
        m_phase = MatchPhase::Idle;
}

int MatchClock::modeTextId() const
{
    switch (m_phase) {
    case MatchPhase::Idle: return 192;
    case MatchPhase::AutonomousStarting:
    case MatchPhase::AutonomousRunning:
    case MatchPhase::AutonomousEnded: return 195;
    case MatchPhase::Waiting:
        return m_settings.autonomousEnabled && m_settings.teleopEnabled ? 196 : 192;
    case MatchPhase::TeleopStarting:
    case MatchPhase::TeleopRunning:
    case MatchPhase::TeleopEnded: return 194;
    case MatchPhase::MatchOver: return 193;
    }
    return 192;
}

int MatchClock::modeColourRole() const
{
    switch (m_phase) {
    case MatchPhase::Idle: return 0;
    case MatchPhase::Waiting: return modeTextId() == 196 ? 2 : 0;
    case MatchPhase::MatchOver: return 2;
    default: return 3;
    }
}
