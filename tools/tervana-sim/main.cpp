#include "tools/tervana-sim/ControlPort.h"
#include "tools/tervana-sim/SimOptions.h"

#include <QStringList>
#include <csignal>
#include <cstdio>
#include <pthread.h>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    SimOptions options;
    QString error;
    if (!options.Parse(arguments, error)) {
        std::fprintf(stderr, "tervana-sim: %s\n%s", error.toLocal8Bit().constData(),
                     SimOptions::Usage().toLocal8Bit().constData());
        return 2;
    }
    if (options.help) {
        std::fputs(SimOptions::Usage().toLocal8Bit().constData(), stdout);
        return 0;
    }

    // Signals are taken by sigwait below, never by the serving thread.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    WireLog wireLog;
    if (!options.wireLog.isEmpty() && !wireLog.Open(options.wireLog)) {
        std::fprintf(stderr, "tervana-sim: cannot write %s\n", options.wireLog.toLocal8Bit().constData());
        return 1;
    }
    NxtBrick brick(options.brick);
    ControlPort port(brick, wireLog, options.faults);
    if (!port.Start(options.address, options.port, &error)) {
        std::fprintf(stderr, "tervana-sim: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    std::printf("tervana-sim: %s listening on %s:%u\n", options.brick.name.constData(),
                options.address.toLocal8Bit().constData(), port.port());
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    port.Stop();
    return 0;
}
