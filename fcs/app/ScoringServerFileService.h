#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <atomic>
#include <functional>

// How every transfer reaches the scoring server's file service. Tests shorten
// the time-outs; the program uses the defaults.
struct FileServiceSettings {
    quint32 address = 0; // host order
    quint16 port = 0;
    QString user;
    QString password;
    int connectTimeoutMs = 2000;
    int connectAttempts = 3;
    // Once logged in: longest wait for one server reply, and how long a
    // transfer may move no data before it is given up.
    int responseTimeoutSeconds = 10;
    int stallSeconds = 20;
    // A fetched file larger than this is refused (a server that never stops sending).
    qint64 maxFetchBytes = 16 * 1024 * 1024;
};

struct FileServiceResult {
    bool ok = false;
    bool loggedIn = false; // the server accepted the login
    bool aborted = false;  // abandoned by the abort flag (shutdown)
    bool localFailure = false; // the local file could not be read
    QString error;         // the file service's error text when !ok
    QByteArray data;       // the fetched bytes
};

// Login, fetch, upload and delete over FTP (passive, image mode). Every call
// opens its own connection and closes it afterwards, and blocks its caller for
// at most the time-outs: it runs on the transfer worker (and for the test login
// at start-up). Remote names are paths relative to the login directory with "/".
class ScoringFileService {
public:
    // The abort flag, when given, is read while a transfer runs; setting it
    // abandons the transfer within about a tenth of a second.
    explicit ScoringFileService(FileServiceSettings settings,
                                const std::atomic<bool>* abort = nullptr);

    FileServiceResult TestLogin() const;
    FileServiceResult Fetch(const QString& remoteName) const;
    // Creates the remote directories that are missing.
    FileServiceResult Upload(const QString& localPath, const QString& remoteName) const;
    FileServiceResult Delete(const QString& remoteName) const;

    QString url(const QString& remoteName) const;
    const FileServiceSettings& settings() const { return m_settings; }

private:
    struct Request;
    FileServiceResult perform(const Request& request) const;

    FileServiceSettings m_settings;
    const std::atomic<bool>* m_abort;
};
