#include "fcs/app/AboutDlg.h"
#include "fcs/app/Configuration.h"
#include "fcs/app/Preferences.h"
#include "fcs/controls/ColorButton.h"
#include "fcs/controls/HyperlinkStatic.h"
#include "fcs/controls/TimeEdit.h"
#include "fcs/controls/VersionNumberEdit.h"
#include "fcs/resources/VersionResource.h"
#include "tests/support/ScriptedPrompt.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Answer = Prompt::Answer;

class ConfigurationTest : public ::testing::Test {
protected:
    ConfigurationTest()
    {
        prefs.okColor = 1;
        prefs.cautionColor = 2;
        prefs.errorColor = 3;
        prefs.redTeamColor = 4;
        prefs.blueTeamColor = 5;
        prefs.password = QStringLiteral("secret");
        prefs.autonomousTimeLimit = 20;
        prefs.teleopTimeLimit = 100;
        prefs.warnEndOfMatchLimit = 15;
        prefs.joystickFrequency = 40;
        prefs.minModuleMajor = 3;
        prefs.minModuleMinor = 7;
        prefs.ssIntegration = 1;
        prefs.ssAddress = 0x7F000005; // 127.0.0.5
        settings.autonomousSeconds = 20;
        settings.teleopSeconds = 100;
        settings.warningSeconds = 15;
        hooks.integrationActive = [this] { return linkActive; };
        hooks.connect = [this] {
            ++connects;
            linkActive = connectSucceeds;
            return connectSucceeds;
        };
        hooks.disconnect = [this] {
            ++disconnects;
            linkActive = false;
        };
    }

    std::unique_ptr<CConfiguration> open()
    {
        auto dialog = std::make_unique<CConfiguration>(prefs, prompt, settings, prefs.password, hooks);
        dialog->setFileChooser([this](QWidget*) { return chosenFile; });
        dialog->show();
        return dialog;
    }

    template <typename T> static T* item(CConfiguration& dialog, int id)
    {
        T* widget = qobject_cast<T*>(dialog.control(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }
    static void click(CConfiguration& dialog, int id)
    {
        QTest::mouseClick(dialog.control(id), Qt::LeftButton);
    }
    static void type(CConfiguration& dialog, int id, const QString& text)
    {
        auto* edit = item<QLineEdit>(dialog, id);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    static void typeTime(CConfiguration& dialog, int id, const char* digits)
    {
        auto* edit = item<CTimeEdit>(dialog, id);
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, QString::fromLatin1(digits));
    }

    Preferences prefs;
    ScriptedPrompt prompt;
    MatchSettings settings;
    ScoringServerHooks hooks;
    bool linkActive = true;
    bool connectSucceeds = false;
    int connects = 0;
    int disconnects = 0;
    QString chosenFile;
};

TEST_F(ConfigurationTest, ControlsShowTheValuesHandedIn)
{
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Configuration"));
    EXPECT_EQ(item<QLineEdit>(*dialog, 236)->text(), QStringLiteral("secret"));
    EXPECT_EQ(item<QLineEdit>(*dialog, 236)->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(item<QLineEdit>(*dialog, 237)->text().isEmpty());
    EXPECT_FALSE(dialog->control(237)->isEnabled());
    EXPECT_EQ(item<CTimeEdit>(*dialog, 163)->text(), QStringLiteral("00:20"));
    EXPECT_EQ(item<CTimeEdit>(*dialog, 164)->text(), QStringLiteral("01:40"));
    EXPECT_EQ(item<CTimeEdit>(*dialog, 243)->text(), QStringLiteral("00:15"));
    EXPECT_EQ(item<CVersionNumberEdit>(*dialog, 169)->text(), QStringLiteral("3.07"));
    for (const int id : {165, 167, 166, 244})
        EXPECT_TRUE(item<QCheckBox>(*dialog, id)->isChecked()) << id;
    const std::pair<int, const char*> captions[] = {{165, "&Autonomous Time Period"},
                                                    {167, "&Tele-Operated Time Period"},
                                                    {166, "&Pause Between Periods?"},
                                                    {244, "End of Match Warning ?"}};
    for (const auto& [id, text] : captions)
        EXPECT_EQ(item<QCheckBox>(*dialog, id)->text(), QLatin1String(text));
    const std::pair<int, int> faces[] = {{212, 1}, {206, 2}, {207, 3}, {213, 4}, {216, 5}};
    for (const auto& [id, packed] : faces)
        EXPECT_EQ(dialog->model().colour(id), packed);
    EXPECT_TRUE(dialog->control(241)->isVisible());
    EXPECT_EQ(item<QLabel>(*dialog, 246)->text(), QStringLiteral("Connected to Scoring Server at 127.0.0.5."));
}

TEST_F(ConfigurationTest, StatusFieldFollowsIntegration)
{
    linkActive = false;
    EXPECT_EQ(item<QLabel>(*open(), 246)->text(), QStringLiteral("Unable to integrate with scoring server 127.0.0.5"));
    prefs.ssIntegration = 0;
    EXPECT_EQ(item<QLabel>(*open(), 246)->text(), QStringLiteral("Scoring Server integration is off"));
}

TEST_F(ConfigurationTest, TeleopCheckBoxControlsItsDependants)
{
    auto dialog = open();
    click(*dialog, 167);
    EXPECT_FALSE(dialog->matchSettings().teleopEnabled);
    for (const int id : {164, 244, 243, 166})
        EXPECT_FALSE(dialog->control(id)->isEnabled()) << id;
    EXPECT_TRUE(dialog->control(163)->isEnabled());

    click(*dialog, 167);
    click(*dialog, 244);
    EXPECT_FALSE(dialog->matchSettings().endOfMatchWarning);
    EXPECT_FALSE(dialog->control(243)->isEnabled());
    EXPECT_TRUE(dialog->control(166)->isEnabled());
    click(*dialog, 165);
    EXPECT_FALSE(dialog->control(163)->isEnabled());
    EXPECT_FALSE(dialog->control(166)->isEnabled());
}

TEST_F(ConfigurationTest, PasswordRules)
{
    struct Case {
        const char* typed;
        const char* confirmation;
        const char* message; // nullptr: accepted
        const char* password;
    };
    const Case cases[] = {
        {"secret", "", nullptr, "secret"},
        {" secret ", "", nullptr, "secret"},
        {"", "", "Blank password not allowed", "secret"},
        {"   ", "x", "Blank password not allowed", "secret"},
        {"fresh", "", "Enter Confirmation Password", "secret"},
        {"fresh", "Fresh", "Passwords do not match", "secret"},
        {" fresh", " fresh", "Passwords do not match", "secret"},
        {"fresh", "fresh", nullptr, "fresh"},
        {" fresh ", "fresh", nullptr, "fresh"},
    };
    for (const Case& c : cases) {
        prompt.asked.clear();
        auto dialog = open();
        type(*dialog, 236, QString::fromLatin1(c.typed));
        EXPECT_TRUE(dialog->control(237)->isEnabled()) << c.typed;
        type(*dialog, 237, QString::fromLatin1(c.confirmation));
        click(*dialog, 1);
        if (c.message) {
            EXPECT_EQ(prompt.asked, QStringList{QString::fromLatin1(c.message)}) << c.typed;
            EXPECT_TRUE(dialog->isVisible()) << c.typed;
        } else {
            EXPECT_TRUE(prompt.asked.isEmpty()) << c.typed;
            EXPECT_EQ(dialog->result(), QDialog::Accepted) << c.typed;
        }
        EXPECT_EQ(dialog->password(), QLatin1String(c.password)) << c.typed;
        EXPECT_EQ(prefs.password, QStringLiteral("secret")); // only the main window applies
    }
}

TEST_F(ConfigurationTest, TypedLengthsReachTheMatchButNotThePreferences)
{
    auto dialog = open();
    typeTime(*dialog, 163, "0045");
    typeTime(*dialog, 164, "0230");
    typeTime(*dialog, 243, "0010");
    auto* version = item<CVersionNumberEdit>(*dialog, 169);
    version->setCursorPosition(0);
    QTest::keyClicks(version, QStringLiteral("205"));
    click(*dialog, 1);
    ASSERT_EQ(dialog->result(), QDialog::Accepted);

    const MatchSettings result = dialog->matchSettings();
    EXPECT_EQ(result.autonomousSeconds, 45);
    EXPECT_EQ(result.teleopSeconds, 150);
    EXPECT_EQ(result.warningSeconds, 10);
    dialog->ApplyToPreferences();
    EXPECT_EQ(prefs.autonomousTimeLimit, 20);
    EXPECT_EQ(prefs.teleopTimeLimit, 100);
    EXPECT_EQ(prefs.warnEndOfMatchLimit, 15);
    EXPECT_EQ(prefs.minModuleMajor, 2);
    EXPECT_EQ(prefs.minModuleMinor, 5);
}

TEST_F(ConfigurationTest, DefaultsFollowedByCancelOnlyEndsIntegration)
{
    const Preferences before = prefs;
    auto dialog = open();
    click(*dialog, 167);
    click(*dialog, 240);
    EXPECT_EQ(item<CTimeEdit>(*dialog, 163)->text(), QStringLiteral("00:30"));
    EXPECT_EQ(item<CTimeEdit>(*dialog, 164)->text(), QStringLiteral("02:00"));
    EXPECT_EQ(item<CVersionNumberEdit>(*dialog, 169)->text(), QStringLiteral("2.00"));
    EXPECT_TRUE(item<QCheckBox>(*dialog, 167)->isChecked());
    EXPECT_EQ(dialog->model().colour(212), 28672);
    EXPECT_EQ(item<QLabel>(*dialog, 246)->text(), QStringLiteral("Scoring Server integration is off"));
    click(*dialog, 2);

    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(prefs.ssIntegration, 0);
    EXPECT_EQ(disconnects, 1);
    EXPECT_EQ(prefs.okColor, before.okColor);
    EXPECT_EQ(prefs.blueTeamColor, before.blueTeamColor);
    EXPECT_EQ(prefs.password, before.password);
    EXPECT_EQ(prefs.joystickFrequency, before.joystickFrequency);
    EXPECT_EQ(prefs.autonomousTimeLimit, before.autonomousTimeLimit);
    EXPECT_EQ(prefs.teleopTimeLimit, before.teleopTimeLimit);
    EXPECT_EQ(prefs.minModuleMajor, before.minModuleMajor);
}

TEST_F(ConfigurationTest, DefaultsFollowedByOkSavesTheLengthsToo)
{
    auto dialog = open();
    click(*dialog, 240);
    click(*dialog, 1);
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    dialog->ApplyToPreferences();
    EXPECT_EQ(prefs.autonomousTimeLimit, 30);
    EXPECT_EQ(prefs.teleopTimeLimit, 120);
    EXPECT_EQ(prefs.warnEndOfMatchLimit, 30);
    EXPECT_EQ(prefs.joystickFrequency, 30);
    EXPECT_EQ(prefs.okColor, 28672);
    EXPECT_EQ(prefs.cautionColor, 65535);
    EXPECT_EQ(prefs.errorColor, 3947775);
    EXPECT_EQ(prefs.redTeamColor, 255);
    EXPECT_EQ(prefs.blueTeamColor, 16711680);
    EXPECT_EQ(prefs.minModuleMajor, 2);
    EXPECT_EQ(prefs.minModuleMinor, 0);
    EXPECT_FALSE(dialog->model().state().applyLengths);
}

TEST_F(ConfigurationTest, ColourChooserSharesTheCurrentColours)
{
    auto dialog = open();
    ConfigurationModel::CustomColors seen{};
    int initial = -1;
    dialog->setColourChooser([&](QWidget*, int start, ConfigurationModel::CustomColors& custom) {
        seen = custom;
        initial = start;
        custom[1] = 777; // the operator edits the caution slot
        return std::optional<int>(0x123456);
    });
    click(*dialog, 212);
    EXPECT_EQ(initial, 1);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(seen[static_cast<size_t>(i)], i + 1);
        EXPECT_EQ(seen[static_cast<size_t>(8 + i)], ConfigurationModel::kDefaultColours[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(dialog->model().colour(212), 0x123456);
    EXPECT_EQ(dialog->model().colour(206), 777);
    EXPECT_EQ(item<CColorButton>(*dialog, 212)->faceColour(), QColor(0x56, 0x34, 0x12));

    dialog->setColourChooser([](QWidget*, int, ConfigurationModel::CustomColors&) { return std::optional<int>(); });
    click(*dialog, 216);
    EXPECT_EQ(dialog->model().colour(216), 5);

    click(*dialog, 1);
    dialog->ApplyToPreferences();
    EXPECT_EQ(prefs.okColor, 0x123456);
    EXPECT_EQ(prefs.cautionColor, 777);
}

class ReadConfigTest : public ConfigurationTest {
protected:
    void SetUp() override
    {
        chosenFile = dir.filePath(QStringLiteral("field.ssc"));
        QFile file(chosenFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("AutonomousPeriod: 45\r\nTeleopPeriod 150\r\nEndOfMatchWarning 0\r\n"
                   "PauseBetweenPeriods 0\r\nPassword   field pass  \r\nIPAddr 127.0.0.9\r\n"
                   "MessageKey 7, 9\r\nFTPport 2121\r\nMessagePort 5005\r\nEndConfig\r\n"
                   "Password never read\r\n");
    }
    QTemporaryDir dir;
};

TEST_F(ReadConfigTest, AppliesTheFileAtOnceAndNoEndsIntegration)
{
    prompt.answers = {Answer::No};
    auto dialog = open();
    click(*dialog, 241);

    EXPECT_EQ(prompt.asked, QStringList{QStringLiteral("Would you like to integrate with the scoring server ?")});
    EXPECT_EQ(prefs.autonomousTimeLimit, 45);
    EXPECT_EQ(prefs.teleopTimeLimit, 150);
    EXPECT_EQ(prefs.warnEndOfMatchLimit, 15);
    EXPECT_EQ(prefs.password, QStringLiteral("field pass"));
    EXPECT_EQ(prefs.ssIntegration, 0);
    EXPECT_EQ(disconnects, 1);
    EXPECT_EQ(item<CTimeEdit>(*dialog, 163)->text(), QStringLiteral("00:45"));
    EXPECT_EQ(item<CTimeEdit>(*dialog, 164)->text(), QStringLiteral("02:30"));
    EXPECT_FALSE(item<QCheckBox>(*dialog, 244)->isChecked());
    EXPECT_FALSE(item<QCheckBox>(*dialog, 166)->isChecked());
    EXPECT_FALSE(dialog->control(243)->isEnabled());

    // The password from the file needs no confirmation on OK.
    click(*dialog, 1);
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    const MatchSettings result = dialog->matchSettings();
    EXPECT_FALSE(result.endOfMatchWarning);
    EXPECT_FALSE(result.pauseBetweenPeriods);
    EXPECT_TRUE(result.autonomousEnabled);
    EXPECT_EQ(dialog->password(), QStringLiteral("field pass"));
}

TEST_F(ReadConfigTest, YesStoresTheServerAndConnects)
{
    connectSucceeds = true;
    linkActive = false;
    prefs.ssIntegration = 0;
    prompt.answers = {Answer::Yes};
    auto dialog = open();
    click(*dialog, 241);
    EXPECT_EQ(connects, 1);
    EXPECT_EQ(prefs.ssIntegration, 1);
    EXPECT_EQ(prefs.ssAddress, 0x7F000009u);
    EXPECT_EQ(prefs.ssKey1, 7);
    EXPECT_EQ(prefs.ssKey2, 9);
    EXPECT_EQ(prefs.ssFtpPort, 2121);
    EXPECT_EQ(prefs.ssMsgPort, 5005);
    EXPECT_EQ(prefs.ssDivision, 1);
    EXPECT_EQ(item<QLabel>(*dialog, 246)->text(), QStringLiteral("Connected to Scoring Server at 127.0.0.9."));
}

TEST_F(ReadConfigTest, UnreachableServerOffersToTurnIntegrationOff)
{
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        prompt.asked.clear();
        prompt.answers = {Answer::Yes, answer};
        auto dialog = open();
        click(*dialog, 241);
        ASSERT_EQ(prompt.asked.size(), 2);
        EXPECT_EQ(prompt.asked[1], QStringLiteral("Unable to connect to the scoring server 127.0.0.9. "
                                                  "Would you like to turn off scoring server integration ?"));
        EXPECT_EQ(prefs.ssIntegration, answer == Answer::Yes ? 0 : 1);
    }
}

TEST_F(ReadConfigTest, UnreadableFileChangesNothing)
{
    chosenFile = dir.filePath(QStringLiteral("missing.ssc"));
    auto dialog = open();
    click(*dialog, 241);
    ASSERT_EQ(prompt.asked.size(), 1);
    EXPECT_TRUE(prompt.asked[0].startsWith(QStringLiteral("Unable to open file %1 because ").arg(chosenFile)));
    EXPECT_EQ(prefs.autonomousTimeLimit, 20);
    EXPECT_EQ(prefs.ssIntegration, 1);

    chosenFile.clear(); // chooser cancelled
    prompt.asked.clear();
    click(*dialog, 241);
    EXPECT_TRUE(prompt.asked.isEmpty());
}

TEST(ConfigurationFilterTest, FilterTextBecomesNameFilters)
{
    EXPECT_EQ(CConfiguration::NameFilters(
                  QStringLiteral("Scoring Server Configuration (*.ssc)|*.ssc|All Files (*.*)|*.*||")),
              (QStringList{QStringLiteral("Scoring Server Configuration (*.ssc)"),
                           QStringLiteral("All Files (*)")}));
}

TEST(AboutDlgTest, ShowsVersionTextsAndTheProjectDocuments)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("build/bin"));
    QFile licence(dir.filePath(QStringLiteral("LICENSE")));
    ASSERT_TRUE(licence.open(QIODevice::WriteOnly));
    licence.close();

    CAboutDlg about(nullptr, dir.filePath(QStringLiteral("build/bin")));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About TervoFCS"));
    EXPECT_EQ(qobject_cast<QLabel*>(about.control(181))->text(),
              VersionResource::value(QStringLiteral("FileDescription")));
    EXPECT_EQ(qobject_cast<QLabel*>(about.control(182))->text(),
              VersionResource::value(QStringLiteral("FileVersion")));
    EXPECT_EQ(qobject_cast<QLabel*>(about.control(183))->text(),
              VersionResource::value(QStringLiteral("LegalCopyright")));

    auto* link = qobject_cast<CHyperlinkStatic*>(about.control(188));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->target(), QFileInfo(licence).absoluteFilePath());
    QStringList opened;
    about.setOpener([&opened](const QString& target) { opened << target; });
    about.show();
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, link->height() / 2));
    EXPECT_EQ(opened, QStringList{QFileInfo(licence).absoluteFilePath()});

    QTest::mouseClick(about.control(1), Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

}
