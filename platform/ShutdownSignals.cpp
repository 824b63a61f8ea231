#include "platform/ShutdownSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int g_pipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe work here: wake the UI thread.
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
}
}

ShutdownSignals::ShutdownSignals(std::function<void()> callback, QObject* parent)
    : QObject(parent), m_onSignal(std::move(callback))
{
    if (g_pipe[0] == -1 && pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        while (read(g_pipe[0], buffer, sizeof buffer) > 0) {
        }
        if (m_onSignal)
            m_onSignal();
    });
    struct sigaction action{};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

ShutdownSignals::~ShutdownSignals()
{
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
}
