#include "fcs/app/ScoringServerTransfers.h"

#include "platform/UiQueue.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Text as a match list: not empty, and no bytes that text files do not hold
// (NUL and the other control characters but tab, line and page ends and ^Z).
QString textProblem(const QString& remoteName, const QByteArray& data)
{
    if (data.isEmpty())
        return QStringLiteral("The file %1 on the scoring server is empty.").arg(remoteName);
    for (const char byte : data) {
        const auto c = static_cast<unsigned char>(byte);
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != 0x1A) || c == 0x7F)
            return QStringLiteral("The file %1 on the scoring server is not a text file.").arg(remoteName);
    }
    return QString();
}

// Replaces the local file only once every byte is on disk.
QString writeLocal(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        return QStringLiteral("Unable to write %1: %2").arg(path, file.errorString());
    return QString();
}

}

ScoringServerTransfers::ScoringServerTransfers(QObject* receiver, Report report)
    : m_receiver(receiver), m_report(std::move(report))
{
    m_thread = std::thread([this] { run(); });
}

ScoringServerTransfers::~ScoringServerTransfers()
{
    Stop();
}

quint64 ScoringServerTransfers::Enqueue(TransferJob job)
{
    std::lock_guard lock(m_mutex);
    if (m_stopping)
        return 0;
    const quint64 id = m_nextId++;
    m_queue.emplace_back(id, std::move(job));
    m_wake.notify_one();
    return id;
}

void ScoringServerTransfers::Stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_queue.clear();
        m_abort = true;
        m_wake.notify_one();
    }
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard lock(m_mutex);
    m_busy = false;
}

size_t ScoringServerTransfers::pending() const
{
    std::lock_guard lock(m_mutex);
    return m_queue.size() + (m_busy ? 1 : 0);
}

void ScoringServerTransfers::run()
{
    while (true) {
        std::pair<quint64, TransferJob> next;
        {
            std::unique_lock lock(m_mutex);
            m_busy = false;
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_stopping)
                return;
            next = std::move(m_queue.front());
            m_queue.pop_front();
            m_busy = true;
        }
        TransferOutcome outcome = Execute(next.second, &m_abort);
        outcome.id = next.first;
        if (outcome.aborted)
            return; // shutting down: nobody waits for the answer
        postToUi(m_receiver, [report = m_report, outcome] { report(outcome); });
    }
}

TransferOutcome ScoringServerTransfers::Execute(const TransferJob& job, const std::atomic<bool>* abort)
{
    TransferOutcome outcome;
    outcome.kind = job.kind;
    outcome.remoteName = job.remoteName;
    outcome.localPath = job.localPath;
    const ScoringFileService service(job.settings, abort);
    FileServiceResult result;
    switch (job.kind) {
    case TransferKind::Fetch: result = service.Fetch(job.remoteName); break;
    case TransferKind::Upload: result = service.Upload(job.localPath, job.remoteName); break;
    case TransferKind::Delete: result = service.Delete(job.remoteName); break;
    }
    outcome.ok = result.ok;
    outcome.loggedIn = result.loggedIn;
    outcome.aborted = result.aborted;
    outcome.localFailure = result.localFailure;
    outcome.error = result.error;
    if (outcome.ok && job.kind == TransferKind::Fetch) {
        QString problem = job.textOnly ? textProblem(job.remoteName, result.data) : QString();
        if (problem.isEmpty()) {
            problem = writeLocal(job.localPath, result.data);
            outcome.localFailure = !problem.isEmpty();
        }
        if (!problem.isEmpty()) {
            outcome.ok = false;
            outcome.error = problem;
        }
    }
    return outcome;
}
