#include "fcs/app/Configuration.h"

#include "fcs/app/Preferences.h"
#include "fcs/app/PreferencesStore.h"
#include "fcs/controls/ColorButton.h"
#include "fcs/controls/PackedColor.h"
#include "fcs/controls/TimeEdit.h"
#include "fcs/controls/VersionNumberEdit.h"
#include "fcs/resources/StringTable.h"
#include "fcs/schedule/ScoringConfig.h"
#include "fcs/schedule/TextLineReader.h"
#include "platform/Prompt.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>

namespace {
// Control ids of the dialog.
constexpr int kAutonomousCheck = 165;
constexpr int kAutonomousTime = 163;
constexpr int kTeleopCheck = 167;
constexpr int kTeleopTime = 164;
constexpr int kPauseCheck = 166;
constexpr int kWarningCheck = 244;
constexpr int kWarningTime = 243;
constexpr int kPassword = 236;
constexpr int kConfirm = 237;
constexpr int kVersion = 169;
constexpr int kOkColour = 212;
constexpr int kCautionColour = 206;
constexpr int kErrorColour = 207;
constexpr int kRedColour = 213;
constexpr int kBlueColour = 216;
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kDefaults = 240;
constexpr int kReadConfig = 241;
constexpr int kStatus = 246;

// Texts.
constexpr int kPasswordsDiffer = 217;
constexpr int kEnterConfirmation = 218;
constexpr int kUnableToOpenFile = 237;
constexpr int kBlankPassword = 395;
constexpr int kConnectedTo = 402;
constexpr int kConfigFilter = 403;
constexpr int kAskIntegrate = 421;
constexpr int kAskTurnOff = 422;
constexpr int kIntegrationOff = 423;
constexpr int kUnableToIntegrate = 424;

constexpr std::array<int, 5> kColourButtons{kOkColour, kCautionColour, kErrorColour, kRedColour,
                                            kBlueColour};
}

ConfigurationModel::ConfigurationModel(Preferences& prefs, Prompt& prompt, ScoringServerHooks scoring,
                                       const MatchSettings& settings, const QString& password)
    : m_prefs(prefs), m_prompt(prompt), m_scoring(std::move(scoring))
{
    m_state.match = settings;
    m_state.password = password;
    m_state.okColor = prefs.okColor;
    m_state.cautionColor = prefs.cautionColor;
    m_state.errorColor = prefs.errorColor;
    m_state.redColor = prefs.redTeamColor;
    m_state.blueColor = prefs.blueTeamColor;
    m_state.joystickFrequency = prefs.joystickFrequency;
    m_state.minModuleMajor = prefs.minModuleMajor;
    m_state.minModuleMinor = prefs.minModuleMinor;
}

bool ConfigurationModel::isEnabled(int controlId) const
{
    const MatchSettings& m = m_state.match;
    switch (controlId) {
    case kAutonomousTime: return m.autonomousEnabled;
    case kTeleopTime:
    case kWarningCheck: return m.teleopEnabled;
    case kWarningTime: return m.endOfMatchWarning && m.teleopEnabled;
    case kPauseCheck: return m.autonomousEnabled && m.teleopEnabled;
    default: return true;
    }
}

void ConfigurationModel::setFlag(int checkBoxId, bool ticked)
{
    MatchSettings& m = m_state.match;
    switch (checkBoxId) {
    case kAutonomousCheck: m.autonomousEnabled = ticked; break;
    case kTeleopCheck: m.teleopEnabled = ticked; break;
    case kPauseCheck: m.pauseBetweenPeriods = ticked; break;
    case kWarningCheck: m.endOfMatchWarning = ticked; break;
    default: break;
    }
}

QString ConfigurationModel::statusText() const
{
    if (m_prefs.ssIntegration == 0)
        return Str(kIntegrationOff);
    const QString address = PreferencesStore::formatDottedAddress(m_prefs.ssAddress);
    const bool active = m_scoring.integrationActive && m_scoring.integrationActive();
    return FormatMessage(active ? kConnectedTo : kUnableToIntegrate, {address});
}

int ConfigurationState::* ConfigurationModel::colourMember(int buttonId)
{
    switch (buttonId) {
    case kOkColour: return &ConfigurationState::okColor;
    case kCautionColour: return &ConfigurationState::cautionColor;
    case kErrorColour: return &ConfigurationState::errorColor;
    case kRedColour: return &ConfigurationState::redColor;
    case kBlueColour: return &ConfigurationState::blueColor;
    default: return nullptr;
    }
}

int ConfigurationModel::colour(int buttonId) const
{
    const auto member = colourMember(buttonId);
    return member ? m_state.*member : -1;
}

bool ConfigurationModel::Save(const QString& typedPassword, const QString& confirmation,
                              int autonomousSeconds, int teleopSeconds, int warningSeconds,
                              std::optional<int> minMajor, std::optional<int> minMinor)
{
    const QString trimmed = typedPassword.trimmed();
    if (trimmed.isEmpty()) {
        m_prompt.show(Str(kBlankPassword), Prompt::Icon::Warning);
        return false;
    }
    if (trimmed != m_state.password) {
        if (confirmation.isEmpty()) {
            m_prompt.show(Str(kEnterConfirmation), Prompt::Icon::Warning);
            return false;
        }
        if (confirmation != trimmed) {
            m_prompt.show(Str(kPasswordsDiffer), Prompt::Icon::Warning);
            return false;
        }
        // The confirmed text, without the blanks the confirmation did not have.
        m_state.password = trimmed;
    }
    m_state.match.autonomousSeconds = autonomousSeconds;
    m_state.match.teleopSeconds = teleopSeconds;
    m_state.match.warningSeconds = warningSeconds;
    if (minMajor)
        m_state.minModuleMajor = *minMajor;
    if (minMinor)
        m_state.minModuleMinor = *minMinor;
    return true;
}

void ConfigurationModel::Defaults()
{
    MatchSettings& m = m_state.match;
    m.autonomousSeconds = 30;
    m.warningSeconds = 30;
    m.teleopSeconds = 120;
    m.autonomousEnabled = m.teleopEnabled = m.pauseBetweenPeriods = m.endOfMatchWarning = true;
    m_state.joystickFrequency = 30;
    m_state.okColor = kDefaultColours[0];
    m_state.cautionColor = kDefaultColours[1];
    m_state.errorColor = kDefaultColours[2];
    m_state.redColor = kDefaultColours[3];
    m_state.blueColor = kDefaultColours[4];
    m_state.minModuleMajor = 2;
    m_state.minModuleMinor = 0;
    m_state.applyLengths = true;

    // Integration ends at once, whatever the dialog's result.
    m_prefs.ssIntegration = 0;
    if (m_scoring.disconnect)
        m_scoring.disconnect();
}

void ConfigurationModel::ChooseColour(int buttonId, const ColourChooser& chooser)
{
    const auto target = colourMember(buttonId);
    if (!target || !chooser)
        return;
    // Slots 0-4 are the current colours themselves, 8-12 the defaults.
    for (size_t i = 0; i < kColourButtons.size(); ++i) {
        m_custom[i] = m_state.*colourMember(kColourButtons[i]);
        m_custom[8 + i] = kDefaultColours[i];
    }
    const std::optional<int> chosen = chooser(m_state.*target, m_custom);
    for (size_t i = 0; i < kColourButtons.size(); ++i)
        m_state.*colourMember(kColourButtons[i]) = m_custom[i];
    if (chosen)
        m_state.*target = *chosen;
}

bool ConfigurationModel::ReadConfig(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_prompt.show(FormatMessage(kUnableToOpenFile, {path, file.errorString()}), Prompt::Icon::Error);
        return false;
    }
    ScoringConfig config;
    config.password = m_state.password;
    config.autonomousSeconds = m_state.match.autonomousSeconds;
    config.teleopSeconds = m_state.match.teleopSeconds;
    config.warningSeconds = m_state.match.warningSeconds;
    config.autonomousEnabled = m_state.match.autonomousEnabled;
    config.teleopEnabled = m_state.match.teleopEnabled;
    config.endOfMatchWarning = m_state.match.endOfMatchWarning;
    config.pauseBetweenPeriods = m_state.match.pauseBetweenPeriods;
    TextLineReader reader(file);
    ReadScoringConfig(reader, config); // an unknown line ends the block; what came before counts
    if (reader.errorCode() != 0) {
        m_prompt.show(FormatMessage(kUnableToOpenFile,
                                    {path, QString::fromLocal8Bit(std::strerror(reader.errorCode()))}),
                      Prompt::Icon::Error);
        return false;
    }
    file.close();

    // A blank password is refused here as on OK.
    if (!config.password.trimmed().isEmpty())
        m_state.password = config.password;
    MatchSettings& m = m_state.match;
    m.autonomousSeconds = config.autonomousSeconds;
    m.teleopSeconds = config.teleopSeconds;
    m.warningSeconds = config.warningSeconds;
    m.autonomousEnabled = config.autonomousEnabled;
    m.teleopEnabled = config.teleopEnabled;
    m.endOfMatchWarning = config.endOfMatchWarning;
    m.pauseBetweenPeriods = config.pauseBetweenPeriods;
    m_state.applyLengths = true;
    ApplyToPreferences();

    if (m_prompt.ask(Str(kAskIntegrate), Prompt::Buttons::YesNo, Prompt::Icon::Question)
        == Prompt::Answer::Yes) {
        m_prefs.ssIntegration = 1;
        m_prefs.ssAddress = config.address;
        m_prefs.ssKey1 = config.key1;
        m_prefs.ssKey2 = config.key2;
        m_prefs.ssFtpPort = config.ftpPort;
        m_prefs.ssMsgPort = config.messagePort;
        m_prefs.ssDivision = 1;
        const bool connected = m_scoring.connect && m_scoring.connect();
        if (!connected
            && m_prompt.ask(FormatMessage(kAskTurnOff,
                                          {PreferencesStore::formatDottedAddress(config.address)}),
                            Prompt::Buttons::YesNo, Prompt::Icon::Question)
                   == Prompt::Answer::Yes)
            m_prefs.ssIntegration = 0;
    } else {
        m_prefs.ssIntegration = 0;
        if (m_scoring.disconnect)
            m_scoring.disconnect();
    }
    return true;
}

void ConfigurationModel::ApplyToPreferences()
{
    m_prefs.okColor = m_state.okColor;
    m_prefs.cautionColor = m_state.cautionColor;
    m_prefs.errorColor = m_state.errorColor;
    m_prefs.redTeamColor = m_state.redColor;
    m_prefs.blueTeamColor = m_state.blueColor;
    m_prefs.password = m_state.password;
    m_prefs.joystickFrequency = m_state.joystickFrequency;
    if (m_state.applyLengths) {
        m_prefs.autonomousTimeLimit = m_state.match.autonomousSeconds;
        m_prefs.teleopTimeLimit = m_state.match.teleopSeconds;
        m_prefs.warnEndOfMatchLimit = m_state.match.warningSeconds;
    }
    m_prefs.minModuleMajor = m_state.minModuleMajor;
    m_prefs.minModuleMinor = m_state.minModuleMinor;
    m_state.applyLengths = false;
}

CConfiguration::CConfiguration(Preferences& prefs, Prompt& prompt, const MatchSettings& settings,
                               const QString& password, ScoringServerHooks scoring, QWidget* parent)
    : QDialog(parent),
      m_model(prefs, prompt, std::move(scoring), settings, password),
      m_chooseColour(&CConfiguration::ChooseWithColorDialog),
      m_chooseFile(&CConfiguration::ChooseConfigFile)
{
    setWindowTitle(QStringLiteral("Configuration"));
    buildControls();
    LoadControls();
}

CConfiguration::~CConfiguration() = default;

void CConfiguration::buildControls()
{
    auto* layout = new QVBoxLayout(this);

    auto* lengths = new QGroupBox(QStringLiteral("Match Length"), this);
    auto* grid = new QGridLayout(lengths);
    auto addCheck = [&](int id, const QString& text, int row) {
        auto* box = new QCheckBox(text, lengths);
        m_controls.insert(id, box);
        grid->addWidget(box, row, 0);
        connect(box, &QCheckBox::clicked, this, [this, id](bool ticked) {
            m_model.setFlag(id, ticked);
            UpdateControls();
        });
        return box;
    };
    auto addTime = [&](int id, int row) {
        auto* edit = new CTimeEdit(lengths);
        m_controls.insert(id, edit);
        grid->addWidget(edit, row, 1);
        return edit;
    };
    addCheck(kAutonomousCheck, QStringLiteral("&Autonomous Time Period"), 0);
    m_autonomousTime = addTime(kAutonomousTime, 0);
    addCheck(kTeleopCheck, QStringLiteral("&Tele-Operated Time Period"), 1);
    m_teleopTime = addTime(kTeleopTime, 1);
    addCheck(kPauseCheck, QStringLiteral("&Pause Between Periods?"), 2);
    addCheck(kWarningCheck, QStringLiteral("End of Match Warning ?"), 3);
    m_warningTime = addTime(kWarningTime, 3);

    m_password = new QLineEdit(lengths);
    m_password->setEchoMode(QLineEdit::Password);
    m_confirm = new QLineEdit(lengths);
    m_confirm->setEchoMode(QLineEdit::Password);
    m_confirm->setEnabled(false); // until the password is edited
    m_version = new CVersionNumberEdit(lengths);
    m_controls.insert(kPassword, m_password);
    m_controls.insert(kConfirm, m_confirm);
    m_controls.insert(kVersion, m_version);
    grid->addWidget(new QLabel(QStringLiteral("Password"), lengths), 4, 0);
    grid->addWidget(m_password, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Confirm"), lengths), 5, 0);
    grid->addWidget(m_confirm, 5, 1);
    grid->addWidget(new QLabel(QStringLiteral("Minimum Required Tervana Version"), lengths), 6, 0);
    grid->addWidget(m_version, 6, 1);
    connect(m_password, &QLineEdit::textEdited, this, [this] { m_confirm->setEnabled(true); });
    layout->addWidget(lengths);

    auto* colours = new QGroupBox(QStringLiteral("Program Colors"), this);
    auto* colourRow = new QHBoxLayout(colours);
    const std::array<QString, 5> captions{QStringLiteral("Ok Color"), QStringLiteral("Warning Color"),
                                          QStringLiteral("Error Color"), QStringLiteral("Red Team"),
                                          QStringLiteral("Blue Team")};
    for (size_t i = 0; i < kColourButtons.size(); ++i) {
        const int id = kColourButtons[i];
        auto* button = new CColorButton(captions[i], colours);
        m_controls.insert(id, button);
        colourRow->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, id] { onColourButton(id); });
    }
    layout->addWidget(colours);

    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_controls.insert(kStatus, m_status);
    layout->addWidget(m_status);

    auto* buttons = new QHBoxLayout;
    auto addButton = [&](int id, const QString& text) {
        auto* button = new QPushButton(text, this);
        m_controls.insert(id, button);
        buttons->addWidget(button);
        return button;
    };
    QPushButton* ok = addButton(kOk, QStringLiteral("OK"));
    QPushButton* cancel = addButton(kCancel, QStringLiteral("Cancel"));
    QPushButton* defaults = addButton(kDefaults, QStringLiteral("Defaults"));
    QPushButton* readConfig = addButton(kReadConfig, QStringLiteral("Read Config"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CConfiguration::accept);
    connect(cancel, &QPushButton::clicked, this, &CConfiguration::reject);
    connect(defaults, &QPushButton::clicked, this, [this] {
        m_model.Defaults();
        LoadControls();
    });
    connect(readConfig, &QPushButton::clicked, this, &CConfiguration::onReadConfig);
    layout->addLayout(buttons);
}

void CConfiguration::LoadControls()
{
    const ConfigurationState& s = m_model.state();
    m_password->setText(s.password);
    m_confirm->clear();
    m_autonomousTime->SetSeconds(s.match.autonomousSeconds);
    m_teleopTime->SetSeconds(s.match.teleopSeconds);
    m_warningTime->SetSeconds(s.match.warningSeconds);
    for (const int id : kColourButtons) {
        auto* button = static_cast<CColorButton*>(m_controls.value(id));
        const int face = m_model.colour(id);
        button->SetFaceColor(face);
        // Captions stay readable on dark and light faces.
        const QColor c = FromPacked(face);
        const int luma = (299 * c.red() + 587 * c.green() + 114 * c.blue()) / 1000;
        button->SetTextColor(luma < 140 ? 0xFFFFFF : 0);
    }
    static_cast<QCheckBox*>(m_controls.value(kAutonomousCheck))->setChecked(s.match.autonomousEnabled);
    static_cast<QCheckBox*>(m_controls.value(kTeleopCheck))->setChecked(s.match.teleopEnabled);
    static_cast<QCheckBox*>(m_controls.value(kPauseCheck))->setChecked(s.match.pauseBetweenPeriods);
    static_cast<QCheckBox*>(m_controls.value(kWarningCheck))->setChecked(s.match.endOfMatchWarning);
    m_version->SetVersion(s.minModuleMajor, s.minModuleMinor);
    m_status->setText(m_model.statusText());
    UpdateControls();
}

void CConfiguration::UpdateControls()
{
    for (const int id : {kAutonomousTime, kTeleopTime, kWarningCheck, kWarningTime, kPauseCheck})
        m_controls.value(id)->setEnabled(m_model.isEnabled(id));
}

void CConfiguration::onColourButton(int id)
{
    m_model.ChooseColour(id, [this](int initial, ConfigurationModel::CustomColors& custom) {
        return m_chooseColour ? m_chooseColour(this, initial, custom) : std::nullopt;
    });
    LoadControls();
}

void CConfiguration::onReadConfig()
{
    const QString path = m_chooseFile ? m_chooseFile(this) : QString();
    if (path.isEmpty())
        return;
    if (m_model.ReadConfig(path))
        LoadControls();
}

void CConfiguration::accept()
{
    const CVersionNumberEdit::Version version = m_version->GetVersion();
    if (!m_model.Save(m_password->text(), m_confirm->text(), m_autonomousTime->GetSeconds(),
                      m_teleopTime->GetSeconds(), m_warningTime->GetSeconds(), version.major,
                      version.minor))
        return;
    QDialog::accept();
}

std::optional<int> CConfiguration::ChooseWithColorDialog(QWidget* parent, int initial,
                                                         ConfigurationModel::CustomColors& custom)
{
    const int count = std::min<int>(QColorDialog::customCount(), static_cast<int>(custom.size()));
    for (int i = 0; i < count; ++i)
        QColorDialog::setCustomColor(i, FromPacked(custom[static_cast<size_t>(i)]));
    QColorDialog dialog(FromPacked(initial), parent);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < count; ++i)
        custom[static_cast<size_t>(i)] = ToPacked(QColorDialog::customColor(i));
    if (!chosen)
        return std::nullopt;
    return ToPacked(dialog.selectedColor());
}

QStringList CConfiguration::NameFilters(const QString& filterText)
{
    // Pairs of description and pattern; "*.*" means every file here.
    const QStringList parts = filterText.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QString description = parts[i];
        const qsizetype bracket = description.indexOf(QStringLiteral(" ("));
        if (bracket >= 0)
            description.truncate(bracket);
        QString pattern = parts[i + 1];
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << description + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return filters;
}

QString CConfiguration::ChooseConfigFile(QWidget* parent)
{
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(NameFilters(Str(kConfigFilter)));
    dialog.setDefaultSuffix(QStringLiteral("ssc"));
    dialog.selectFile(QStringLiteral("*.ssc"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
