#include "fcs/app/ScoringServerFileService.h"

#include "platform/Text8.h"

#include <QFile>
#include <curl/curl.h>
#include <mutex>

namespace {

void initCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

QString dotted(quint32 address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFF)
        .arg((address >> 8) & 0xFF)
        .arg(address & 0xFF);
}

// Percent-encodes one path segment of 8-bit text.
QByteArray escapeSegment(const QString& segment)
{
    return Text8::encode(segment).toPercentEncoding();
}

struct AttemptState {
    bool loggedIn = false;
    QByteArray data;
    qint64 maxBytes = 0;
    QFile* source = nullptr;
};

// FTP replies arrive here; "230" is the server accepting the login.
size_t onReply(char* buffer, size_t size, size_t count, void* user)
{
    const size_t length = size * count;
    if (length >= 3 && buffer[0] == '2' && buffer[1] == '3' && buffer[2] == '0')
        static_cast<AttemptState*>(user)->loggedIn = true;
    return length;
}

size_t onData(char* buffer, size_t size, size_t count, void* user)
{
    auto* state = static_cast<AttemptState*>(user);
    const size_t length = size * count;
    if (state->data.size() + static_cast<qint64>(length) > state->maxBytes)
        return 0; // ends the transfer with a write error
    state->data.append(buffer, static_cast<qsizetype>(length));
    return length;
}

size_t onRead(char* buffer, size_t size, size_t count, void* user)
{
    auto* state = static_cast<AttemptState*>(user);
    const qint64 got = state->source->read(buffer, static_cast<qint64>(size * count));
    return got < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(got);
}

// Failures of reaching the server, worth another connection attempt as long
// as the server has not yet accepted the login.
bool isConnectFailure(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
        return true;
    default:
        return false;
    }
}

} // namespace

enum class RequestKind { Login, Fetch, Upload, Delete };

struct ScoringFileService::Request {
    RequestKind kind;
    QString remoteName;
    QString localPath;
};

ScoringFileService::ScoringFileService(FileServiceSettings settings, const std::atomic<bool>* abort)
    : m_settings(std::move(settings)), m_abort(abort)
{
    initCurlOnce();
}

QString ScoringFileService::url(const QString& remoteName) const
{
    QByteArray path;
    const QStringList segments = remoteName.split(QLatin1Char('/'));
    for (qsizetype i = 0; i < segments.size(); ++i) {
        if (i > 0)
            path += '/';
        path += escapeSegment(segments[i]);
    }
    return QStringLiteral("ftp://%1:%2/").arg(dotted(m_settings.address)).arg(m_settings.port)
           + QString::fromLatin1(path);
}

FileServiceResult ScoringFileService::TestLogin() const
{
    return perform({RequestKind::Login, QString(), QString()});
}

FileServiceResult ScoringFileService::Fetch(const QString& remoteName) const
{
    return perform({RequestKind::Fetch, remoteName, QString()});
}

FileServiceResult ScoringFileService::Upload(const QString& localPath, const QString& remoteName) const
{
    return perform({RequestKind::Upload, remoteName, localPath});
}

FileServiceResult ScoringFileService::Delete(const QString& remoteName) const
{
    return perform({RequestKind::Delete, remoteName, QString()});
}

FileServiceResult ScoringFileService::perform(const Request& request) const
{
    FileServiceResult result;
    const int attempts = std::max(1, m_settings.connectAttempts);
    const QByteArray user = Text8::encode(m_settings.user);
    const QByteArray password = Text8::encode(m_settings.password);
    const QByteArray address =
        (request.kind == RequestKind::Fetch || request.kind == RequestKind::Upload)
            ? url(request.remoteName).toLatin1()
            : url(QString()).toLatin1();
    const QByteArray deleteCommand = "DELE " + Text8::encode(request.remoteName);

    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (m_abort && m_abort->load()) {
            result.aborted = true;
            result.error = QStringLiteral("Transfer abandoned");
            return result;
        }
        AttemptState state;
        state.maxBytes = m_settings.maxFetchBytes;
        QFile source(request.localPath);
        if (request.kind == RequestKind::Upload) {
            if (!source.open(QIODevice::ReadOnly)) {
                result.localFailure = true;
                result.error = QStringLiteral("Unable to read %1: %2").arg(request.localPath, source.errorString());
                return result;
            }
            state.source = &source;
        }

        char errorText[CURL_ERROR_SIZE] = {};
        CURL* easy = curl_easy_init();
        if (!easy) {
            result.error = QStringLiteral("Unable to start a file transfer");
            return result;
        }
        curl_slist* commands = nullptr;
        curl_easy_setopt(easy, CURLOPT_URL, address.constData());
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "ftp");
        curl_easy_setopt(easy, CURLOPT_PROXY, ""); // straight to the server, never through a proxy
        curl_easy_setopt(easy, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(easy, CURLOPT_PASSWORD, password.constData());
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_settings.connectTimeoutMs));
        curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(std::max(1, m_settings.responseTimeoutSeconds)));
        curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(std::max(1, m_settings.stallSeconds)));
        curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorText);
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, onReply);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, &state);
        curl_easy_setopt(easy, CURLOPT_TRANSFERTEXT, 0L); // image mode: bytes as they are
        switch (request.kind) {
        case RequestKind::Login:
            curl_easy_setopt(easy, CURLOPT_CONNECT_ONLY, 1L);
            break;
        case RequestKind::Fetch:
            curl_easy_setopt(easy, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_RETRY));
            curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_settings.maxFetchBytes));
            curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, onData);
            curl_easy_setopt(easy, CURLOPT_WRITEDATA, &state);
            break;
        case RequestKind::Upload:
            curl_easy_setopt(easy, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_RETRY));
            curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
            curl_easy_setopt(easy, CURLOPT_READFUNCTION, onRead);
            curl_easy_setopt(easy, CURLOPT_READDATA, &state);
            curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(source.size()));
            break;
        case RequestKind::Delete:
            commands = curl_slist_append(commands, deleteCommand.constData());
            curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
            curl_easy_setopt(easy, CURLOPT_QUOTE, commands);
            break;
        }

        // The multi interface lets the abort flag be checked while waiting.
        CURLM* multi = curl_multi_init();
        curl_multi_add_handle(multi, easy);
        bool aborted = false;
        int running = 1;
        while (true) {
            if (curl_multi_perform(multi, &running) != CURLM_OK || running == 0)
                break;
            if (m_abort && m_abort->load()) {
                aborted = true;
                break;
            }
            curl_multi_poll(multi, nullptr, 0, 100, nullptr);
        }
        CURLcode code = aborted ? CURLE_ABORTED_BY_CALLBACK : CURLE_FAILED_INIT;
        if (!aborted) {
            int left = 0;
            while (CURLMsg* message = curl_multi_info_read(multi, &left))
                if (message->msg == CURLMSG_DONE && message->easy_handle == easy)
                    code = message->data.result;
        }
        curl_multi_remove_handle(multi, easy);
        curl_easy_cleanup(easy);
        curl_multi_cleanup(multi);
        curl_slist_free_all(commands);

        result.loggedIn = state.loggedIn || (request.kind == RequestKind::Login && code == CURLE_OK);
        if (code == CURLE_OK) {
            result.ok = true;
            result.loggedIn = true;
            result.error.clear();
            result.data = std::move(state.data);
            return result;
        }
        result.aborted = aborted;
        result.error = errorText[0] ? QString::fromLocal8Bit(errorText)
                                    : QString::fromLatin1(curl_easy_strerror(code));
        if (aborted || result.loggedIn || !isConnectFailure(code))
            break;
    }
    return result;
}
