#include "tests/support/ScriptedPrompt.h"
#include "wificfg/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray expectedFile(const char* ssid, const char* key, const char* authentication, const char* encryption,
                        const char* connection, int index)
{
    return QByteArray("Wireless Network Settings\r\n"
                      "\r\n"
                      "Print this document and store it in a safe place for future reference.  You may need "
                      "these settings to add additional computers and devices to your network.\r\n"
                      "\r\n"
                      "\r\n"
                      "Wireless Settings\r\n"
                      "\r\n"
                      "Network Name (SSID): ")
        + ssid + "\r\nNetwork Key (WEP/WPA Key): " + key
        + "\r\nKey Provided Automatically (802.1x): 0\r\nNetwork Authentication Type: " + authentication
        + "\r\nData Encryption Type: " + encryption + "\r\nConnection Type: " + connection
        + "\r\nKey Index: " + QByteArray::number(index)
        + "\r\n"
          "\r\n"
          "To enable File and Printer Sharing on this computer, run the Network Setup Wizard.\r\n"
          "\r\n"
          "To set up your Internet connection, follow the instructions from your Internet Service Provider "
          "(ISP).\r\n";
}

NetworkSettings settings(const char* ssid, const char* authentication, const char* encryption, bool adHoc = false,
                         int index = 1)
{
    NetworkSettings values;
    values.ssid = ssid;
    values.authentication = authentication;
    values.encryption = encryption;
    values.adHoc = adHoc;
    values.keyIndex = index;
    return values;
}

class SettingsFileTest : public ::testing::Test {
protected:
    QString root() const { return drive.path(); }
    QString path(const QString& relative) const { return drive.filePath(relative); }
    QByteArray read(const QString& relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void put(const QString& relative, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    std::optional<SettingsFileValues> readBack(SettingsRole role = SettingsRole::Secondary)
    {
        SettingsFileValues current;
        current.ssid = "typed";
        current.key = "typed key";
        current.authentication = "Open";
        current.encryption = "WEP";
        return ReadSettingsFile(root(), role, current, prompt);
    }

    QTemporaryDir drive;
    ScriptedPrompt prompt;
};

struct FileCase {
    const char* name;
    NetworkSettings values;
    const char* key;
    QByteArray bytes;
};

TEST_F(SettingsFileTest, WritesTheExactBytesForEveryKindOfNetwork)
{
    const FileCase cases[] = {
        {"open", settings("lab", "Open", "Disabled"), "", expectedFile("lab", "", "Open", "Disabled", "ESS", 1)},
        {"wep", settings("lab", "Shared", "WEP", false, 3), "4142434445",
         expectedFile("lab", "4142434445", "Shared", "WEP", "ESS", 3)},
        {"wpa", settings("IEEE", "WPA-PSK", "TKIP"), "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e",
         expectedFile("IEEE", "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e", "WPAPSK", "TKIP",
                      "ESS", 1)},
        {"wpa2", settings("IEEE", "WPA2-PSK", "AES"), "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e",
         expectedFile("IEEE", "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e", "WPA2PSK", "AES",
                      "ESS", 1)},
        {"adhoc", settings("pits", "Open", "WEP", true, 2), "ABCDEFGHIJKLM",
         expectedFile("pits", "ABCDEFGHIJKLM", "Open", "WEP", "IBSS", 2)},
    };
    for (const FileCase& test : cases) {
        ScriptedPrompt written;
        ASSERT_TRUE(WriteSettingsFile(root(), SettingsRole::Secondary, test.values, test.key, written)) << test.name;
        EXPECT_EQ(read("DOZODURU/WSETTING.TXT"), test.bytes) << test.name;
        EXPECT_EQ(written.asked, QStringList{"Configuration written to " + root()});
    }
    // Only the file itself is left in the folder: no temporary files.
    EXPECT_EQ(QDir(path("DOZODURU")).entryList(QDir::Files | QDir::Hidden), QStringList{"WSETTING.TXT"});
}

TEST_F(SettingsFileTest, WritesEightBitTextByteForByte)
{
    NetworkSettings values = settings("caf\xe9", "Open", "Disabled");
    values.ssid = QString::fromLatin1("caf\xe9");
    ASSERT_TRUE(WriteSettingsFile(root(), SettingsRole::Secondary, values, "", prompt));
    EXPECT_TRUE(read("DOZODURU/WSETTING.TXT").contains("Network Name (SSID): caf\xe9\r\n"));
}

TEST_F(SettingsFileTest, PrimaryRoleWritesItsOwnFolder)
{
    ASSERT_TRUE(WriteSettingsFile(root(), SettingsRole::Primary, settings("lab", "Open", "Disabled"), "", prompt));
    EXPECT_TRUE(QFileInfo::exists(path("JRVNTKY/WSETTING.TXT")));
    EXPECT_FALSE(QFileInfo::exists(path("DOZODURU")));
}

TEST_F(SettingsFileTest, ReplacesAFileWrittenInAnotherCase)
{
    put("dozoduru/wsetting.txt", "old");
    ASSERT_TRUE(WriteSettingsFile(root(), SettingsRole::Secondary, settings("lab", "Open", "Disabled"), "", prompt));
    EXPECT_EQ(QDir(root()).entryList(QDir::AllDirs | QDir::NoDotAndDotDot), QStringList{"dozoduru"});
    EXPECT_EQ(QDir(path("dozoduru")).entryList(QDir::Files), QStringList{"wsetting.txt"});
    EXPECT_TRUE(read("dozoduru/wsetting.txt").startsWith("Wireless Network Settings\r\n"));
}

TEST_F(SettingsFileTest, ReportsAFolderThatCannotBeMade)
{
    put("DOZODURU", "a file where the folder belongs");
    EXPECT_FALSE(WriteSettingsFile(root(), SettingsRole::Secondary, settings("lab", "Open", "Disabled"), "", prompt));
    EXPECT_EQ(prompt.asked, QStringList{"Unable to open " + path("DOZODURU") + "/WSETTING.TXT"});

    ScriptedPrompt missing;
    EXPECT_FALSE(WriteSettingsFile(path("gone"), SettingsRole::Secondary, settings("lab", "Open", "Disabled"), "",
                                   missing));
    EXPECT_FALSE(QFileInfo::exists(path("gone")));
    ASSERT_EQ(missing.asked.size(), 1);
    EXPECT_TRUE(missing.asked[0].startsWith("Unable to open "));
}

TEST_F(SettingsFileTest, ReportsAFileThatCannotBeCreated)
{
    QDir().mkpath(path("DOZODURU/WSETTING.TXT"));
    EXPECT_FALSE(WriteSettingsFile(root(), SettingsRole::Secondary, settings("lab", "Open", "Disabled"), "", prompt));
    EXPECT_EQ(prompt.asked, QStringList{"Unable to open " + path("DOZODURU") + "/WSETTING.TXT"});
}

// A drive that fills up part-way: the file size limit makes every write past
// a few bytes fail as a full drive does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};

TEST_F(SettingsFileTest, AFullDriveKeepsTheOldFileAndIsReported)
{
    put("DOZODURU/WSETTING.TXT", "the old file");
    bool written = true;
    {
        const FileSizeLimit full(100);
        written = WriteSettingsFile(root(), SettingsRole::Secondary, settings("lab", "Open", "Disabled"), "", prompt);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(prompt.asked, QStringList{"Unable to write " + path("DOZODURU") + "/WSETTING.TXT"});
    EXPECT_EQ(read("DOZODURU/WSETTING.TXT"), "the old file");
    EXPECT_EQ(QDir(path("DOZODURU")).entryList(QDir::Files | QDir::Hidden), QStringList{"WSETTING.TXT"});
}

TEST(SettingsLineValue, TakesTheRestOfTheLineAndStripsQuotes)
{
    EXPECT_EQ(SettingsLineValue("WirelessSSID=\"field\"", "WirelessSSID="), "field");
    EXPECT_EQ(SettingsLineValue("  <x WirelessSSID=lab", "WirelessSSID="), "lab");
    EXPECT_EQ(SettingsLineValue("WirelessSSID=\"", "WirelessSSID="), "");
    EXPECT_EQ(SettingsLineValue("Key Index: ", "Key Index: "), "");
    EXPECT_FALSE(SettingsLineValue("key index: 2", "Key Index: "));
}

TEST_F(SettingsFileTest, ReadsBackWhatItWrote)
{
    ASSERT_TRUE(WriteSettingsFile(root(), SettingsRole::Secondary, settings("pits", "WPA2-PSK", "AES", true, 3),
                                  QString(64, 'f'), prompt));
    const auto values = readBack();
    ASSERT_TRUE(values);
    EXPECT_EQ(values->ssid, "pits");
    EXPECT_EQ(values->key, QString(64, 'f'));
    EXPECT_EQ(values->authentication, "WPA2PSK");
    EXPECT_EQ(values->encryption, "AES");
    EXPECT_EQ(values->connectionType, "IBSS");
    EXPECT_EQ(values->keyIndex, "3");
}

TEST_F(SettingsFileTest, MissingLinesKeepTheValuesAndRepeatedLinesTakeTheLast)
{
    put("DOZODURU/WSETTING.TXT", "Network Name (SSID): first\r\n"
                                 "garbage \x01\x02 line\r\n"
                                 "Network Name (SSID): second\n"
                                 "Data Encryption Type: AES");
    const auto values = readBack();
    ASSERT_TRUE(values);
    EXPECT_EQ(values->ssid, "second");
    EXPECT_EQ(values->key, "typed key");
    EXPECT_EQ(values->authentication, "Open");
    EXPECT_EQ(values->encryption, "AES");
    EXPECT_EQ(values->connectionType, "ESS");
    EXPECT_EQ(values->keyIndex, "1");
}

TEST_F(SettingsFileTest, FindsFoldersAndFilesInAnyCase)
{
    put("DoZoDuRu/wSetting.Txt", "Network Name (SSID): mixed\r\n");
    const auto values = readBack();
    ASSERT_TRUE(values);
    EXPECT_EQ(values->ssid, "mixed");
}

TEST_F(SettingsFileTest, RefusesFilesThatAreNoSettingsFile)
{
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"binary", QByteArray("Network Name (SSID): x\r\n\0\x7f\x45LF", 29)},
        {"no settings lines", "Hello\r\nWorld\r\n"},
        {"empty", ""},
        {"huge", QByteArray(100 * 1024, 'a')},
    };
    for (const auto& test : cases) {
        put("DOZODURU/WSETTING.TXT", test.bytes);
        ScriptedPrompt refused;
        SettingsFileValues current;
        EXPECT_FALSE(ReadSettingsFile(root(), SettingsRole::Secondary, current, refused)) << test.name;
        EXPECT_EQ(refused.asked, QStringList{path("DOZODURU/WSETTING.TXT") + " is not a wireless config file"})
            << test.name;
    }
}

TEST_F(SettingsFileTest, PrimaryRoleReportsItsMissingFile)
{
    put("Settings/Settings.xml", "WirelessSSID=lab\r\n");
    EXPECT_FALSE(readBack(SettingsRole::Primary));
    EXPECT_EQ(prompt.asked, QStringList{"Unable to open " + path("JRVNTKY/WSETTING.TXT")});
}

TEST_F(SettingsFileTest, SecondaryRoleFallsBackToSettingsXml)
{
    put("SETTINGS/SETTINGS.XML", "<settings>\r\nWirelessSSID=\"lab\"\r\nWirelessPassword=\"secret pass\"\r\n");
    const auto values = readBack();
    ASSERT_TRUE(values);
    EXPECT_EQ(values->ssid, "lab");
    EXPECT_EQ(values->key, "secret pass");
    EXPECT_EQ(values->authentication, "WPA2-PSK");
    EXPECT_EQ(values->encryption, "AES");
    EXPECT_TRUE(prompt.asked.isEmpty());
}

TEST_F(SettingsFileTest, SecondaryRoleNamesBothFilesWhenNeitherOpens)
{
    EXPECT_FALSE(readBack());
    EXPECT_EQ(prompt.asked, QStringList{"Unable to open " + path("DOZODURU/WSETTING.TXT") + " or "
                                        + path("Settings/Settings.xml")});
}

}
