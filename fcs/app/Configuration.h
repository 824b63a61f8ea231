#pragma once

#include "fcs/app/MatchTypes.h"

#include <QDialog>
#include <QHash>
#include <QString>
#include <array>
#include <functional>
#include <optional>

struct Preferences;
class Prompt;
class CColorButton;
class CTimeEdit;
class CVersionNumberEdit;
class QCheckBox;
class QLabel;
class QLineEdit;

// What the configuration dialog edits: copied in when it opens, read back after OK.
struct ConfigurationState {
    MatchSettings match;
    QString password;
    int okColor = 0;
    int cautionColor = 0;
    int errorColor = 0;
    int redColor = 0;
    int blueColor = 0;
    int joystickFrequency = 30;
    int minModuleMajor = 2;
    int minModuleMinor = 0;
    bool applyLengths = false; // the lengths go to the preferences too
};

// The scoring-server link as the dialog reaches it; empty hooks do nothing.
struct ScoringServerHooks {
    std::function<bool()> integrationActive;
    // Connects with the address, keys and ports in the preferences; true when connected.
    std::function<bool()> connect;
    std::function<void()> disconnect;
};

// The rules of the configuration dialog, apart from its widgets.
class ConfigurationModel {
public:
    using CustomColors = std::array<int, 16>;
    // Shows the colour chooser; the chosen colour, or none when cancelled.
    // The chooser may change the custom colours.
    using ColourChooser = std::function<std::optional<int>(int initial, CustomColors& custom)>;

    ConfigurationModel(Preferences& prefs, Prompt& prompt, ScoringServerHooks scoring,
                       const MatchSettings& settings, const QString& password);

    const ConfigurationState& state() const { return m_state; }
    const CustomColors& customColors() const { return m_custom; }

    // Enable rules of the time edits and check boxes, by control id.
    bool isEnabled(int controlId) const;
    // A check box (165, 167, 166, 244) was clicked.
    void setFlag(int checkBoxId, bool ticked);
    // The text of the integration status field.
    QString statusText() const;
    // The colour shown by a colour button (212, 206, 207, 213, 216).
    int colour(int buttonId) const;

    // OK: the password rules, then the lengths and version. False (after the
    // message) keeps the dialog open and changes nothing.
    bool Save(const QString& typedPassword, const QString& confirmation, int autonomousSeconds,
              int teleopSeconds, int warningSeconds, std::optional<int> minMajor,
              std::optional<int> minMinor);
    void Defaults();
    void ChooseColour(int buttonId, const ColourChooser& chooser);
    // Reads a scoring-server configuration file; false when it could not be read.
    bool ReadConfig(const QString& path);
    void ApplyToPreferences();

    static constexpr std::array<int, 5> kDefaultColours{28672, 65535, 3947775, 255, 16711680};

private:
    static int ConfigurationState::* colourMember(int buttonId);

    Preferences& m_prefs;
    Prompt& m_prompt;
    ScoringServerHooks m_scoring;
    ConfigurationState m_state;
    CustomColors m_custom{};
};

// The Configuration dialog: the match definition, the program colours, the
// password and the minimum module version.
class CConfiguration : public QDialog {
    Q_OBJECT

public:
    using ColourChooser = std::function<std::optional<int>(QWidget* parent, int initial,
                                                           ConfigurationModel::CustomColors& custom)>;
    // Asks for an existing file; empty when none was chosen.
    using FileChooser = std::function<QString(QWidget* parent)>;

    CConfiguration(Preferences& prefs, Prompt& prompt, const MatchSettings& settings,
                   const QString& password, ScoringServerHooks scoring = {},
                   QWidget* parent = nullptr);
    ~CConfiguration() override;

    // After exec() returned Accepted: the new match definition and password for
    // the main window, and the colours, password and version for the preferences.
    MatchSettings matchSettings() const { return m_model.state().match; }
    QString password() const { return m_model.state().password; }
    void ApplyToPreferences() { m_model.ApplyToPreferences(); }

    QWidget* control(int id) const { return m_controls.value(id); }
    ConfigurationModel& model() { return m_model; }
    void setColourChooser(ColourChooser chooser) { m_chooseColour = std::move(chooser); }
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    static std::optional<int> ChooseWithColorDialog(QWidget* parent, int initial,
                                                    ConfigurationModel::CustomColors& custom);
    static QString ChooseConfigFile(QWidget* parent);
    // "Text (*.a)|*.a|All (*.*)|*.*||" as file-dialog name filters.
    static QStringList NameFilters(const QString& filterText);

public slots:
    void accept() override;

private:
    void buildControls();
    void LoadControls();
    void UpdateControls();
    void onColourButton(int id);
    void onReadConfig();

    ConfigurationModel m_model;
    QHash<int, QWidget*> m_controls;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_confirm = nullptr;
    CTimeEdit* m_autonomousTime = nullptr;
    CTimeEdit* m_teleopTime = nullptr;
    CTimeEdit* m_warningTime = nullptr;
    CVersionNumberEdit* m_version = nullptr;
    QLabel* m_status = nullptr;
    ColourChooser m_chooseColour;
    FileChooser m_chooseFile;
};
