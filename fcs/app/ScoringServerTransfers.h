#pragma once

#include "fcs/app/ScoringServerFileService.h"

#include <QString>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class QObject;

enum class TransferKind { Fetch, Upload, Delete };

// One transfer for the worker; it carries copies of everything it needs.
struct TransferJob {
    TransferKind kind = TransferKind::Upload;
    FileServiceSettings settings;
    QString remoteName;
    QString localPath; // fetch: the file to replace; upload: the file to send
    bool textOnly = false; // fetch: refuse an empty or binary file
};

struct TransferOutcome {
    quint64 id = 0;
    TransferKind kind = TransferKind::Upload;
    QString remoteName;
    QString localPath;
    bool ok = false;
    bool loggedIn = false;
    bool aborted = false;
    bool localFailure = false; // the local file could not be read or written
    QString error;
};

// The one thread on which the scoring server's file transfers run, one after
// the other from a queue, so the timer tick and the dialogs never wait for the
// server. Each outcome reaches the receiver's thread as a queued call. The
// worker shares nothing but its queue (under the mutex).
class ScoringServerTransfers {
public:
    using Report = std::function<void(const TransferOutcome&)>;

    ScoringServerTransfers(QObject* receiver, Report report);
    ~ScoringServerTransfers();
    ScoringServerTransfers(const ScoringServerTransfers&) = delete;
    ScoringServerTransfers& operator=(const ScoringServerTransfers&) = delete;

    // Queues the job and returns its id (never 0); 0 once stopped.
    quint64 Enqueue(TransferJob job);
    // Drops the queued jobs, abandons the running transfer and joins the thread.
    void Stop();
    size_t pending() const;

    // Runs one job on the calling thread (the worker's body).
    static TransferOutcome Execute(const TransferJob& job, const std::atomic<bool>* abort);

private:
    void run();

    QObject* m_receiver;
    Report m_report;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::pair<quint64, TransferJob>> m_queue;
    bool m_busy = false;
    bool m_stopping = false;
    quint64 m_nextId = 1;
    std::atomic<bool> m_abort{false};
    std::thread m_thread;
};
