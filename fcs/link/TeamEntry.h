#pragma once

#include "fcs/app/MatchTypes.h"
#include "fcs/joystick/JoystickState.h"

#include <QString>
#include <QtGlobal>

class Clock;
class LogSink;

// One team position's robot link and status, as the match clock drives it.
// The robot-facing operations are virtual so that the clock can be tested
// against scripted positions.
class TeamEntry {
public:
    TeamEntry(const Clock& clock, LogSink& log, int position);
    virtual ~TeamEntry();
    TeamEntry(const TeamEntry&) = delete;
    TeamEntry& operator=(const TeamEntry&) = delete;

    // Link state and names
    virtual void Reset();
    virtual void RequestReset();
    virtual void AssignModule(int discoveryIndex);
    void SetModuleName(const QString& name) { moduleName = name; }
    bool IsReservedName() const;
    QString GetTeamName() const;
    QString GetTeamNumber() const;
    virtual void Connect(bool force);
    virtual int EvaluateStatus(QString& text, bool inMatch, MatchPhase phase);
    virtual int GetLinkState() const;
    int GetBatteryLevel() const { return batteryLevel; }
    void SetBatteryLatch(bool on);
    virtual void BeginMatchStats();
    virtual void FinishMatchStats();

    // Control channel
    virtual void QueueControlMessage(const JoystickState* driver1, const JoystickState* driver2,
                                     int autonomousFlag, int stopFlag);
    virtual bool StopRobot(int autonomousFlag);
    virtual bool PrepareTeleop();
    virtual void PollStatus();
    virtual void CloseLink();

    // Fields the match clock and the main window read and write.
    QString moduleAddress;
    QString localAddress;
    QString moduleName;
    QString teleopProgram;
    QString currentProgram;
    QString autonomousProgram;
    QString notes;
    bool connected = false;
    bool halted = false;
    bool connectedAtTeleopStart = false;
    bool joystickLost = false;
    bool autoConnect = true;
    bool matchOver = false;
    bool multipleMatches = false;
    int statsState = 0;
    int discoveryIndex = -1;
    qint32 lastReply = 0;
    qint32 nextConnectTry = 0;
    qint32 reconnects = 0;
    qint32 lostJoysticks = 0;
    qint32 messagesSent = 0;
    int batteryLevel = 3;
    bool batteryLatch = false;
    int position;

protected:
    const Clock& m_clock;
    LogSink& m_log;
};
