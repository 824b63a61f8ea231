#include "wificfg/TervoCfgCommandLine.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Mode = TervoCfgCommandLine::Mode;

TervoCfgCommandLine parse(const QList<QByteArray>& arguments, const QByteArray& variable = {})
{
    return TervoCfgCommandLine::Parse(arguments, variable);
}

TEST(TervoCfgCommandLine, RoleFromAnyPrimaryParameter)
{
    const struct {
        QList<QByteArray> arguments;
        SettingsRole role;
    } cases[] = {
        {{}, SettingsRole::Secondary},
        {{"Primary"}, SettingsRole::Primary},
        {{"primary"}, SettingsRole::Primary},
        {{"/PRIMARY"}, SettingsRole::Primary},
        {{"-Primary"}, SettingsRole::Primary},
        {{"--primary"}, SettingsRole::Primary},
        {{"Secondary"}, SettingsRole::Secondary},
        {{"Primary", "Secondary"}, SettingsRole::Secondary},
        {{"Primaryx"}, SettingsRole::Secondary},
        {{"-platform", "offscreen", "primary"}, SettingsRole::Primary},
    };
    for (const auto& test : cases) {
        const TervoCfgCommandLine line = parse(test.arguments);
        EXPECT_EQ(line.role, test.role) << test.arguments.join(' ').toStdString();
        EXPECT_EQ(line.mode, Mode::Dialog);
        EXPECT_TRUE(line.error.isEmpty());
    }
}

TEST(TervoCfgCommandLine, DrivesFromTheOptionOrTheVariable)
{
    EXPECT_FALSE(parse({}).drives);
    EXPECT_EQ(*parse({}, "/media/a::/media/b").drives, (QStringList{"/media/a", "/media/b"}));
    EXPECT_EQ(*parse({"--drives", "/media/c"}, "/media/a").drives, QStringList{"/media/c"});
}

TEST(TervoCfgCommandLine, SaveTakesItsSettingsByteForByte)
{
    const TervoCfgCommandLine line = parse({"--save", "/media/stick", "--ssid", "caf\xc3\xa9", "--auth=WPA2-PSK",
                                            "--encryption", "AES", "--key", "-starts with a dash", "--index", "2",
                                            "--adhoc", "--primary"});
    EXPECT_TRUE(line.error.isEmpty()) << line.error.toStdString();
    EXPECT_EQ(line.mode, Mode::Save);
    EXPECT_EQ(line.mountPoint, "/media/stick");
    EXPECT_EQ(line.ssid, QString::fromLatin1("caf\xc3\xa9"));
    EXPECT_EQ(line.authentication, "WPA2-PSK");
    EXPECT_EQ(line.key, "-starts with a dash");
    EXPECT_EQ(line.keyIndex, "2");
    EXPECT_TRUE(line.adHoc);
    EXPECT_EQ(line.role, SettingsRole::Primary);
}

TEST(TervoCfgCommandLine, BatchModesRefuseIncompleteOrUnknownParameters)
{
    const QList<QList<QByteArray>> wrong{
        {"--save", "/m", "--auth", "Open", "--encryption", "Disabled"},
        {"--save", "/m", "--ssid", "x", "--auth", "Open", "--encryption", "Disabled", "--kye", "k"},
        {"--save", "/m", "--ssid", "x", "--auth", "Open", "--encryption", "Disabled", "stray"},
        {"--load"},
        {"--load", "/m", "--ssid", "x"},
        {"--load", "/m", "--save", "/n"},
    };
    for (const auto& arguments : wrong)
        EXPECT_FALSE(parse(arguments).error.isEmpty()) << arguments.join(' ').toStdString();
    EXPECT_TRUE(parse({"--bogus"}).error.isEmpty()); // the dialog ignores what it does not know
}

// The built program, run against temporary folders as drives.
class TervoCfgProgram : public ::testing::Test {
protected:
    struct Run {
        int exitCode;
        QByteArray out;
        QByteArray err;
    };

    static QString program() { return qEnvironmentVariable("TERVANA_BIN_DIR") + "/TervoCfg"; }

    Run run(const QStringList& arguments, const QString& command = {})
    {
        QProcess process;
        process.start(command.isEmpty() ? program() : command, arguments);
        EXPECT_TRUE(process.waitForFinished(20000));
        return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    }
    QByteArray file(const QString& relative) const
    {
        QFile in(drive.filePath(relative));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    QStringList save(const QStringList& settings) const { return QStringList{"--save", drive.path()} + settings; }

    QTemporaryDir drive;
};

TEST_F(TervoCfgProgram, HelpAndVersion)
{
    const Run help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--save MOUNTPOINT --ssid SSID --auth AUTH --encryption ENC")) << help.out.data();
    EXPECT_TRUE(help.out.contains("--load MOUNTPOINT [--primary]"));
    const Run version = run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "TervoCfg Version 1.0\n");
}

TEST_F(TervoCfgProgram, SavedDrivesLoadBackTheSameSettings)
{
    const struct {
        QStringList settings;
        QByteArray keyLine;
        QByteArray loaded;
    } cases[] = {
        {{"--ssid", "lab", "--auth", "Open", "--encryption", "Disabled"}, "Network Key (WEP/WPA Key): \r\n",
         "ssid=lab\nauth=Open\nencryption=Disabled\nkey=\nindex=1\nadhoc=no\n"},
        {{"--ssid", "lab", "--auth", "open", "--encryption", "wep", "--key", "ABCDE", "--index", "4"},
         "Network Key (WEP/WPA Key): 4142434445\r\n",
         "ssid=lab\nauth=Open\nencryption=WEP\nkey=4142434445\nindex=4\nadhoc=no\n"},
        {{"--ssid", "pits", "--auth", "Shared", "--encryption", "WEP", "--key", "ABCDEFGHIJKLM", "--adhoc"},
         "Network Key (WEP/WPA Key): ABCDEFGHIJKLM\r\n",
         "ssid=pits\nauth=Shared\nencryption=WEP\nkey=ABCDEFGHIJKLM\nindex=1\nadhoc=yes\n"},
        {{"--ssid", "IEEE", "--auth", "WPA-PSK", "--encryption", "TKIP", "--key", "password"},
         "Network Key (WEP/WPA Key): f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e\r\n",
         "ssid=IEEE\nauth=WPA-PSK\nencryption=TKIP\nkey=f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e\n"
         "index=1\nadhoc=no\n"},
        {{"--ssid", "ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ", "--auth", "WPA2-PSK", "--encryption", "AES", "--key",
          "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"},
         "Network Key (WEP/WPA Key): becb93866bb8c3832cb777c2f559807c8c59afcb6eae734885001300a981cc62\r\n",
         "ssid=ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ\nauth=WPA2-PSK\nencryption=AES\n"
         "key=becb93866bb8c3832cb777c2f559807c8c59afcb6eae734885001300a981cc62\nindex=1\nadhoc=no\n"},
    };
    for (const auto& test : cases) {
        const Run saved = run(save(test.settings));
        EXPECT_EQ(saved.exitCode, 0) << saved.err.data();
        EXPECT_EQ(saved.out, "Configuration written to " + QFile::encodeName(drive.path()) + "\n");
        EXPECT_TRUE(file("DOZODURU/WSETTING.TXT").contains(test.keyLine)) << test.keyLine.data();
        const Run loaded = run({"--load", drive.path()});
        EXPECT_EQ(loaded.exitCode, 0) << loaded.err.data();
        EXPECT_EQ(loaded.out, test.loaded);
    }
}

TEST_F(TervoCfgProgram, PrimaryRoleUsesItsFolder)
{
    ASSERT_EQ(run(save({"--ssid", "lab", "--auth", "Open", "--encryption", "Disabled", "--primary"})).exitCode, 0);
    EXPECT_FALSE(file("JRVNTKY/WSETTING.TXT").isEmpty());
    EXPECT_FALSE(QFileInfo::exists(drive.filePath("DOZODURU")));
    EXPECT_EQ(run({"--load", drive.path(), "--primary"}).exitCode, 0);
    const Run secondary = run({"--load", drive.path()});
    EXPECT_EQ(secondary.exitCode, 1);
    EXPECT_TRUE(secondary.err.startsWith("Unable to open ")) << secondary.err.data();
}

TEST_F(TervoCfgProgram, SsidBytesSurviveTheRoundTrip)
{
    ASSERT_EQ(run(save({"--ssid", QString::fromUtf8("caf\xc3\xa9"), "--auth", "Open", "--encryption", "Disabled"}))
                  .exitCode,
              0);
    EXPECT_TRUE(file("DOZODURU/WSETTING.TXT").contains("Network Name (SSID): caf\xc3\xa9\r\n"));
    EXPECT_TRUE(run({"--load", drive.path()}).out.startsWith("ssid=caf\xc3\xa9\n"));
}

TEST_F(TervoCfgProgram, RefusalsPrintTheMessageAndWriteNothing)
{
    const struct {
        QStringList settings;
        int exitCode;
        QByteArray message;
    } cases[] = {
        {{"--ssid", "lab", "--auth", "Open", "--encryption", "WEP", "--key", "0123456789a"}, 1,
         "WEP Key must be 10 or 26 Hex characters (or 5 or 13 Ascii characters)\n"},
        {{"--ssid", "lab", "--auth", "Open", "--encryption", "WEP", "--key", "012345678g"}, 1,
         "WEP key contains non-hex characters (0-9 A-F)\n"},
        {{"--ssid", "lab", "--auth", "Open", "--encryption", "WEP", "--key", "ABCDE", "--index", "7"}, 1,
         "Please enter an integer between 1 and 4.\n"},
        {{"--ssid", "lab", "--auth", "Open", "--encryption", "WEP", "--key", "ABCDE", "--index", "two"}, 1,
         "Please enter an integer between 1 and 4.\n"},
        {{"--ssid", QString(33, 'S'), "--auth", "Open", "--encryption", "Disabled"}, 1,
         "Network Name (SSID) must be at most 32 characters\n"},
        {{"--ssid", "lab", "--auth", "WPA2-PSK", "--encryption", "AES", "--key", QString(65, 'p')}, 1,
         "WPA PassPhrase must be 8 to 63 characters (or a 64 character PSK)\n"},
        {{"--ssid", "lab", "--auth", "WPA2-PSK", "--encryption", "AES", "--key", "short"}, 1,
         "WPA PassPhrase must be 8 to 63 characters (or a 64 character PSK)\n"},
        {{"--ssid", "lab", "--auth", "WPA-PSK", "--encryption", "AES", "--key", "password", "--adhoc"}, 2,
         "Network Authentication \"WPA-PSK\" is not one of: Open, Shared (ad hoc)\n"},
        {{"--ssid", "lab", "--auth", "Shared", "--encryption", "Disabled"}, 2,
         "Data Encryption \"Disabled\" is not one of: WEP (for Shared)\n"},
        {{"--ssid", "lab", "--auth", "WPA", "--encryption", "AES"}, 2,
         "Network Authentication \"WPA\" is not one of: Open, Shared, WPA-PSK, WPA2-PSK\n"},
    };
    for (const auto& test : cases) {
        const Run refused = run(save(test.settings));
        EXPECT_EQ(refused.exitCode, test.exitCode) << test.message.data();
        EXPECT_EQ(refused.err, test.message);
        EXPECT_TRUE(refused.out.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(drive.filePath("DOZODURU"))) << test.message.data();
    }
}

TEST_F(TervoCfgProgram, MissingDriveOrFileIsAFailure)
{
    const Run save = run({"--save", drive.filePath("gone"), "--ssid", "x", "--auth", "Open", "--encryption",
                          "Disabled"});
    EXPECT_EQ(save.exitCode, 1);
    EXPECT_EQ(save.err, "Unable to open " + QFile::encodeName(drive.filePath("gone/DOZODURU")) + "/WSETTING.TXT\n");
    const Run load = run({"--load", drive.path()});
    EXPECT_EQ(load.exitCode, 1);
    EXPECT_EQ(load.err, "Unable to open " + QFile::encodeName(drive.filePath("DOZODURU/WSETTING.TXT")) + " or "
                            + QFile::encodeName(drive.filePath("Settings/Settings.xml")) + "\n");
    const Run usage = run({"--save"});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_FALSE(usage.err.isEmpty());
}

// Real read-only and full file systems, mounted in a private mount namespace
// that ends with the shell; skipped where the test may not mount.
class TervoCfgMountedDrive : public TervoCfgProgram {
protected:
    void SetUp() override
    {
        QProcess probe;
        probe.start("unshare", {"-m", "sh", "-c", "mount -t tmpfs -o size=64k tmpfs \"$0\"", drive.path()});
        if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
            GTEST_SKIP() << "no private mount namespace here";
    }
    Run inTmpfs(const QString& script)
    {
        return run({"-m", "sh", "-c", "mount -t tmpfs -o size=64k tmpfs \"$0\" && " + script, drive.path(), program()},
                   "unshare");
    }
};

TEST_F(TervoCfgMountedDrive, ReadOnlyDriveIsReported)
{
    const Run result = inTmpfs("mount -o remount,ro \"$0\" && \"$1\" --save \"$0\" --ssid lab --auth Open "
                               "--encryption Disabled; echo \"exit=$?\"");
    EXPECT_TRUE(result.out.endsWith("exit=1\n")) << result.out.data() << result.err.data();
    EXPECT_EQ(result.err, "Unable to open " + QFile::encodeName(drive.path()) + "/DOZODURU/WSETTING.TXT\n");
}

TEST_F(TervoCfgMountedDrive, FullDriveKeepsTheOldFile)
{
    const Run result = inTmpfs(
        "\"$1\" --save \"$0\" --ssid old --auth Open --encryption Disabled >/dev/null && "
        "dd if=/dev/zero of=\"$0/fill\" bs=4096 count=64 2>/dev/null; "
        "\"$1\" --save \"$0\" --ssid new --auth Open --encryption Disabled; echo \"exit=$?\"; "
        "grep -c 'SSID): old' \"$0/DOZODURU/WSETTING.TXT\"; ls -a \"$0/DOZODURU\" | wc -l");
    // Exit 1, the old file still there, and nothing but it in the folder (".", "..", the file).
    EXPECT_EQ(result.out, "exit=1\n1\n3\n") << result.err.data();
    EXPECT_EQ(result.err, "Unable to write " + QFile::encodeName(drive.path()) + "/DOZODURU/WSETTING.TXT\n");
}

}
