#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a call on the UI thread, so that a signal
// ends the program exactly as closing its main window does.
class ShutdownSignals : public QObject {
    Q_OBJECT

public:
    explicit ShutdownSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~ShutdownSignals() override;

private:
    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};
