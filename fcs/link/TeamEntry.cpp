#include "fcs/link/TeamEntry.h"

#include "fcs/app/LogSink.h"
#include "platform/Clock.h"

TeamEntry::TeamEntry(const Clock& clock, LogSink& log, int pos)
    : position(pos), m_clock(clock), m_log(log)
{
    Reset();
}

TeamEntry::~TeamEntry() = default;

void TeamEntry::Reset()
{
    CloseLink();
    discoveryIndex = -1;
    halted = false;
    moduleName.clear();
    moduleAddress.clear();
    teleopProgram.clear();
    currentProgram.clear();
    localAddress.clear();
    connected = false;
    nextConnectTry = m_clock.nowMs();
    autoConnect = true;
    joystickLost = false;
    connectedAtTeleopStart = false;
    matchOver = false;
    statsState = 0;
    messagesSent = 0;
    lostJoysticks = 0;
    reconnects = 0;
    lastReply = 0;
    multipleMatches = false;
    batteryLatch = false;
    batteryLevel = 3;
}

void TeamEntry::RequestReset()
{
    Reset();
}

void TeamEntry::AssignModule(int index)
{
    multipleMatches = false;
    discoveryIndex = index;
}

bool TeamEntry::IsReservedName() const
{
    return moduleName.compare(QLatin1String("NXT"), Qt::CaseInsensitive) == 0
           || moduleName.compare(QLatin1String("NXTNXT"), Qt::CaseInsensitive) == 0;
}

static bool hasTeamPrefix(const QString& name)
{
    return name.startsWith(QLatin1String("NXT"), Qt::CaseInsensitive)
           || name.startsWith(QLatin1String("JRV"), Qt::CaseInsensitive);
}

QString TeamEntry::GetTeamName() const
{
    return hasTeamPrefix(moduleName) ? moduleName.mid(3) : moduleName;
}

QString TeamEntry::GetTeamNumber() const
{
    return hasTeamPrefix(moduleName) ? moduleName.mid(3, 4) : moduleName.left(4);
}

void TeamEntry::Connect(bool)
{
    m_log.LogTick(position, QStringLiteral("Connect"));
}

int TeamEntry::EvaluateStatus(QString& text, bool, MatchPhase)
{
    // No robot link yet: a named position is waiting for its robot.
    if (moduleName.isEmpty()) {
        text.clear();
        return 0;
    }
    text = QStringLiteral("Not Connected");
    return 1;
}

int TeamEntry::GetLinkState() const
{
    return connected ? 0 : 1;
}

void TeamEntry::SetBatteryLatch(bool on)
{
    batteryLatch = on;
    if (!on)
        batteryLevel = 3;
}

void TeamEntry::BeginMatchStats()
{
    statsState = 1;
    messagesSent = 0;
    lostJoysticks = 0;
    reconnects = 0;
}

void TeamEntry::FinishMatchStats()
{
    statsState = 0;
}

void TeamEntry::QueueControlMessage(const JoystickState*, const JoystickState*, int, int) {}

bool TeamEntry::StopRobot(int)
{
    return true; // nothing connected, nothing to stop
}

bool TeamEntry::PrepareTeleop()
{
    return true;
}

void TeamEntry::PollStatus() {}

void TeamEntry::CloseLink()
{
    connected = false;
}
