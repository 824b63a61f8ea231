#include "tests/support/FakeClock.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/RecordingSound.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TempDir.h"

#include "fcs/app/CommandLine.h"
#include "fcs/app/TervoFCSApp.h"
#include "platform/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(Startup, IdentityIsHostUnderscoreTwelveHourTime)
{
    EXPECT_EQ(CTervoFCSApp::BuildIdentity("FIELD1", QTime(14, 5, 9)), QStringLiteral("FIELD1_020509"));
    EXPECT_EQ(CTervoFCSApp::BuildIdentity("FIELD1", QTime(0, 1, 2)), QStringLiteral("FIELD1_120102"));
    EXPECT_EQ(CTervoFCSApp::BuildIdentity("", QTime(12, 0, 0)), QStringLiteral("TERVOFCS_120000"));
}

TEST(Startup, FakeNxtInAnyCaseWithOrWithoutPrefix)
{
    struct Case {
        QStringList args;
        bool fake;
    };
    const Case cases[] = {
        {{"tervofcs", "FakeNXT"}, true},   {{"tervofcs", "fakenxt"}, true},
        {{"tervofcs", "/FAKENXT"}, true},  {{"tervofcs", "-FakeNxt"}, true},
        {{"tervofcs", "FakeNXT2"}, false}, {{"tervofcs", "Fake"}, false},
        {{"tervofcs"}, false},             {{"FakeNXT"}, false}, // the program name is no parameter
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommandLine::Parse(c.args).fakeNxt, c.fake) << c.args.join(' ').toStdString();
    EXPECT_EQ(CommandLine::Parse({"tervofcs", "--matches", "a.csv"}).matchesFile, QStringLiteral("a.csv"));
}

struct AppFixture : ::testing::Test {
    TempFolders temp;
    FakeClock clock;
    FixedWallClock wall;
    MemorySettingsStore store;
    RecordingSound sound;
    ScriptedPrompt prompt;

    std::unique_ptr<CTervoFCSApp> makeApp()
    {
        return std::make_unique<CTervoFCSApp>(
            CTervoFCSApp::Platform{clock, wall, store, sound, prompt, temp.folders(), "FIELD1"});
    }
};

TEST_F(AppFixture, StartupOpensTheDebugLogAndShutdownSavesPreferences)
{
    auto app = makeApp();
    ASSERT_TRUE(app->Initialise({"tervofcs", "fakenxt"}));
    EXPECT_EQ(app->fcsIdentity(), QStringLiteral("FIELD1_020509"));
    EXPECT_TRUE(app->fakeModuleMode());
    EXPECT_TRUE(app->debugLog().isOpen());
    EXPECT_TRUE(app->debugLog().filePath().endsWith("documents/Tervana FCS/DebugLog/2026-Dec-11-14-05-09.log"));
    app->Shutdown();
    EXPECT_EQ(store.readInt("Preferences", "Debug Fake Messaging", -1), 1);
    EXPECT_EQ(store.readInt("Preferences", "Version Major", -1), 3);
    int preferencesWritten = 0;
    for (auto it = store.values.cbegin(); it != store.values.cend(); ++it)
        preferencesWritten += it.key().startsWith(QStringLiteral("Preferences/")) ? 1 : 0;
    EXPECT_EQ(preferencesWritten, 24);
}

TEST_F(AppFixture, SoundCuesComeFromTheProgramsSoundFolder)
{
    auto app = makeApp();
    app->Initialise({"tervofcs"});
    app->PlaySoundCue(105);
    app->PlaySoundCue(-1);
    ASSERT_EQ(sound.played.size(), 1);
    EXPECT_EQ(sound.played[0], temp.dir.filePath("program/sound/CHARGE.wav"));
}

TEST_F(AppFixture, UnusableFrequencyIsLoggedOnce)
{
    store.writeInt("Preferences", "Joystick Frequency", 0);
    auto app = makeApp();
    app->Initialise({"tervofcs"});
    EXPECT_EQ(app->prefs().timerPeriodMs(), 33);
    app->Shutdown();
    QFile file(app->debugLog().filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("Joystick Frequency 0 is outside 1 to 1000"), 1);
    EXPECT_EQ(store.readInt("Preferences", "Joystick Frequency", -1), 0);
}

TEST(SettingsFile, CorruptFileGivesDefaults)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("tervofcs.ini");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Preferences\n\x01\x02\xff=\n\"Joystick Frequency=5");
    file.close();
    QtSettingsStore store(path);
    EXPECT_EQ(store.readInt("Preferences", "Joystick Frequency", 30), 30);
}

TEST(SettingsFile, OwnerOnlyAfterSave)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("tervofcs.ini");
    QtSettingsStore store(path);
    store.writeString("Preferences", "Password", "123456");
    store.sync();
    EXPECT_EQ(QFile::permissions(path) & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
}

// The real program under a fresh HOME, ended with SIGTERM as an operator's
// session manager would: the preferences and the start-up log are left behind.
TEST(ProgramRun, SigtermSavesDefaultPreferencesAndLeavesTheStartupLog)
{
    const QString bin = qEnvironmentVariable("TERVANA_BIN_DIR");
    const QString program = bin + "/tervofcs";
    if (!QFile::exists(program))
        GTEST_SKIP() << "tervofcs not built at " << program.toStdString();
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.remove("XDG_CONFIG_HOME");
    env.remove("XDG_DATA_HOME");
    env.remove("XDG_DOCUMENTS_DIR");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("SDL_AUDIODRIVER", "dummy");
    env.insert("TERVANA_NO_STARTUP_DIALOGS", "1");
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, {});
    ASSERT_TRUE(process.waitForStarted(10000));
    // Wait until the start-up log exists, then end the run.
    const QString logDir = home.filePath("Documents/Tervana FCS/DebugLog");
    for (int i = 0; i < 200 && QDir(logDir).entryList({"*.log"}).isEmpty(); ++i)
        QThread::msleep(50);
    QThread::msleep(300);
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);

    QSettings settings(home.filePath(".config/VANTO/tervofcs.ini"), QSettings::IniFormat);
    settings.beginGroup("Preferences");
    EXPECT_EQ(settings.childKeys().size(), 24);
    EXPECT_EQ(settings.value("Username").toString(), QStringLiteral("JRVScoring"));
    EXPECT_EQ(settings.value("Password").toString().size(), 6);
    EXPECT_EQ(settings.value("Joystick Frequency").toInt(), 30);
    EXPECT_EQ(settings.value("Error color").toInt(), 3947775);

    const QStringList logs = QDir(logDir).entryList({"*.log"});
    ASSERT_EQ(logs.size(), 1);
    QFile log(logDir + '/' + logs[0]);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().startsWith("LOG START on"));
}

} // namespace
