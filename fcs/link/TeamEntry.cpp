#include "fcs/link/TeamEntry.h"

#include "fcs/app/LogSink.h"
#include "fcs/app/Preferences.h"
#include "fcs/link/ModuleDirectory.h"
#include "fcs/resources/StringTable.h"
#include "platform/Clock.h"
#include "platform/Text8.h"

#include <QObject>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>

using namespace NxtProtocol;

namespace {
// Status texts.
constexpr int kStrMatchOver = 2101;
constexpr int kStrMultiple = 2102;
constexpr int kStrReservedName = 2103;
constexpr int kStrCantFind = 2104;
constexpr int kStrOffOrFirewalled = 2105;
constexpr int kStrDisabledStatus = 2106;
constexpr int kStrNotConnected = 2107;
constexpr int kStrNoConnection = 2108;
constexpr int kStrAttempting = 2109;
constexpr int kStrInspecting = 2110;
constexpr int kStrNoTeleop = 2111;
constexpr int kStrLostJoysticks = 2112;
constexpr int kStrNoProgram = 2113;
constexpr int kStrNxtBattery = 2114;
constexpr int kStrLow = 2115;
constexpr int kStrBad = 2116;
constexpr int kStrModuleBattery = 2117;
constexpr int kStrTervanaVersion = 2118;
constexpr int kStrDisabledNote = 2119;
constexpr int kStrSendFail = 258;

const QString kLineEnd = QStringLiteral("\r\n");
const QString kControlService = QStringLiteral("2901");

const Preferences& defaultPreferences()
{
    static const Preferences prefs;
    return prefs;
}

bool hasTeamPrefix(const QString& name)
{
    return name.startsWith(QLatin1String("NXT"), Qt::CaseInsensitive)
           || name.startsWith(QLatin1String("JRV"), Qt::CaseInsensitive);
}

QString volts(qint32 mv)
{
    return QString::asprintf("%.3f", mv / 1000.0);
}
}

TeamEntry::TeamEntry(const Clock& clock, LogSink& log, const Preferences& prefs, int pos,
                     bool fakeModuleMode)
    : position(pos), m_clock(clock), m_log(log), m_prefs(prefs), m_fakeModuleMode(fakeModuleMode),
      m_events(std::make_unique<QObject>()), m_handler(m_events.get(), this)
{
    Reset();
}

TeamEntry::TeamEntry(const Clock& clock, LogSink& log, int pos)
    : TeamEntry(clock, log, defaultPreferences(), pos, false)
{
}

TeamEntry::~TeamEntry()
{
    m_link.Stop();
}

qint32 TeamEntry::now() const
{
    return m_clock.nowMs();
}

// ---------------------------------------------------------------- names and state

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
    nxtBatteryMv = moduleBatteryMv = usbMv = 0;
    btAddress.fill(0);
    btSignal = freeFlash = 0;
    protocolMajor = protocolMinor = firmwareMajor = firmwareMinor = 0;
    connected = false;
    everConnected = false;
    dropped = false;
    expected = -1;
    nextConnectTry = now();
    lastPoll = now() - 10000;
    flags = 0;
    autoConnect = true;
    joystickLost = connectedAtTeleopStart = matchOver = false;
    statsState = 0;
    messagesSent = lostJoysticks = receivedDuringMatch = lostDuringMatch = reconnects = 0;
    startNxtMv = startModuleMv = startTotal = endNxtMv = endModuleMv = endTotal = 0;
    counterEnd.fill(0);
    counterStart.fill(0);
    lastActivity = lastReply = 0;
    logoWritten = logoOnTimer = false;
    multipleMatches = displayDirty = false;
    batteryLatch = false;
    batteryLevel = 3;
    fileHandle = 255;
    bytesLeft = 0;
    // Whatever the previous module said, including its last error, belongs to it.
    moduleInfo = ModuleInfo();
    heldByOther = false;
}

void TeamEntry::RequestReset()
{
    flags |= RESET_REQUESTED;
    Update();
}

void TeamEntry::AssignModule(int index)
{
    multipleMatches = false;
    discoveryIndex = index;
    if (index >= 0 && directory) {
        QString name, address, detail;
        if (directory->Lookup(index, name, address, detail)) {
            moduleName = name;
            moduleAddress = address;
        }
    }
}

bool TeamEntry::IsReservedName() const
{
    return moduleName.compare(QLatin1String("NXT"), Qt::CaseInsensitive) == 0
           || moduleName.compare(QLatin1String("NXTNXT"), Qt::CaseInsensitive) == 0;
}

QString TeamEntry::GetTeamName() const
{
    return hasTeamPrefix(moduleName) ? moduleName.mid(3) : moduleName;
}

QString TeamEntry::GetTeamNumber() const
{
    return hasTeamPrefix(moduleName) ? moduleName.mid(3, 4) : moduleName.left(4);
}

void TeamEntry::Connect(bool force)
{
    m_log.LogTick(position, QStringLiteral("Connect"));
    if (IsReservedName())
        return;
    flags |= force ? WANT_EXCLUSIVE_FORCE : WANT_EXCLUSIVE;
    Update();
}

int TeamEntry::GetLinkState() const
{
    if (connected)
        return 0;
    if (directory && discoveryIndex >= 0) {
        QString name, address, detail;
        if (directory->Lookup(discoveryIndex, name, address, detail)
            && detail.startsWith(QLatin1Char('L')))
            return 2;
    }
    return 1;
}

void TeamEntry::SetBatteryLatch(bool on)
{
    batteryLatch = on;
    if (!on)
        batteryLevel = 3;
}

int TeamEntry::EvaluateStatus(QString& text, bool inMatch, MatchPhase phase)
{
    const QString team = GetTeamName();
    auto withTeam = [&](int id) { return FormatMessage(id, {team, moduleAddress}); };

    if (moduleName.isEmpty()) {
        text.clear();
        return 0;
    }
    if (matchOver) {
        text = Str(kStrMatchOver);
        return 1;
    }
    if (!connected) {
        if (multipleMatches)
            text = withTeam(kStrMultiple);
        else if (IsReservedName())
            text = Str(kStrReservedName);
        else if (moduleAddress.isEmpty())
            text = withTeam(kStrCantFind);
        else if (!moduleInfo.lastError.isEmpty())
            text = moduleInfo.lastError;
        else if (dropped)
            text = withTeam(kStrOffOrFirewalled);
        else if (halted)
            text = Str(kStrDisabledStatus);
        else
            text = withTeam(kStrNotConnected);
        return 1;
    }
    if (!isSocketOpen()) {
        if (everConnected)
            text = withTeam(kStrNoConnection);
        else if (dropped)
            text = withTeam(kStrOffOrFirewalled);
        else
            text = withTeam(kStrAttempting);
        return 1;
    }
    if (!inMatch && (flags & (WANT_FIRMWARE | WANT_CONFIG_FILE))) {
        text = withTeam(kStrInspecting);
        return 0;
    }

    int severity = 3;
    auto lower = [&severity](int n) { severity = std::min(severity, n); };
    text.clear();
    if (halted) {
        text += Str(kStrDisabledStatus) + kLineEnd;
        severity = 1;
    }
    if (!inMatch && teleopProgram.isEmpty()) {
        text += Str(kStrNoTeleop) + kLineEnd;
        severity = 1;
    }
    if (joystickLost) {
        text += FormatMessage(kStrLostJoysticks, {lostJoysticks}) + kLineEnd;
        lower(1);
    }
    if (currentProgram.isEmpty()) {
        text += Str(kStrNoProgram) + kLineEnd;
        lower(!inMatch || phase == MatchPhase::AutonomousRunning ? 2 : 1);
    }

    int level = 3;
    text += FormatMessage(kStrNxtBattery, {volts(nxtBatteryMv)});
    if (nxtBatteryMv < 7500) {
        level = nxtBatteryMv < 7000 ? 1 : 2;
        text += Str(level == 1 ? kStrBad : kStrLow);
    }
    lower(level);

    int moduleLevel = 3;
    text += kLineEnd + FormatMessage(kStrModuleBattery, {volts(moduleBatteryMv)});
    if (moduleBatteryMv < 11000) {
        moduleLevel = moduleBatteryMv < 9000 ? 1 : 2;
        text += Str(moduleLevel == 1 ? kStrBad : kStrLow);
    }
    lower(moduleLevel);
    level = std::min(level, moduleLevel);

    const bool oldModule = moduleInfo.versionMajor < m_prefs.minModuleMajor
                           || (moduleInfo.versionMajor == m_prefs.minModuleMajor
                               && moduleInfo.versionMinor < m_prefs.minModuleMinor);
    if (oldModule) {
        text += kLineEnd
                + FormatMessage(kStrTervanaVersion,
                                {QString::asprintf("%01d.%02d", moduleInfo.versionMajor,
                                                   moduleInfo.versionMinor)});
        lower(2);
    }

    batteryLevel = batteryLatch ? std::min(batteryLevel, level) : level;
    return severity;
}

// ---------------------------------------------------------------- match figures

void TeamEntry::BeginMatchStats()
{
    statsState = 1;
    messagesSent = lostJoysticks = receivedDuringMatch = lostDuringMatch = reconnects = 0;
    autonomousProgram = currentProgram;
    notes.clear();
    startNxtMv = endNxtMv = nxtBatteryMv;
    startModuleMv = endModuleMv = moduleBatteryMv;
    startTotal = endTotal = moduleInfo.messageTotal();
    for (size_t k = 0; k < 4; ++k)
        counterStart[k] = counterEnd[k] = moduleInfo.counters[k];
}

void TeamEntry::FinishMatchStats()
{
    if (connected && isSocketOpen()) {
        flags |= WANT_PARTIAL_INFO;
        statsState = 2;
        Update();
        return;
    }
    statsState = 0;
    ReportMatchStats();
}

void TeamEntry::TakeFinalReading()
{
    endNxtMv = nxtBatteryMv;
    endModuleMv = moduleBatteryMv;
    endTotal = moduleInfo.messageTotal();
    for (size_t k = 0; k < 4; ++k)
        counterEnd[k] = moduleInfo.counters[k];
    receivedDuringMatch = endTotal - startTotal;
    lostDuringMatch = messagesSent + startTotal - endTotal;
    statsState = 0;
}

void TeamEntry::ReportMatchStats()
{
    if (matchLog)
        matchLog(*this);
}

// ---------------------------------------------------------------- module web pages

void TeamEntry::ScheduleRequest()
{
    // SEAM (module web pages): the requests of the module's pages are served
    // here. Until those pages are implemented, taking exclusive use opens the
    // control link at once, and the partial information read at match end
    // finishes the figures with what the entry already knows. The web-page
    // requests the link sets (device page, logo, partial information) stay
    // set for the scheduler that replaces this.
    if (moduleAddress.isEmpty() || (flags & HTTP_BUSY))
        return;
    if (flags & (WANT_EXCLUSIVE | WANT_EXCLUSIVE_FORCE)) {
        flags &= ~(WANT_EXCLUSIVE | WANT_EXCLUSIVE_FORCE);
        ConnectLink();
        return;
    }
    if ((flags & WANT_PARTIAL_INFO) && statsState == 2) {
        flags &= ~WANT_PARTIAL_INFO;
        TakeFinalReading();
        ReportMatchStats();
    }
}

// ---------------------------------------------------------------- control link

void TeamEntry::ConnectLink()
{
    m_log.LogTick(position, QStringLiteral("Connect TCP"));
    if (connected || isSocketOpen())
        return;
    connected = true;
    displayDirty = true;
    m_link.Stop(); // joins a watch thread that ended on its own
    m_handler.setConnection(++m_connection);
    m_replies.Clear();
    m_link.SetHandler(&m_handler);
    if (!m_link.Start(localAddress, moduleAddress, kControlService, QString(), AF_INET, SOCK_STREAM,
                      0))
        connected = false;
}

void TeamEntry::CloseLink()
{
    if (statsState == 2) {
        statsState = 0;
        ReportMatchStats();
    }
    m_log.LogEvent(position, QStringLiteral("Close Connection"));
    ++m_connection; // events still queued for this connection are dropped
    m_link.Stop();
    m_replies.Clear();
    connected = false;
}

void TeamEntry::QueueControlMessage(const JoystickState* driver1, const JoystickState* driver2,
                                    int autonomousFlag, int stopFlag)
{
    WriteControlFrame(control, autonomousFlag, stopFlag);
    if (driver1 && driver1->status == JS_NOT_READ) {
        ++lostJoysticks;
        joystickLost = true;
        WriteDriverBlock(control.data() + 7, nullptr);
    } else {
        WriteDriverBlock(control.data() + 7, driver1);
        if (driver1)
            joystickLost = false;
    }
    if (driver2 && driver2->status == JS_NOT_READ) {
        ++lostJoysticks;
        joystickLost = true;
        WriteDriverBlock(control.data() + 14, nullptr);
    } else {
        WriteDriverBlock(control.data() + 14, driver2);
    }

    flags |= CONTROL_PENDING;
    if (m_fakeModuleMode) {
        flags |= WANT_BATTERY | WANT_LOGO;
    } else if (now() - lastPoll > kPollIntervalMs) {
        lastPoll = now();
        flags |= WANT_BATTERY | WANT_PARTIAL_INFO;
    }
    Update();
}

bool TeamEntry::StopRobot(int autonomousFlag)
{
    savedAutonomous = static_cast<quint8>(autonomousFlag);
    if (currentProgram.isEmpty() || !connected || !isSocketOpen())
        return true;
    if (!(flags & (STOP_BURST | WANT_STOP_PROGRAM))) {
        if (halted)
            notes += Str(kStrDisabledNote);
        flags |= STOP_BURST;
        lastStopSend = 0;
        stopUntil = now() + kStopBurstMs;
    }
    Update();
    return false;
}

bool TeamEntry::PrepareTeleop()
{
    if (moduleName.isEmpty() || currentProgram == teleopProgram)
        return true;
    if (teleopProgram.isEmpty())
        return false;
    if (!currentProgram.isEmpty())
        flags |= WANT_STOP_PROGRAM;
    flags |= WANT_START_TELEOP;
    Update();
    return false;
}

void TeamEntry::PollStatus()
{
    if (now() - lastPoll > kPollIntervalMs) {
        flags |= WANT_BATTERY | WANT_PROGRAM_NAME | WANT_PARTIAL_INFO;
        lastPoll = now();
    }
    Update();
}

void TeamEntry::Update()
{
    ServiceLink();
    ScheduleRequest();
    if ((flags & RESET_REQUESTED) && !(flags & (AWAITING_REPLY | HTTP_BUSY)))
        Reset();
}

void TeamEntry::ServiceLink()
{
    const qint32 t = now();
    if (flags & AWAITING_REPLY) {
        if (t - sentAt < kReplyTimeoutMs)
            return;
        m_log.LogEvent(position, QStringLiteral("Timeout TCP Request"));
        CloseLink();
        flags &= ~AWAITING_REPLY;
    }
    if (flags & CONTROL_PENDING) {
        if (m_prefs.joystickReplyRequired) {
            control[0] = 0x00;
            SendCommand(control.data(), kControlMessageSize, RC_CONTROL);
            ++messagesSent;
            return;
        }
        control[0] = 0x80;
        flags &= ~CONTROL_PENDING;
        SendCommand(control.data(), kControlMessageSize, RC_NONE);
        ++messagesSent;
    }
    if (flags & STOP_BURST) {
        if (t <= stopUntil) {
            if (t > lastStopSend + kStopBurstSpacingMs) {
                lastStopSend = t;
                QueueControlMessage(nullptr, nullptr, savedAutonomous, 1);
            }
            return;
        }
        flags &= ~STOP_BURST;
        flags |= WANT_STOP_PROGRAM;
    }
    if (flags & WANT_PROGRAM_NAME) {
        SendCommand(GetCurrentProgramName(), RC_PROGRAM_NAME);
        return;
    }
    if (flags & WANT_STOP_PROGRAM) {
        if (!currentProgram.isEmpty()) {
            SendCommand(StopProgram(), RC_STOP_PROGRAM);
            return;
        }
        flags &= ~WANT_STOP_PROGRAM;
    }
    if (flags & WANT_START_TELEOP) {
        if (teleopProgram != currentProgram) {
            SendCommand(StartProgram(teleopProgram), RC_START_PROGRAM);
            return;
        }
        flags &= ~WANT_START_TELEOP;
    }
    if (flags & WANT_DEVICE_INFO)
        SendCommand(GetDeviceInfo(), RC_DEVICE_INFO);
    else if (flags & WANT_FIRMWARE)
        SendCommand(GetFirmwareVersion(), RC_FIRMWARE);
    else if (flags & WANT_CONFIG_FILE)
        SendCommand(OpenRead(), RC_CONFIG_OPEN);
    else if (flags & WANT_BATTERY)
        SendCommand(NxtProtocol::GetBatteryLevel(), RC_BATTERY);
}

int TeamEntry::SendCommand(const QByteArray& bytes, int code)
{
    return SendCommand(reinterpret_cast<const quint8*>(bytes.constData()),
                       static_cast<int>(bytes.size()), code);
}

int TeamEntry::SendCommand(const quint8* bytes, int length, int code)
{
    expected = (position << 16) | code;
    if (!connected || !isSocketOpen())
        return -1;
    const QByteArrayView view(bytes, length);
    const int sent = m_link.endpoint.Write(bytes, length);
    if (sent != length) {
        // A short write leaves the stream out of step with the brick: as bad as none.
        const int error = sent < 0 ? errno : EAGAIN;
        const QString text = FormatMessage(kStrSendFail, {error});
        CloseLink();
        m_log.LogDump(position, LogSink::ToBrickOdd, view);
        m_log.LogEvent(position, text);
        return 1;
    }
    m_log.LogDump(position, LogSink::ToBrick, view);
    if ((bytes[0] & 0x80) == 0) {
        flags |= AWAITING_REPLY;
        sentAt = now();
        m_replies.Expect(code);
    }
    return 0;
}

void TeamEntry::ReadNextChunk()
{
    if (bytesLeft <= 0) {
        flags &= ~WANT_CONFIG_FILE;
        SendCommand(Close(fileHandle), RC_CONFIG_CLOSE);
    } else {
        SendCommand(Read(fileHandle, static_cast<quint16>(std::min(bytesLeft, kMaxReadChunk))),
                    RC_CONFIG_READ);
    }
}

void TeamEntry::OnLinkEvent(int code, int count)
{
    lastActivity = now();
    if (code == RC_CONNECTED) {
        dropped = false;
        if (!m_fakeModuleMode)
            flags |= WANT_DEVICE_INFO | WANT_FIRMWARE | WANT_BATTERY | WANT_CONFIG_FILE;
        flags |= WANT_DEVICE_PAGE | WANT_LOGO;
        moduleInfo.exclusiveReply.clear();
        heldByOther = false;
        lastReply = now();
        return;
    }
    if (code == RC_DISCONNECTED) {
        flags = 0;
        dropped = true;
        m_replies.Clear();
        m_link.Stop();
        return;
    }

    lastReply = now();
    count = std::clamp(count, 0, kReplySize);
    m_log.LogDump(position, LogSink::FromBrick,
                  QByteArrayView(reinterpret_cast<const char*>(reply.data()), count));
    flags &= ~AWAITING_REPLY;
    const quint8 status = reply[2];
    switch (code) {
    case RC_CONFIG_OPEN:
        if (status != 0) {
            flags &= ~WANT_CONFIG_FILE;
            break;
        }
        teleopProgram.clear();
        fileHandle = reply[3];
        bytesLeft = static_cast<qint32>(le32(reply.data() + 4));
        if (bytesLeft < 0 || bytesLeft > kMaxConfigFileSize)
            bytesLeft = 0; // not a program name: close it unread
        ReadNextChunk();
        break;
    case RC_CONFIG_READ: {
        if (status != 0)
            break;
        int n = le16(reply.data() + 4);
        n = std::min({n, std::max(count - 6, 0), bytesLeft});
        teleopProgram += Text8::decode(
            QByteArrayView(reinterpret_cast<const char*>(reply.data() + 6), n));
        // A read that brings nothing ends the file: asking again would bring nothing again.
        bytesLeft = n == 0 ? 0 : bytesLeft - n;
        ReadNextChunk();
        break;
    }
    case RC_BATTERY:
        nxtBatteryMv = le16(reply.data() + 3);
        flags &= ~WANT_BATTERY;
        break;
    case RC_PROGRAM_NAME:
        flags &= ~WANT_PROGRAM_NAME;
        if (status == 0) {
            const auto* name = reinterpret_cast<const char*>(reply.data() + 3);
            const size_t field = static_cast<size_t>(std::clamp(count - 3, 0, 20));
            currentProgram = Text8::decode(QByteArrayView(name, static_cast<qsizetype>(strnlen(name, field))));
        } else {
            currentProgram.clear();
        }
        break;
    case RC_CONFIG_CLOSE:
        fileHandle = 255;
        break;
    case RC_DEVICE_INFO:
        flags &= ~WANT_DEVICE_INFO;
        std::memcpy(btAddress.data(), reply.data() + 18, btAddress.size());
        btSignal = le32(reply.data() + 25);
        freeFlash = le32(reply.data() + 29);
        break;
    case RC_CONTROL:
        flags &= ~CONTROL_PENDING;
        break;
    case RC_FIRMWARE:
        flags &= ~WANT_FIRMWARE;
        protocolMinor = reply[3];
        protocolMajor = reply[4];
        firmwareMinor = reply[5];
        firmwareMajor = reply[6];
        break;
    case RC_START_PROGRAM:
    case RC_STOP_PROGRAM:
        flags |= WANT_PROGRAM_NAME;
        break;
    default:
        break;
    }
    Update();
}

// ---------------------------------------------------------------- link events

void TeamEntry::onLinkReady(quint32 connection)
{
    if (connection != m_connection)
        return;
    everConnected = true;
    OnLinkEvent(RC_CONNECTED, 0);
}

void TeamEntry::onLinkData(quint32 connection, const QByteArray& bytes)
{
    if (connection != m_connection)
        return;
    const int code = m_replies.code();
    if (!m_replies.waiting()) {
        m_log.LogDump(position, LogSink::FromBrickOdd, bytes);
        return;
    }
    const ReplyAssembler::Result result = m_replies.Feed(bytes, reply);
    if (result.discarded > 0)
        m_log.LogDump(position, LogSink::FromBrickOdd, QByteArrayView(bytes).last(result.discarded));
    if (result.complete)
        OnLinkEvent(code, result.length);
}

void TeamEntry::onLinkLost(quint32 connection)
{
    if (connection != m_connection)
        return;
    OnLinkEvent(RC_DISCONNECTED, 0);
    connected = false;
}

void TeamEntry::onLinkFailed(quint32 connection, int error)
{
    if (connection != m_connection)
        return;
    connected = false;
    if (error == 0)
        everConnected = true;
}

void TeamEntry::onLinkEnded(quint32 connection)
{
    if (connection != m_connection)
        return;
    connected = false;
}
