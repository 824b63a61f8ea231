#pragma once

#include "dbgsettings/DebugSettings.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Tervana Debug Log Selector": the debug log path, the joystick frequency
// and whether robots must answer each joystick message.
class DebugSettingsDialog : public QDialog {
    Q_OBJECT

public:
    // Chooses a log file; returns the path, or an empty text when cancelled.
    using FileChooser = std::function<QString(QWidget*, const QString&)>;

    explicit DebugSettingsDialog(const DebugSettings& settings, QWidget* parent = nullptr);

    const DebugSettings& settings() const { return m_settings; }
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    // Shows "Please enter an integer."; replaceable in tests.
    void setErrorReporter(std::function<void(const QString&)> reporter) { m_report = std::move(reporter); }

    QLineEdit* pathEdit() const { return m_path; }
    QLineEdit* frequencyEdit() const { return m_frequency; }
    QCheckBox* replyCheck() const { return m_reply; }
    QPushButton* browseButton() const { return m_browse; }

public slots:
    void accept() override;

private:
    void showMembers();
    void browse();

    DebugSettings m_settings;
    QLineEdit* m_path;
    QPushButton* m_browse;
    QLineEdit* m_frequency;
    QCheckBox* m_reply;
    FileChooser m_chooser;
    std::function<void(const QString&)> m_report;
};
