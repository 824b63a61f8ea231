#pragma once

#include "fcs/app/MatchClock.h"
#include "fcs/app/MatchClockView.h"
#include "fcs/display/ScreenList.h"

#include <QDialog>
#include <QHash>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QPlainTextEdit;
class CTervoFCSApp;
class TeamEntry;
class CTinyTimer;
class CTimerDisplay;
class CTimerDisplayHost;
class MatchLog;
struct CMatch;

// The operator's main window: the match clock's controls, the four team
// positions and the buttons that open the other dialogs.
class CCompetition : public QDialog, public MatchClockView {
    Q_OBJECT

public:
    explicit CCompetition(CTervoFCSApp& app, QWidget* parent = nullptr);
    ~CCompetition() override;

    // A control by its dialog id, or none.
    QWidget* control(int id) const { return m_controls.value(id); }
    MatchClock& matchClock() { return *m_clock; }
    TeamEntry& teamEntry(int position) { return *m_entries[static_cast<size_t>(position)]; }
    int tickPeriodMs() const { return m_timer.interval(); }
    // The audience display and its opening rules; the display while open (hidden included), or none.
    CTimerDisplayHost& displayHost() { return *m_displayHost; }
    CTimerDisplay* timerDisplay() const;
    // Gives a newly opened display the four teams, their statuses and the match text.
    void FillTimerDisplay(CTimerDisplay& display);

    // The control update rules, run before each message and after every tick.
    void UpdateControls();
    void OnTick();

    // MatchClockView
    void showTime(qint32 ms, TimerStyle style) override;
    void showIndicators(PeriodIndicator endGame, PeriodIndicator teleop,
                        PeriodIndicator autonomous) override;
    void showJoystickIcon(int driverPosition, int dialogState, int displayState) override;
    void showTeamStatus(int position, int level, const QString& text, int batteryLevel,
                        int linkState) override;
    void showMatchCaption(const QString& text) override;
    bool takeEditedTeamNumbers(std::array<QString, 4>& numbers) override;
    void refreshMatchCaptions() override;

    void WriteMatchLengthSummary();
    void LoadCurrentMatch();
    void RemoveAllTeams();
    void ConnectButton(int position);
    void StartTickTimer();

    // Schedule: Setup Matches (187), Load On Deck (189), Change Alliance Teams (196).
    void SetupMatches();
    void LoadOnDeck();
    void ChangeAllianceTeams();
    // Scoring-server seam for Setup Matches' "Load From Server": fetches the
    // server's match file to the local path; unset, the button stays disabled.
    std::function<bool(const QString& localPath)> fetchServerMatches;

public slots:
    void accept() override {}
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void onTeamEdited(int position);
    void colourText(QWidget* widget, int colour);
    void releasePositions();
    void buildScheduleControls(QBoxLayout* root);
    // The match log writes one "Match Skipped" row per named position here.
    void WriteSkippedRows(const CMatch& skipped);

    CTervoFCSApp& m_app;
    std::array<std::unique_ptr<TeamEntry>, 4> m_entries;
    std::unique_ptr<MatchLog> m_matchLog;
    std::unique_ptr<MatchClock> m_clock;
    QTimer m_timer;
    QHash<int, QWidget*> m_controls;
    std::array<QLineEdit*, 4> m_teamEdits{};
    bool m_teamsEdited = false;
    bool m_released = false;
    QString m_modeText;
    TimerStyle m_shownStyle = TimerStyle::Neutral;
    CTinyTimer* m_smallTimer = nullptr;
    QtScreenList m_screens;
    std::unique_ptr<CTimerDisplayHost> m_displayHost;
    int m_redChoice = 0;
    int m_blueChoice = 0;
};
