#include "fcs/app/Competition.h"

#include "fcs/app/MatchLog.h"
#include "fcs/app/MatchLogRows.h"
#include "fcs/app/TervoFCSApp.h"
#include "fcs/display/DigitTimer.h"
#include "fcs/display/PictureBox.h"
#include "fcs/display/TimerDisplay.h"
#include "fcs/display/TimerDisplayHost.h"
#include "fcs/joystick/JoystickMgr.h"
#include "fcs/link/TeamEntry.h"
#include "fcs/resources/StringTable.h"
#include "fcs/resources/VersionResource.h"
#include "fcs/schedule/AllianceAssignment.h"
#include "fcs/schedule/MatchCaptions.h"
#include "fcs/schedule/SetupMatches.h"
#include "platform/Clock.h"
#include "platform/WallClock.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Control ids of the main window.
constexpr int kMode = 161;
constexpr int kSmallTimer = 162;
constexpr int kStart = 112;
constexpr int kStop = 160;
constexpr int kSummary = 192;
constexpr int kMatchCaption = 195;
constexpr int kRemoveAll = 194;
constexpr int kTeamEdit = 168;
constexpr int kConnect = 117;
constexpr int kStatus = 177;
constexpr int kEStop = 172;
constexpr int kOnDeckTitle = 191;
constexpr int kOnDeckRed = 233;
constexpr int kOnDeckBlue = 234;
constexpr int kOnDeckRedLabel = 235;
constexpr int kOnDeckBlueLabel = 238;
constexpr int kSetupMatches = 187;
constexpr int kLoadOnDeck = 189;
constexpr int kChangeAlliances = 196;

// Colours are stored as blue * 65536 + green * 256 + red.
QColor toQColor(int packed)
{
    return QColor(packed & 0xff, (packed >> 8) & 0xff, (packed >> 16) & 0xff);
}

bool isRunning(MatchPhase phase)
{
    return phase != MatchPhase::Idle && phase != MatchPhase::Waiting && phase != MatchPhase::MatchOver;
}
}

CCompetition::CCompetition(CTervoFCSApp& app, QWidget* parent) : QDialog(parent), m_app(app)
{
    for (int t = 0; t < 4; ++t)
        m_entries[static_cast<size_t>(t)] =
            std::make_unique<TeamEntry>(app.clock(), app.debugLog(), app.prefs(), t,
                                        app.fakeModuleMode());

    MatchSettings settings;
    settings.autonomousSeconds = app.prefs().autonomousTimeLimit;
    settings.teleopSeconds = app.prefs().teleopTimeLimit;
    settings.warningSeconds = app.prefs().warnEndOfMatchLimit;

    MatchClock::Services services{
        app.clock(), app.wallClock(), app.debugLog(), app.prompt(), app.matchList(), *this,
        {m_entries[0].get(), m_entries[1].get(), m_entries[2].get(), m_entries[3].get()},
        app.joystickManager(), app.discovery(),
        [&app](int cue) { app.PlaySoundCue(cue); },
        {}, [&app] { return app.integrationActive(); }, {}, [&app] { app.debugLog().CloseMatchLog(); }};
    m_clock = std::make_unique<MatchClock>(std::move(services), settings);

    // Each position hands in its row once its match figures are final.
    m_matchLog = std::make_unique<MatchLog>(app.clock(), app.folders(), app.debugLog(), app.prompt());
    for (auto& entry : m_entries)
        entry->matchLog = [this](TeamEntry& finished) {
            m_matchLog->WriteMatchLogRow(BuildMatchLogRow(m_clock->matchLogRecord(), finished));
        };

    setWindowTitle(QStringLiteral("%1%2 - %3")
                       .arg(app.fakeModuleMode() ? Str(410) : QString(),
                            VersionResource::value(QStringLiteral("FileDescription")),
                            VersionResource::value(QStringLiteral("FileVersion"))));
    setMinimumSize(800, 550);
    setSizeGripEnabled(true);
    buildControls();
    // Pictures that cannot be loaded are reported to the operator.
    CPictureBox::SetFailurePrompt(&app.prompt());
    m_displayHost = std::make_unique<CTimerDisplayHost>(
        this, m_screens, [this](CTimerDisplay& display) { FillTimerDisplay(display); },
        [this](CTimerDisplay& display) {
            display.SetStatusColours(m_app.prefs().errorColor, m_app.prefs().cautionColor);
            display.SetLogoFolder(m_app.folders().FolderPath(278));
        });

    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CCompetition::OnTick);

    // Controllers unplugged, added or reordered since the last run start unassigned.
    if (CJoystickMgr* joysticks = app.joystickManager())
        joysticks->LoadMapping(app.settings());

    LoadCurrentMatch();
    WriteMatchLengthSummary();
    StartTickTimer();
    UpdateControls();
}

CCompetition::~CCompetition()
{
    m_timer.stop();
    for (auto& entry : m_entries)
        entry->matchLog = nullptr;
    releasePositions();
    CPictureBox::SetFailurePrompt(nullptr);
}

void CCompetition::buildControls()
{
    auto* root = new QVBoxLayout(this);

    auto* mainGroup = new QGroupBox(QStringLiteral("Main Control"), this);
    auto* mainLayout = new QGridLayout(mainGroup);
    auto* mode = new QLabel(Str(192), mainGroup);
    mode->setAccessibleDescription(QStringLiteral("Current mode"));
    auto* clock = new CTinyTimer(mainGroup);
    clock->setAccessibleDescription(QStringLiteral("Match timer"));
    m_smallTimer = clock;
    auto* start = new QPushButton(Str(199), mainGroup);
    auto* stop = new QPushButton(QStringLiteral("Stop Match"), mainGroup);
    auto* summary = new QPlainTextEdit(mainGroup);
    summary->setReadOnly(true);
    summary->setAccessibleName(QStringLiteral("Match length summary"));
    summary->setMaximumHeight(60);
    mainLayout->addWidget(mode, 0, 0);
    mainLayout->addWidget(clock, 0, 1);
    mainLayout->addWidget(start, 1, 0);
    mainLayout->addWidget(stop, 1, 1);
    mainLayout->addWidget(summary, 2, 0, 1, 2);
    root->addWidget(mainGroup);

    auto* caption = new QLabel(Str(213), this);
    caption->setAccessibleDescription(QStringLiteral("Current match"));
    root->addWidget(caption);
    buildScheduleControls(root);

    auto* teamsGroup = new QGroupBox(QStringLiteral("Current Teams"), this);
    auto* teamsLayout = new QGridLayout(teamsGroup);
    for (int t = 0; t < 4; ++t) {
        const int colour = t < 2 ? m_app.prefs().redTeamColor : m_app.prefs().blueTeamColor;
        auto* frame = new QGroupBox(Str(231 + t), teamsGroup);
        frame->setStyleSheet(QStringLiteral("QGroupBox { color: %1; }").arg(toQColor(colour).name()));
        auto* layout = new QHBoxLayout(frame);
        auto* edit = new QLineEdit(frame);
        edit->setAccessibleName(Str(231 + t) + QStringLiteral(" number"));
        auto* connectButton = new QPushButton(Str(201), frame);
        auto* status = new QLabel(frame);
        status->setAccessibleDescription(Str(231 + t) + QStringLiteral(" status"));
        status->setMinimumWidth(220);
        auto* estop = new QPushButton(QStringLiteral("E-Stop"), frame);
        colourText(estop, m_app.prefs().errorColor);
        layout->addWidget(edit);
        layout->addWidget(connectButton);
        layout->addWidget(status, 1);
        layout->addWidget(estop);
        teamsLayout->addWidget(frame, t, 0);

        m_teamEdits[static_cast<size_t>(t)] = edit;
        m_controls.insert(kTeamEdit + t, edit);
        m_controls.insert(kConnect + t, connectButton);
        m_controls.insert(kStatus + t, status);
        m_controls.insert(kEStop + t, estop);
        connect(edit, &QLineEdit::textChanged, this, [this, t] { onTeamEdited(t); });
        connect(connectButton, &QPushButton::clicked, this, [this, t] { ConnectButton(t); });
        connect(estop, &QPushButton::clicked, this, [this, t] {
            m_clock->HaltPosition(t);
            UpdateControls();
        });
    }
    root->addWidget(teamsGroup, 1);

    auto* removeAll = new QPushButton(QStringLiteral("Remove All Teams"), this);
    root->addWidget(removeAll);

    colourText(start, m_app.prefs().okColor);
    colourText(stop, m_app.prefs().errorColor);

    m_controls.insert(kMode, mode);
    m_controls.insert(kSmallTimer, clock);
    m_controls.insert(kStart, start);
    m_controls.insert(kStop, stop);
    m_controls.insert(kSummary, summary);
    m_controls.insert(kMatchCaption, caption);
    m_controls.insert(kRemoveAll, removeAll);

    connect(start, &QPushButton::clicked, this, [this] {
        m_clock->StartMatch();
        UpdateControls();
    });
    connect(stop, &QPushButton::clicked, this, [this] {
        m_clock->StopMatch();
        UpdateControls();
    });
    connect(removeAll, &QPushButton::clicked, this, [this] {
        RemoveAllTeams();
        UpdateControls();
    });
}

void CCompetition::colourText(QWidget* widget, int colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::ButtonText, toQColor(colour));
    palette.setColor(QPalette::WindowText, toQColor(colour));
    widget->setPalette(palette);
}

void CCompetition::StartTickTimer()
{
    m_timer.start(m_app.prefs().timerPeriodMs());
}

void CCompetition::OnTick()
{
    m_clock->OnTick();
    UpdateControls();
}

void CCompetition::UpdateControls()
{
    const MatchPhase phase = m_clock->phase();
    const MatchSettings& settings = m_clock->settings();
    const Preferences& prefs = m_app.prefs();

    const QString mode = Str(m_clock->modeTextId());
    if (mode != m_modeText) {
        m_modeText = mode;
        auto* label = static_cast<QLabel*>(control(kMode));
        label->setText(mode);
        label->setAccessibleName(mode);
        const int role = m_clock->modeColourRole();
        if (role == 0)
            label->setPalette(QPalette());
        else
            colourText(label, role == 3 ? prefs.okColor : prefs.cautionColor);
    }

    auto* start = static_cast<QPushButton*>(control(kStart));
    start->setEnabled((phase == MatchPhase::Idle || phase == MatchPhase::Waiting)
                      && (settings.autonomousEnabled || settings.teleopEnabled));
    QString startText = Str(199);
    if (phase == MatchPhase::Waiting && settings.autonomousEnabled && settings.teleopEnabled)
        startText = Str(197);
    else if (phase == MatchPhase::MatchOver)
        startText = Str(198);
    if (start->text() != startText)
        start->setText(startText);
    switch (m_clock->TeamStatusSummary()) {
    case 1: colourText(start, prefs.errorColor); break;
    case 2: colourText(start, prefs.cautionColor); break;
    case 3: colourText(start, prefs.okColor); break;
    default: start->setPalette(QPalette()); break;
    }

    control(kStop)->setEnabled(phase != MatchPhase::Idle && phase != MatchPhase::MatchOver);
    control(kRemoveAll)->setEnabled(phase == MatchPhase::Idle || phase == MatchPhase::MatchOver);
    for (const int id : {kSetupMatches, kLoadOnDeck})
        control(id)->setEnabled(phase == MatchPhase::Idle || phase == MatchPhase::MatchOver);

    for (int t = 0; t < 4; ++t) {
        const TeamEntry& position = *m_entries[static_cast<size_t>(t)];
        control(kEStop + t)->setEnabled(isRunning(phase) && position.connected && !position.halted);
        auto* connectButton = static_cast<QPushButton*>(control(kConnect + t));
        connectButton->setEnabled(!position.GetTeamName().isEmpty());
        const QString connectText = position.connected ? Str(200) : Str(201);
        if (connectButton->text() != connectText)
            connectButton->setText(connectText);
    }
}

void CCompetition::showTime(qint32 ms, TimerStyle style)
{
    m_smallTimer->SetTime(ms);
    m_smallTimer->SetStyle(style);
    const QString text = m_smallTimer->ShownText();
    if (m_smallTimer->accessibleName() != text)
        m_smallTimer->setAccessibleName(text);
    m_shownStyle = style;
    if (CTimerDisplay* display = timerDisplay()) {
        display->SetTime(ms);
        display->SetStyle(style);
    }
}

void CCompetition::showIndicators(PeriodIndicator endGame, PeriodIndicator teleop, PeriodIndicator autonomous)
{
    if (CTimerDisplay* display = timerDisplay())
        display->SetIndicators(endGame, teleop, autonomous);
}

void CCompetition::showJoystickIcon(int driverPosition, int, int displayState)
{
    if (CTimerDisplay* display = timerDisplay())
        display->SetJoystickIcon(driverPosition, displayState);
}

CTimerDisplay* CCompetition::timerDisplay() const
{
    return m_displayHost ? m_displayHost->display() : nullptr;
}

void CCompetition::FillTimerDisplay(CTimerDisplay& display)
{
    for (int t = 0; t < 4; ++t) {
        const TeamEntry& position = *m_entries[static_cast<size_t>(t)];
        const DisplayTeam team{position.moduleName, position.logoOnTimer};
        display.SetTeam(t, &team);
        display.SetTeamStatus(t, m_clock->cachedLevel(t), position.GetBatteryLevel(), position.GetLinkState());
    }
    const CMatch* current = m_app.matchList().GetCurrentMatch();
    display.SetMatchText(current ? FormatMessage(212, {current->m_strNumber}) : Str(213));
}

void CCompetition::showTeamStatus(int position, int level, const QString& text, int batteryLevel, int linkState)
{
    if (CTimerDisplay* display = timerDisplay())
        display->SetTeamStatus(position, level, batteryLevel, linkState);
    auto* status = static_cast<QLabel*>(control(kStatus + position));
    status->setText(text);
    status->setAccessibleName(text);
    const Preferences& prefs = m_app.prefs();
    switch (level) {
    case 1: colourText(status, prefs.errorColor); break;
    case 2: colourText(status, prefs.cautionColor); break;
    case 3: colourText(status, prefs.okColor); break;
    default: status->setPalette(QPalette()); break;
    }
}

void CCompetition::showMatchCaption(const QString& text)
{
    auto* caption = static_cast<QLabel*>(control(kMatchCaption));
    caption->setText(text);
    caption->setAccessibleName(text);
}

bool CCompetition::takeEditedTeamNumbers(std::array<QString, 4>& numbers)
{
    if (!m_teamsEdited)
        return false;
    m_teamsEdited = false;
    for (size_t t = 0; t < 4; ++t)
        numbers[t] = m_teamEdits[t]->text();
    return true;
}

void CCompetition::refreshMatchCaptions()
{
    const MatchCaptions captions = ComputeMatchCaptions(m_app.matchList());
    showMatchCaption(captions.current);
    if (CTimerDisplay* display = timerDisplay())
        display->SetMatchText(captions.current);
    static_cast<QLabel*>(control(kOnDeckTitle))->setText(captions.onDeckTitle);
    static_cast<QLabel*>(control(kOnDeckRed))->setText(captions.redLine);
    static_cast<QLabel*>(control(kOnDeckBlue))->setText(captions.blueLine);
    static_cast<QLabel*>(control(kOnDeckRedLabel))->setText(captions.redLabel);
    static_cast<QLabel*>(control(kOnDeckBlueLabel))->setText(captions.blueLabel);
}

void CCompetition::WriteMatchLengthSummary()
{
    const MatchSettings& s = m_clock->settings();
    int id = 211;
    if (s.autonomousEnabled && s.teleopEnabled)
        id = s.pauseBetweenPeriods ? 207 : 208;
    else if (s.autonomousEnabled)
        id = 209;
    else if (s.teleopEnabled)
        id = 210;
    const QString text = FormatMessage(id, {s.autonomousSeconds / 60, s.autonomousSeconds % 60,
                                            s.teleopSeconds / 60, s.teleopSeconds % 60});
    static_cast<QPlainTextEdit*>(control(kSummary))->setPlainText(text);
}

void CCompetition::LoadCurrentMatch()
{
    RemoveAllTeams();
    QWidget* alliances = control(kChangeAlliances);
    if (const CMatch* current = m_app.matchList().GetCurrentMatch()) {
        if (current->HasAlliancesOfThree()) {
            colourText(alliances, m_app.prefs().cautionColor);
            alliances->show();
            ChangeAllianceTeams();
        } else {
            alliances->hide();
            m_teamEdits[0]->setText(current->m_strRed1);
            m_teamEdits[1]->setText(current->m_strRed2);
            m_teamEdits[2]->setText(current->m_strBlue1);
            m_teamEdits[3]->setText(current->m_strBlue2);
        }
    } else {
        alliances->hide();
    }
    refreshMatchCaptions();
}

void CCompetition::RemoveAllTeams()
{
    if (m_clock->phase() == MatchPhase::MatchOver) {
        m_clock->returnToIdle();
        m_clock->clearEndGame();
    }
    for (int t = 0; t < 4; ++t) {
        m_teamEdits[static_cast<size_t>(t)]->clear();
        m_entries[static_cast<size_t>(t)]->Reset();
    }
    m_teamsEdited = false;
}

void CCompetition::onTeamEdited(int t)
{
    TeamEntry& position = *m_entries[static_cast<size_t>(t)];
    const QString text = m_teamEdits[static_cast<size_t>(t)]->text();
    if (text != position.GetTeamName()) {
        position.RequestReset();
        position.AssignModule(-1);
        position.SetModuleName(text);
        position.moduleAddress.clear();
    }
    m_teamsEdited = true;
}

void CCompetition::ConnectButton(int t)
{
    TeamEntry& position = *m_entries[static_cast<size_t>(t)];
    if (position.connected) {
        const int index = position.discoveryIndex;
        position.CloseLink();
        position.Reset();
        position.AssignModule(index);
        position.autoConnect = false;
    } else {
        position.Connect(false);
    }
    if (m_clock->phase() == MatchPhase::MatchOver) {
        position.matchOver = false;
        bool anySet = false;
        for (const auto& entry : m_entries)
            anySet = anySet || entry->matchOver;
        if (!anySet) {
            m_clock->returnToIdle();
            m_clock->clearEndGame();
        }
    }
    UpdateControls();
}

void CCompetition::releasePositions()
{
    if (m_released)
        return;
    m_released = true;
    for (auto& entry : m_entries)
        entry->Reset();
}

void CCompetition::closeEvent(QCloseEvent* event)
{
    m_timer.stop();
    releasePositions();
    event->accept();
    done(QDialog::Accepted);
}

void CCompetition::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape do nothing in the main window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
        || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- Schedule: On Deck box, Setup Matches, Load On Deck, Change Alliance Teams ----

void CCompetition::buildScheduleControls(QBoxLayout* root)
{
    auto* onDeck = new QGroupBox(Str(4139), this);
    auto* layout = new QGridLayout(onDeck);
    auto* title = new QLabel(onDeck);
    auto* redLabel = new QLabel(onDeck);
    auto* red = new QLabel(onDeck);
    auto* blueLabel = new QLabel(onDeck);
    auto* blue = new QLabel(onDeck);
    auto* setup = new QPushButton(Str(4125), onDeck);
    auto* loadOnDeck = new QPushButton(Str(4138), onDeck);
    auto* alliances = new QPushButton(Str(4137), this);
    alliances->hide();
    layout->addWidget(title, 0, 0, 1, 2);
    layout->addWidget(redLabel, 1, 0);
    layout->addWidget(red, 1, 1);
    layout->addWidget(blueLabel, 2, 0);
    layout->addWidget(blue, 2, 1);
    layout->addWidget(setup, 0, 2);
    layout->addWidget(loadOnDeck, 1, 2);
    layout->setColumnStretch(1, 1);
    root->addWidget(onDeck);
    root->addWidget(alliances);

    m_controls.insert(kOnDeckTitle, title);
    m_controls.insert(kOnDeckRedLabel, redLabel);
    m_controls.insert(kOnDeckRed, red);
    m_controls.insert(kOnDeckBlueLabel, blueLabel);
    m_controls.insert(kOnDeckBlue, blue);
    m_controls.insert(kSetupMatches, setup);
    m_controls.insert(kLoadOnDeck, loadOnDeck);
    m_controls.insert(kChangeAlliances, alliances);

    connect(setup, &QPushButton::clicked, this, [this] {
        SetupMatches();
        UpdateControls();
    });
    connect(loadOnDeck, &QPushButton::clicked, this, [this] {
        LoadOnDeck();
        UpdateControls();
    });
    connect(alliances, &QPushButton::clicked, this, [this] {
        ChangeAllianceTeams();
        UpdateControls();
    });
}

void CCompetition::SetupMatches()
{
    Preferences& prefs = m_app.prefs();
    MatchFileSettings lengths{prefs.autonomousTimeLimit, prefs.teleopTimeLimit,
                              prefs.warnEndOfMatchLimit, prefs.password};
    CSetupMatches dialog(m_app.matchList(),
                         {m_app.prompt(), lengths, [this] { return m_app.integrationActive(); },
                          fetchServerMatches, m_app.folders().DataPath(397, Str(4119), 266)},
                         this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    // A configuration block in a loaded file has changed the preferences either way.
    prefs.autonomousTimeLimit = lengths.autonomousSeconds;
    prefs.teleopTimeLimit = lengths.teleopSeconds;
    prefs.warnEndOfMatchLimit = lengths.warningSeconds;
    prefs.password = lengths.password;
    if (!accepted)
        return;
    MatchSettings settings = m_clock->settings();
    settings.autonomousSeconds = prefs.autonomousTimeLimit;
    settings.teleopSeconds = prefs.teleopTimeLimit;
    settings.warningSeconds = prefs.warnEndOfMatchLimit;
    m_clock->setSettings(settings);
    WriteMatchLengthSummary();
    LoadCurrentMatch();
}

void CCompetition::LoadOnDeck()
{
    AdvanceToOnDeck(m_app.matchList(), [this](const CMatch& skipped) { WriteSkippedRows(skipped); });
    LoadCurrentMatch();
}

void CCompetition::WriteSkippedRows(const CMatch& skipped)
{
    MatchLogRecord& record = m_clock->matchLogRecord();
    record.matchName = skipped.m_strNumber;
    record.statusText = Str(271);
    record.autonomousText.clear();
    record.teleopText.clear();
    record.startTime = m_app.wallClock().now().toSecsSinceEpoch();
    for (const auto& entry : m_entries)
        if (!entry->GetTeamName().isEmpty())
            m_matchLog->WriteMatchLogRow(BuildMatchLogRow(record, *entry));
}

void CCompetition::ChangeAllianceTeams()
{
    const CMatch* current = m_app.matchList().GetCurrentMatch();
    if (!current)
        return;
    CAllianceAssignment dialog(this);
    dialog.m_nRed = m_redChoice;
    dialog.m_nBlue = m_blueChoice;
    dialog.m_pMatch = current;
    if (dialog.exec() == QDialog::Accepted) {
        m_redChoice = dialog.m_nRed;
        m_blueChoice = dialog.m_nBlue;
    }
    const auto red = CAllianceAssignment::RedPair(*current, m_redChoice);
    const auto blue = CAllianceAssignment::BluePair(*current, m_blueChoice);
    m_teamEdits[0]->setText(red[0]);
    m_teamEdits[1]->setText(red[1]);
    m_teamEdits[2]->setText(blue[0]);
    m_teamEdits[3]->setText(blue[1]);
}
