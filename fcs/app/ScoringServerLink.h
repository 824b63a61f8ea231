#pragma once

#include "fcs/app/MatchClock.h"
#include "fcs/app/ScoringServerRetry.h"
#include "fcs/app/ScoringServerSocket.h"
#include "fcs/app/ScoringServerTransfers.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <map>
#include <memory>

class Clock;
class DataFolders;
class LogSink;
class Prompt;
struct Preferences;
struct CMatch;
struct ScoringConfig;

// The scoring-server link: the test login and the message socket, the status
// datagram of every tick, and the file transfers. Transfers run on one worker
// thread and answer on this object's thread, so neither the tick nor a dialog
// waits for a slow or missing server. Everything here is called on the UI thread.
class ScoringServerLink {
public:
    struct Services {
        const Clock& clock;
        Prompt& prompt;
        LogSink& log;
        Preferences& prefs;
        const DataFolders& folders;
        QString fcsIdentity;
    };
    struct Callbacks {
        // A failed background transfer, for the main window to show. Called
        // once; further failures are only logged until a transfer succeeds.
        std::function<void(const QString&)> reportFailure;
        // An operator's fetch is running (true) or has ended (false).
        std::function<void(bool)> busy;
    };
    struct Options {
        int connectTimeoutMs = 2000;
        int connectAttempts = 3;
        int responseTimeoutSeconds = 10;
        int stallSeconds = 20;
        qint32 firstRetryMs = 5000;
        qint32 maxRetryMs = 120000;
        int datagramWaitMs = 10;
    };
    // The end of a fetch: ok, or the message to show.
    using FetchDone = std::function<void(bool ok, const QString& message)>;

    // Without a socket the link uses a plain UDP socket.
    ScoringServerLink(Services services, Callbacks callbacks);
    ScoringServerLink(Services services, Callbacks callbacks, Options options,
                      std::unique_ptr<ScoringServerSocket> socket = {});
    ~ScoringServerLink();
    ScoringServerLink(const ScoringServerLink&) = delete;
    ScoringServerLink& operator=(const ScoringServerLink&) = delete;

    void setIdentity(const QString& fcsIdentity) { m_s.fcsIdentity = fcsIdentity; }

    // Test login and message socket. Blocks for at most the connect attempts.
    bool ConnectScoringServer();
    void DisconnectScoringServer();
    // Stores the address, keys and ports, sets "SS Division" to 1 and connects.
    bool ApplyScoringConfig(quint32 address, int key1, int key2, quint16 ftpPort, quint16 messagePort);
    bool ApplyScoringConfig(const ScoringConfig& config);
    // Start-up: with "SS Integration" set, connects; on failure asks whether to
    // turn integration off (Yes clears the preference).
    bool ConnectAtStartup();
    // Read Config: asks whether to integrate; Yes applies the values and
    // connects (asking again when that fails), No turns integration off.
    bool OfferIntegration(quint32 address, int key1, int key2, quint16 ftpPort, quint16 messagePort);
    bool OfferIntegration(const ScoringConfig& config);
    // The Defaults button: preference off and disconnected.
    void TurnOffIntegration();
    // The configuration dialog's status line.
    QString IntegrationStatusText() const;
    bool integrationActive() const { return m_active; }

    // The tick's datagram; does nothing while integration is inactive.
    void SendStatusDatagram(const TickReport& tick, const CMatch& currentMatch,
                            const std::array<QString, 4>& teamNames, const MatchSettings& settings);

    // The match log got a row: upload it on a later idle tick.
    void MatchLogWritten();
    // Every idle tick: queues the match-log upload when one is due.
    void UploadPendingMatchLog();
    qint32 pendingMatchLogUpload() const { return m_pendingMatchLog; }
    // Queued or running, until its answer has come back.
    bool matchLogUploadRunning() const { return m_matchLogInFlight; }

    // Queued transfers; false when integration is inactive or the name is not
    // a plain file name (nothing is queued then).
    bool UploadFile(const QString& localPath, const QString& remoteName);
    bool DeleteRemoteFile(const QString& remoteName);
    bool FetchFile(const QString& remoteName, const QString& localPath, FetchDone done);
    // The closed per-match debug log "DebugLog"\name.log to "debugLog".
    bool UploadDebugLog(const QString& matchLogName);
    // "teamtimerlogo"\team.png to and from "icons", and its removal there.
    bool UploadTeamLogo(const QString& team);
    bool DeleteTeamLogo(const QString& team);
    bool FetchTeamLogo(const QString& team, FetchDone done);
    // The operator's Load From Server: "Matches.txt" into localPath, refused
    // when empty or not text; shows busy while it runs.
    bool FetchMatchList(const QString& localPath, FetchDone done);
    // "ScoringServer"\MachList.csv, where Load From Server puts the list.
    QString MatchListLocalPath() const;

    // Abandons the queued and running transfers, joins the worker, closes the socket.
    void Shutdown();

    FileServiceSettings fileServiceSettings() const;
    // The fetch failure message, password masked.
    QString ConnectFailureText() const;
    size_t transfersPending() const { return m_transfers.pending(); }
    const ScoringServerRetry& matchLogRetry() const { return m_matchLogRetry; }
    static QString DottedAddress(quint32 address);

private:
    using Handler = std::function<void(const TransferOutcome&)>;
    bool enqueue(TransferJob job, Handler handler);
    void onOutcome(const TransferOutcome& outcome);
    void onMatchLogOutcome(const TransferOutcome& outcome);
    void noteFailure(const TransferOutcome& outcome, bool show);
    QString failureText(const TransferOutcome& outcome) const;
    void setBusy(int delta);

    Services m_s;
    Callbacks m_callbacks;
    Options m_options;
    std::unique_ptr<ScoringServerSocket> m_socket;
    bool m_active = false;

    qint32 m_pendingMatchLog = 0;
    qint32 m_matchLogSentStamp = 0;
    bool m_matchLogInFlight = false;
    ScoringServerRetry m_matchLogRetry;
    bool m_failureShown = false;
    int m_operatorFetches = 0;
    std::map<quint64, Handler> m_handlers;

    // Declared last: the worker stops before the receiver of its answers goes.
    QObject m_receiver;
    ScoringServerTransfers m_transfers;
};
