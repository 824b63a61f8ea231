#pragma once

#include "fcs/app/MatchTypes.h"
#include "fcs/joystick/JoystickState.h"
#include "fcs/link/ControlLinkHandler.h"
#include "fcs/link/ModuleInfo.h"
#include "fcs/link/NxtProtocol.h"
#include "fcs/link/ReplyAssembler.h"
#include "fcs/link/SocketClientImpl.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <functional>
#include <memory>

class Clock;
class LogSink;
class ModuleDirectory;
class QObject;
struct Preferences;

// One team position: the robot bound to it, the control link to its module,
// what is known of module and brick, the status text and the match figures.
// Everything runs on the UI thread; the link's watch thread reaches the entry
// only through queued calls. The robot-facing operations are virtual so that
// the match clock can be tested against scripted positions.
class TeamEntry {
public:
    static constexpr int kReplyTimeoutMs = 2000;
    static constexpr int kPollIntervalMs = 5000;
    static constexpr int kStopBurstMs = 100;
    static constexpr int kStopBurstSpacingMs = 33;
    // A "JRVConfig.txt" that claims more than this is not a program name.
    static constexpr qint32 kMaxConfigFileSize = 4096;

    TeamEntry(const Clock& clock, LogSink& log, const Preferences& prefs, int position,
              bool fakeModuleMode = false);
    // With the default preferences (scripted positions in tests).
    TeamEntry(const Clock& clock, LogSink& log, int position);
    virtual ~TeamEntry();
    TeamEntry(const TeamEntry&) = delete;
    TeamEntry& operator=(const TeamEntry&) = delete;

    // Names, binding and status
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
    // The end-of-match values of the figures, from what is known now.
    void TakeFinalReading();

    // Control channel
    void ConnectLink();
    virtual void CloseLink();
    virtual void QueueControlMessage(const JoystickState* driver1, const JoystickState* driver2,
                                     int autonomousFlag, int stopFlag);
    virtual bool StopRobot(int autonomousFlag);
    virtual bool PrepareTeleop();
    virtual void PollStatus();
    void Update();
    void ServiceLink();
    // A connection event or a reply of count bytes, already in reply.
    void OnLinkEvent(int code, int count);

    bool isSocketOpen() const { return m_link.endpoint.isOpen(); }
    bool isLinkThreadRunning() const { return m_link.IsRunning(); }

    // Fields, in the order of the record.
    QString moduleAddress;
    QString localAddress;
    ModuleInfo moduleInfo;
    bool heldByOther = false;
    qint32 nxtBatteryMv = 0;
    qint32 moduleBatteryMv = 0;
    qint32 usbMv = 0;
    QString teleopProgram;
    QString currentProgram;
    QString autonomousProgram;
    QString notes;
    std::array<quint8, 7> btAddress{};
    quint32 btSignal = 0;
    quint32 freeFlash = 0;
    quint8 protocolMajor = 0;
    quint8 protocolMinor = 0;
    quint8 firmwareMajor = 0;
    quint8 firmwareMinor = 0;
    qint32 messagesSent = 0;
    qint32 lostJoysticks = 0;
    qint32 receivedDuringMatch = 0;
    qint32 lostDuringMatch = 0;
    qint32 reconnects = 0;
    qint32 startNxtMv = 0;
    qint32 startModuleMv = 0;
    qint32 startTotal = 0;
    qint32 endNxtMv = 0;
    qint32 endModuleMv = 0;
    qint32 endTotal = 0;
    std::array<qint32, 4> counterEnd{};
    std::array<qint32, 4> counterStart{};
    qint32 nextConnectTry = 0;
    qint32 lastReply = 0;
    bool logoWritten = false;
    bool logoOnTimer = false;
    bool useDefaultLogo = false;
    bool halted = false;
    bool connectedAtTeleopStart = false;
    bool joystickLost = false;
    bool autoConnect = true;
    bool matchOver = false;
    int statsState = 0; // 0 idle, 1 running, 2 waiting for the final module reading
    int position;
    QString moduleName;
    int discoveryIndex = -1;
    bool connected = false;
    quint32 flags = 0;
    qint32 lastActivity = 0;
    bool everConnected = false;
    bool dropped = false;
    bool displayDirty = false;
    bool multipleMatches = false;
    quint8 fileHandle = 255;
    qint32 expected = -1;
    qint32 bytesLeft = 0;
    qint32 sentAt = 0;
    qint32 stopUntil = 0;
    qint32 lastStopSend = 0;
    qint32 lastPoll = 0;
    std::array<quint8, NxtProtocol::kReplySize> reply{};
    quint8 savedAutonomous = 0;
    std::array<quint8, NxtProtocol::kControlMessageSize> control{};
    int batteryLevel = 3;
    bool batteryLatch = false;

    // Receives the entry's match figures when they are final (the match log).
    std::function<void(TeamEntry&)> matchLog;
    // The modules discovery has heard; none until discovery is there.
    const ModuleDirectory* directory = nullptr;

protected:
    // Module web pages: takes exclusive use, reads the device and partial
    // information and the logo, one request at a time.
    virtual void ScheduleRequest();
    void ReportMatchStats();

    const Clock& m_clock;
    LogSink& m_log;
    const Preferences& m_prefs;
    const bool m_fakeModuleMode;

private:
    friend class ControlLinkHandler;
    // Link events, delivered on the UI thread.
    void onLinkReady(quint32 connection);
    void onLinkData(quint32 connection, const QByteArray& bytes);
    void onLinkLost(quint32 connection);
    void onLinkFailed(quint32 connection, int error);
    void onLinkEnded(quint32 connection);

    // 0 sent, 1 send failed (link closed), -1 not connected (nothing sent).
    int SendCommand(const quint8* bytes, int length, int code);
    int SendCommand(const QByteArray& bytes, int code);
    void ReadNextChunk();
    qint32 now() const;

    quint32 m_connection = 0;
    ReplyAssembler m_replies;
    std::unique_ptr<QObject> m_events;
    ControlLinkHandler m_handler;
    SocketClientImpl<ControlLinkHandler, 2048> m_link;
};
