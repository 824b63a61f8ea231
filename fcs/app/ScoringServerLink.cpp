#include "fcs/app/ScoringServerLink.h"

#include "fcs/app/DataFolders.h"
#include "fcs/app/LogSink.h"
#include "fcs/app/Preferences.h"
#include "fcs/app/ScoringServerDatagram.h"
#include "fcs/app/ScoringServerNames.h"
#include "fcs/app/ScoringServerUdpSocket.h"
#include "fcs/resources/StringTable.h"
#include "fcs/schedule/Match.h"
#include "fcs/schedule/ScoringConfig.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"

#include <QFile>

namespace {
constexpr int kConnectedTo = 402;
constexpr int kAskIntegrate = 421;
constexpr int kAskTurnOff = 422;
constexpr int kIntegrationOff = 423;
constexpr int kUnableToIntegrate = 424;
constexpr int kTeamTimerLogo = 278;
constexpr int kScoringServerFolder = 397;
constexpr int kMatchDebugLogFolder = 416;
constexpr int kLogExtension = 414;
constexpr int kPngExtension = 181;
constexpr int kCsvExtension = 266;
constexpr int kMatchLogFolder = 265;
constexpr int kJrvMatch = 267;
constexpr qint32 kMatchLogSettleMs = 66;

bool usableAddress(quint32 address)
{
    return address != 0 && address != 0xFFFFFFFFu;
}

QString verbOf(TransferKind kind)
{
    switch (kind) {
    case TransferKind::Fetch: return QStringLiteral("fetch");
    case TransferKind::Upload: return QStringLiteral("upload");
    case TransferKind::Delete: return QStringLiteral("delete");
    }
    return QString();
}
}

ScoringServerLink::ScoringServerLink(Services services, Callbacks callbacks)
    : ScoringServerLink(std::move(services), std::move(callbacks), Options{})
{
}

ScoringServerLink::ScoringServerLink(Services services, Callbacks callbacks, Options options,
                                     std::unique_ptr<ScoringServerSocket> socket)
    : m_s(std::move(services)),
      m_callbacks(std::move(callbacks)),
      m_options(options),
      m_socket(socket ? std::move(socket) : std::make_unique<ScoringServerUdpSocket>()),
      m_matchLogRetry(options.firstRetryMs, options.maxRetryMs),
      m_transfers(&m_receiver, [this](const TransferOutcome& outcome) { onOutcome(outcome); })
{
}

ScoringServerLink::~ScoringServerLink()
{
    Shutdown();
}

QString ScoringServerLink::DottedAddress(quint32 address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFF)
        .arg((address >> 8) & 0xFF)
        .arg(address & 0xFF);
}

FileServiceSettings ScoringServerLink::fileServiceSettings() const
{
    FileServiceSettings settings;
    settings.address = m_s.prefs.ssAddress;
    settings.port = m_s.prefs.ssFtpPort;
    settings.user = m_s.prefs.username;
    settings.password = m_s.prefs.password;
    settings.connectTimeoutMs = m_options.connectTimeoutMs;
    settings.connectAttempts = m_options.connectAttempts;
    settings.responseTimeoutSeconds = m_options.responseTimeoutSeconds;
    settings.stallSeconds = m_options.stallSeconds;
    return settings;
}

QString ScoringServerLink::ConnectFailureText() const
{
    // The password never appears on screen or in the log.
    return QStringLiteral("Failed to connect to FTP Server: %1 for user=%2 pass=%3 port=%4")
        .arg(DottedAddress(m_s.prefs.ssAddress), m_s.prefs.username, QStringLiteral("******"))
        .arg(m_s.prefs.ssFtpPort);
}

bool ScoringServerLink::ConnectScoringServer()
{
    DisconnectScoringServer();
    const FileServiceSettings settings = fileServiceSettings();
    if (!usableAddress(settings.address)) {
        m_s.log.LogEvent(-1, QStringLiteral("Scoring server has no address"));
        return false;
    }
    const FileServiceResult login = ScoringFileService(settings).TestLogin();
    if (!login.ok) {
        m_s.log.LogEvent(-1, ConnectFailureText() + QStringLiteral(": ") + login.error);
        return false;
    }
    if (!m_socket->Open(settings.address, m_s.prefs.ssMsgPort)) {
        m_s.log.LogEvent(-1, QStringLiteral("Scoring server message port %1 could not be opened")
                                 .arg(m_s.prefs.ssMsgPort));
        return false;
    }
    m_active = true;
    m_s.log.LogEvent(-1, QStringLiteral("Connected to scoring server %1").arg(DottedAddress(settings.address)));
    return true;
}

void ScoringServerLink::DisconnectScoringServer()
{
    m_socket->Close();
    m_active = false;
}

bool ScoringServerLink::ApplyScoringConfig(quint32 address, int key1, int key2, quint16 ftpPort,
                                           quint16 messagePort)
{
    m_s.prefs.ssAddress = address;
    m_s.prefs.ssKey1 = key1;
    m_s.prefs.ssKey2 = key2;
    m_s.prefs.ssFtpPort = ftpPort;
    m_s.prefs.ssMsgPort = messagePort;
    m_s.prefs.ssDivision = 1;
    return ConnectScoringServer();
}

bool ScoringServerLink::ApplyScoringConfig(const ScoringConfig& config)
{
    return ApplyScoringConfig(config.address, config.key1, config.key2, config.ftpPort, config.messagePort);
}

bool ScoringServerLink::OfferIntegration(const ScoringConfig& config)
{
    return OfferIntegration(config.address, config.key1, config.key2, config.ftpPort, config.messagePort);
}

bool ScoringServerLink::ConnectAtStartup()
{
    if (!m_s.prefs.ssIntegration)
        return false;
    if (ConnectScoringServer())
        return true;
    const QString question = FormatMessage(kAskTurnOff, {DottedAddress(m_s.prefs.ssAddress)});
    if (m_s.prompt.ask(question, Prompt::Buttons::YesNo, Prompt::Icon::Question) == Prompt::Answer::Yes)
        m_s.prefs.ssIntegration = 0;
    return false;
}

bool ScoringServerLink::OfferIntegration(quint32 address, int key1, int key2, quint16 ftpPort,
                                         quint16 messagePort)
{
    if (m_s.prompt.ask(Str(kAskIntegrate), Prompt::Buttons::YesNo, Prompt::Icon::Question)
        != Prompt::Answer::Yes) {
        TurnOffIntegration();
        return false;
    }
    m_s.prefs.ssIntegration = 1;
    if (ApplyScoringConfig(address, key1, key2, ftpPort, messagePort))
        return true;
    const QString question = FormatMessage(kAskTurnOff, {DottedAddress(m_s.prefs.ssAddress)});
    if (m_s.prompt.ask(question, Prompt::Buttons::YesNo, Prompt::Icon::Question) == Prompt::Answer::Yes)
        m_s.prefs.ssIntegration = 0;
    return false;
}

void ScoringServerLink::TurnOffIntegration()
{
    m_s.prefs.ssIntegration = 0;
    DisconnectScoringServer();
}

QString ScoringServerLink::IntegrationStatusText() const
{
    if (!m_s.prefs.ssIntegration)
        return Str(kIntegrationOff);
    return FormatMessage(m_active ? kConnectedTo : kUnableToIntegrate, {DottedAddress(m_s.prefs.ssAddress)});
}

void ScoringServerLink::SendStatusDatagram(const TickReport& tick, const CMatch& currentMatch,
                                           const std::array<QString, 4>& teamNames,
                                           const MatchSettings& settings)
{
    if (!m_active || !m_socket->IsOpen())
        return;
    StatusDatagramInput input;
    input.tick = tick;
    input.key1 = m_s.prefs.ssKey1;
    input.key2 = m_s.prefs.ssKey2;
    input.division = m_s.prefs.ssDivision;
    input.matchType = currentMatch.m_nType;
    input.matchNumber = currentMatch.m_strNumber;
    input.teamNames = teamNames;
    input.teleopEnabled = settings.teleopEnabled;
    input.teleopSeconds = settings.teleopSeconds;
    const StatusDatagram bytes = BuildStatusDatagram(input);
    // A datagram that cannot go now is dropped; the next tick sends a fresh one.
    (void)m_socket->Send(bytes.data(), static_cast<int>(bytes.size()), m_options.datagramWaitMs);
}

void ScoringServerLink::MatchLogWritten()
{
    const qint32 now = m_s.clock.nowMs();
    m_pendingMatchLog = now == 0 ? 1 : now;
}

void ScoringServerLink::UploadPendingMatchLog()
{
    if (!m_active || m_pendingMatchLog == 0 || m_matchLogInFlight)
        return;
    const qint32 now = m_s.clock.nowMs();
    if (ScoringServerRetry::elapsed(m_pendingMatchLog, now) <= kMatchLogSettleMs || !m_matchLogRetry.ready(now))
        return;
    const QString remote = ScoringServerNames::MatchLog(m_s.fcsIdentity);
    if (remote.isEmpty()) {
        m_s.log.LogEvent(-1, QStringLiteral("Match log not uploaded: station name %1 is not a file name").arg(m_s.fcsIdentity));
        m_pendingMatchLog = 0;
        return;
    }
    TransferJob job;
    job.kind = TransferKind::Upload;
    job.settings = fileServiceSettings();
    job.remoteName = remote;
    job.localPath = m_s.folders.DataPath(kMatchLogFolder, Str(kJrvMatch), kCsvExtension);
    m_matchLogSentStamp = m_pendingMatchLog;
    m_matchLogInFlight =
        enqueue(std::move(job), [this](const TransferOutcome& outcome) { onMatchLogOutcome(outcome); });
}

void ScoringServerLink::onMatchLogOutcome(const TransferOutcome& outcome)
{
    m_matchLogInFlight = false;
    if (outcome.ok) {
        m_matchLogRetry.succeeded();
        // A row written while the upload ran is sent on a later idle tick.
        if (m_pendingMatchLog == m_matchLogSentStamp)
            m_pendingMatchLog = 0;
        return;
    }
    m_matchLogRetry.failed(m_s.clock.nowMs());
    noteFailure(outcome, true);
}

bool ScoringServerLink::enqueue(TransferJob job, Handler handler)
{
    if (!m_active || job.remoteName.isEmpty())
        return false;
    const quint64 id = m_transfers.Enqueue(std::move(job));
    if (id == 0)
        return false;
    m_handlers.emplace(id, std::move(handler));
    return true;
}

void ScoringServerLink::onOutcome(const TransferOutcome& outcome)
{
    const auto found = m_handlers.find(outcome.id);
    if (found == m_handlers.end())
        return;
    const Handler handler = std::move(found->second);
    m_handlers.erase(found);
    if (outcome.ok)
        m_failureShown = false;
    handler(outcome);
}

QString ScoringServerLink::failureText(const TransferOutcome& outcome) const
{
    if (outcome.localFailure)
        return outcome.error;
    if (!outcome.loggedIn)
        return ConnectFailureText();
    return QStringLiteral("Scoring server %1 of %2 failed: %3")
        .arg(verbOf(outcome.kind), outcome.remoteName, outcome.error);
}

void ScoringServerLink::noteFailure(const TransferOutcome& outcome, bool show)
{
    const QString text = failureText(outcome);
    m_s.log.LogEvent(-1, QStringLiteral("Scoring server %1 of %2 failed: %3")
                             .arg(verbOf(outcome.kind), outcome.remoteName, outcome.error));
    if (!show || m_failureShown)
        return;
    m_failureShown = true;
    if (m_callbacks.reportFailure)
        m_callbacks.reportFailure(text);
}

bool ScoringServerLink::UploadFile(const QString& localPath, const QString& remoteName)
{
    TransferJob job;
    job.kind = TransferKind::Upload;
    job.settings = fileServiceSettings();
    job.remoteName = remoteName;
    job.localPath = localPath;
    return enqueue(std::move(job), [this](const TransferOutcome& outcome) {
        if (!outcome.ok)
            noteFailure(outcome, true);
    });
}

bool ScoringServerLink::DeleteRemoteFile(const QString& remoteName)
{
    TransferJob job;
    job.kind = TransferKind::Delete;
    job.settings = fileServiceSettings();
    job.remoteName = remoteName;
    return enqueue(std::move(job), [this](const TransferOutcome& outcome) {
        if (!outcome.ok)
            noteFailure(outcome, true);
    });
}

bool ScoringServerLink::FetchFile(const QString& remoteName, const QString& localPath, FetchDone done)
{
    TransferJob job;
    job.kind = TransferKind::Fetch;
    job.settings = fileServiceSettings();
    job.remoteName = remoteName;
    job.localPath = localPath;
    return enqueue(std::move(job), [this, done = std::move(done)](const TransferOutcome& outcome) {
        if (!outcome.ok)
            noteFailure(outcome, !outcome.loggedIn);
        if (done)
            done(outcome.ok, outcome.ok ? QString() : failureText(outcome));
    });
}

bool ScoringServerLink::UploadDebugLog(const QString& matchLogName)
{
    const QString remote = ScoringServerNames::DebugLog(matchLogName);
    if (remote.isEmpty())
        return false;
    return UploadFile(m_s.folders.DataPath(kMatchDebugLogFolder, matchLogName, kLogExtension), remote);
}

bool ScoringServerLink::UploadTeamLogo(const QString& team)
{
    const QString remote = ScoringServerNames::TeamLogo(team);
    if (remote.isEmpty())
        return false;
    return UploadFile(m_s.folders.DataPath(kTeamTimerLogo, team, kPngExtension), remote);
}

bool ScoringServerLink::DeleteTeamLogo(const QString& team)
{
    return DeleteRemoteFile(ScoringServerNames::TeamLogo(team));
}

bool ScoringServerLink::FetchTeamLogo(const QString& team, FetchDone done)
{
    const QString remote = ScoringServerNames::TeamLogo(team);
    if (remote.isEmpty())
        return false;
    // A team without a logo on the server is normal: only a failed login is reported.
    return FetchFile(remote, m_s.folders.DataPath(kTeamTimerLogo, team, kPngExtension), std::move(done));
}

QString ScoringServerLink::MatchListLocalPath() const
{
    return m_s.folders.DataPath(kScoringServerFolder, QStringLiteral("MachList"), kCsvExtension);
}

bool ScoringServerLink::FetchMatchList(const QString& localPath, FetchDone done)
{
    TransferJob job;
    job.kind = TransferKind::Fetch;
    job.settings = fileServiceSettings();
    job.remoteName = ScoringServerNames::MatchList();
    job.localPath = localPath;
    job.textOnly = true;
    const bool queued = enqueue(std::move(job), [this, done = std::move(done)](const TransferOutcome& outcome) {
        setBusy(-1);
        if (!outcome.ok)
            m_s.log.LogEvent(-1, QStringLiteral("Scoring server fetch of %1 failed: %2")
                                     .arg(outcome.remoteName, outcome.error));
        if (done)
            done(outcome.ok, outcome.ok ? QString() : failureText(outcome));
    });
    if (queued)
        setBusy(+1);
    return queued;
}

void ScoringServerLink::setBusy(int delta)
{
    const bool wasBusy = m_operatorFetches > 0;
    m_operatorFetches = std::max(0, m_operatorFetches + delta);
    const bool isBusy = m_operatorFetches > 0;
    if (wasBusy != isBusy && m_callbacks.busy)
        m_callbacks.busy(isBusy);
}

void ScoringServerLink::Shutdown()
{
    m_transfers.Stop();
    m_handlers.clear();
    DisconnectScoringServer();
}
