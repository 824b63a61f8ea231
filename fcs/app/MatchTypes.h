#pragma once

// The nine phases of a match, in their numeric order.
enum class MatchPhase {
    Idle = 0,
    AutonomousStarting = 1,
    AutonomousRunning = 2,
    AutonomousEnded = 3,
    Waiting = 4,
    TeleopStarting = 5,
    TeleopRunning = 6,
    TeleopEnded = 7,
    MatchOver = 8,
};

// Colour set of the digit clocks.
enum class TimerStyle { EndGame = 0, Neutral = 1, Autonomous = 2, Teleop = 3 };

// Per-period indicator of the audience display.
enum class PeriodIndicator { Disabled = 0, Next = 1, Running = 2, Pending = 3 };

// The run-time match definition; the four flags start true on every run.
struct MatchSettings {
    bool autonomousEnabled = true;
    bool teleopEnabled = true;
    bool pauseBetweenPeriods = true;
    bool endOfMatchWarning = true;
    int autonomousSeconds = 30;
    int teleopSeconds = 120;
    int warningSeconds = 30;

    bool warningConfigured() const { return endOfMatchWarning && warningSeconds < teleopSeconds; }
};

// Status levels of a position: 0 none, 1 error, 2 warning, 3 good.
enum StatusLevel { StatusNone = 0, StatusError = 1, StatusWarning = 2, StatusGood = 3 };
