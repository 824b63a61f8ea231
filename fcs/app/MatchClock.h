#pragma once

#include "fcs/app/MatchLogRecord.h"
#include "fcs/app/MatchTypes.h"

#include <QString>
#include <array>
#include <functional>

class Clock;
class WallClock;
class LogSink;
class Prompt;
class TeamEntry;
class CJoystickMgr;
class CMatchArray;
class MatchClockView;
class ModuleFinder;

// What one tick hands to the scoring server's status datagram.
struct TickReport {
    MatchPhase phase = MatchPhase::Idle;
    bool inEndGame = false;
    bool matchEndedThisTick = false;
    qint32 timeShown = 0;
    std::array<bool, 4> halted{};
    std::array<int, 4> levels{};
};

// The match clock and phase machine: one tick advances the match, shows the
// time, drives the four positions and plays the cues.
class MatchClock {
public:
    struct Services {
        const Clock& clock;
        const WallClock& wallClock;
        LogSink& log;
        Prompt& prompt;
        CMatchArray& matches;
        MatchClockView& view;
        std::array<TeamEntry*, 4> positions;
        CJoystickMgr* joysticks = nullptr;
        ModuleFinder* discovery = nullptr;
        // Plays a cue by the string number of its name; -1 plays nothing.
        std::function<void(int)> playCue;
        // Scoring-server seams: the pending match-log upload of idle phases and
        // the per-tick status datagram (only called while integration is active).
        std::function<void()> uploadPendingMatchLog;
        std::function<bool()> integrationActive;
        std::function<void(const TickReport&)> sendStatusDatagram;
        // Called when a match ends (per-match debug log close and upload).
        std::function<void()> matchEnded;
    };

    MatchClock(Services services, const MatchSettings& settings);

    void OnTick();
    void StartMatch();
    void StopMatch();
    void HaltPosition(int position);
    void ClearEStops();

    MatchPhase phase() const { return m_phase; }
    const MatchSettings& settings() const { return m_settings; }
    void setSettings(const MatchSettings& settings) { m_settings = settings; }
    int TeamStatusSummary() const { return m_summary; }
    int cachedLevel(int position) const { return m_levels[static_cast<size_t>(position)]; }
    QString cachedText(int position) const { return m_texts[static_cast<size_t>(position)]; }
    bool inEndGame() const { return m_inEndGame; }
    void clearEndGame() { m_inEndGame = false; }
    MatchLogRecord& matchLogRecord() { return m_record; }
    qint32 autonomousFlag() const { return m_autonomousFlag; }

    // Leaves MatchOver for Idle (Remove All Teams, configuration OK, and the
    // Connect/Disconnect rule of the main window).
    void returnToIdle();
    // The "Current Mode" text's string number and colour role (0 default,
    // 2 caution, 3 OK) for the phase.
    int modeTextId() const;
    int modeColourRole() const;

private:
    void StartAutonomous();
    void StartTeleop();
    bool EndPeriod();
    void EndMatch();
    void FinishMatch();
    void sendControlMessages(int stopFlag);
    void runningService();
    void idleService(int position);
    void idleServiceAll();
    void refreshStatus(int position, bool inMatch);
    void computeSummary();
    bool stopAllRobots();
    void playCue(int id);
    TeamEntry& entry(int position) { return *m_s.positions[static_cast<size_t>(position)]; }

    Services m_s;
    MatchSettings m_settings;
    MatchPhase m_phase = MatchPhase::Idle;
    qint32 m_periodStart = 0;
    qint32 m_periodSeconds = 0;
    qint32 m_matchOverUntil = 0;
    qint32 m_warningAt = 0;
    qint32 m_autonomousFlag = 0;
    bool m_inEndGame = false;
    qint32 m_lastDiscoveryNudge = 0;
    std::array<int, 4> m_levels{4, 4, 4, 4};
    std::array<QString, 4> m_texts;
    int m_summary = 0;
    MatchLogRecord m_record;
};
