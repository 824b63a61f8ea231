#include "tests/support/ScriptedPrompt.h"
#include "wificfg/FixedDriveList.h"
#include "wificfg/NetworkSetup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList texts(const QList<NetworkChoices::Entry>& entries)
{
    QStringList out;
    for (const auto& entry : entries)
        out << entry.text;
    return out;
}

TEST(NetworkChoices, StartWithNothingSelectedAndTheKeyBoxesOff)
{
    const NetworkChoices choices;
    EXPECT_EQ(texts(choices.authEntries()), (QStringList{"Open", "Shared", "WPA-PSK", "WPA2-PSK"}));
    EXPECT_EQ(choices.authPosition(), -1);
    EXPECT_EQ(texts(choices.encEntries()), (QStringList{"Disabled", "WEP"}));
    EXPECT_EQ(choices.encPosition(), -1);
    EXPECT_FALSE(choices.keyBoxesEnabled());
    EXPECT_EQ(choices.authenticationText(), "");
}

TEST(NetworkChoices, KeyBoxesFollowTheEncryption)
{
    NetworkChoices choices;
    choices.selectAuthentication(0);
    EXPECT_FALSE(choices.keyBoxesEnabled());
    choices.selectEncryption(1);
    EXPECT_TRUE(choices.keyBoxesEnabled());
    EXPECT_EQ(choices.encryptionChoice(), 109);
    choices.selectEncryption(0);
    EXPECT_FALSE(choices.keyBoxesEnabled());
    EXPECT_EQ(choices.encryptionChoice(), 108);
}

struct RebuildCase {
    const char* name;
    bool adHocFirst;
    int authFirst, encFirst;
    bool adHocThen;
    int authThen; // -2: leave the authentication as it is
    QStringList authTexts, encTexts;
    QString auth, enc;
    bool keyBoxes;
};

class RebuildTest : public ::testing::TestWithParam<RebuildCase> {};

TEST_P(RebuildTest, KeepsPositionsThatStillFit)
{
    const RebuildCase& test = GetParam();
    NetworkChoices choices;
    choices.setAdHoc(test.adHocFirst);
    choices.selectAuthentication(test.authFirst);
    choices.selectEncryption(test.encFirst);
    choices.setAdHoc(test.adHocThen);
    if (test.authThen != -2)
        choices.selectAuthentication(test.authThen);
    EXPECT_EQ(texts(choices.authEntries()), test.authTexts);
    EXPECT_EQ(texts(choices.encEntries()), test.encTexts);
    EXPECT_EQ(choices.authenticationText(), test.auth);
    EXPECT_EQ(choices.encryptionText(), test.enc);
    EXPECT_EQ(choices.keyBoxesEnabled(), test.keyBoxes);
}

const QStringList AllAuth{"Open", "Shared", "WPA-PSK", "WPA2-PSK"};
const QStringList AdHocAuth{"Open", "Shared"};
const QStringList OpenEnc{"Disabled", "WEP"};
const QStringList PskEnc{"AES", "TKIP"};

INSTANTIATE_TEST_SUITE_P(
    Lists, RebuildTest,
    ::testing::Values(
        RebuildCase{"OpenWepToWpaPskPicksTkip", false, 0, 1, false, 2, AllAuth, PskEnc, "WPA-PSK", "TKIP", true},
        RebuildCase{"OpenWepToSharedPicksWep", false, 0, 1, false, 1, AllAuth, {"WEP"}, "Shared", "WEP", true},
        RebuildCase{"OpenDisabledToSharedPicksWep", false, 0, 0, false, 1, AllAuth, {"WEP"}, "Shared", "WEP", true},
        RebuildCase{"AdHocOnWpa2AesGivesOpenDisabled", false, 3, 0, true, -2, AdHocAuth, OpenEnc, "Open", "Disabled",
                    false},
        RebuildCase{"AdHocOnWpa2TkipGivesOpenWep", false, 3, 1, true, -2, AdHocAuth, OpenEnc, "Open", "WEP", true},
        RebuildCase{"AdHocOnSharedKeepsShared", false, 1, 0, true, -2, AdHocAuth, {"WEP"}, "Shared", "WEP", true},
        RebuildCase{"AdHocOffKeepsShared", true, 1, 0, false, -2, AllAuth, {"WEP"}, "Shared", "WEP", true},
        RebuildCase{"SameAuthenticationAgainKeepsEncryption", false, 2, 1, false, 2, AllAuth, PskEnc, "WPA-PSK",
                    "TKIP", true},
        RebuildCase{"NoSelectionStaysNone", false, -1, -1, true, -2, AdHocAuth, OpenEnc, "", "", false}),
    [](const ::testing::TestParamInfo<RebuildCase>& info) { return std::string(info.param.name); });

TEST(NetworkChoices, SelectsByTheBeginningOfTheText)
{
    NetworkChoices choices;
    EXPECT_TRUE(choices.selectAuthenticationText("wpa2"));
    EXPECT_EQ(choices.authenticationText(), "WPA2-PSK");
    EXPECT_TRUE(choices.selectEncryptionText("TK"));
    EXPECT_EQ(choices.encryptionText(), "TKIP");
    EXPECT_FALSE(choices.selectEncryptionText("WEP"));
    EXPECT_FALSE(choices.selectAuthenticationText(""));
    EXPECT_EQ(choices.encryptionText(), "TKIP");
}

// Temporary folders stand in for the flash drives.
class NetworkSetupTest : public ::testing::Test {
protected:
    QString drive(const QString& name)
    {
        QDir().mkpath(dir.filePath(name));
        return dir.filePath(name);
    }
    void put(const QString& relative, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(dir.filePath(relative)).path());
        QFile file(dir.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString& relative)
    {
        QFile file(dir.filePath(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void choose(NetworkSetup& setup, const char* auth, const char* enc, bool adHoc = false)
    {
        setup.choices().setAdHoc(adHoc);
        ASSERT_TRUE(setup.choices().selectAuthenticationText(auth));
        ASSERT_TRUE(setup.choices().selectEncryptionText(enc));
    }
    static void type(NetworkSetup& setup, const QString& ssid, const QString& key, int index = 1)
    {
        setup.values().ssid = ssid;
        setup.values().key = key;
        setup.values().confirmKey = key;
        setup.values().keyIndex = index;
    }

    QTemporaryDir dir;
    ScriptedPrompt prompt;
    int searchesEnded = 0;
    QList<QStringList> offered;
    std::optional<QString> pick;

    std::unique_ptr<NetworkSetup> makeSetup(const FixedDriveList& drives, SettingsRole role = SettingsRole::Secondary)
    {
        auto setup = std::make_unique<NetworkSetup>(role, drives, prompt);
        setup->setSearchEnded([this] { ++searchesEnded; });
        setup->setDriveChooser([this](const QStringList& list) {
            offered << list;
            return pick;
        });
        return setup;
    }
};

TEST_F(NetworkSetupTest, SavesToTheOnlyDrive)
{
    const FixedDriveList drives({drive("stick")});
    auto setup = makeSetup(drives);
    choose(*setup, "Open", "WEP");
    type(*setup, "lab", "ABCDE", 2);
    ASSERT_TRUE(setup->takeValues());
    EXPECT_TRUE(setup->saveFlow());
    EXPECT_EQ(searchesEnded, 1);
    EXPECT_TRUE(offered.isEmpty());
    EXPECT_TRUE(read("stick/DOZODURU/WSETTING.TXT").contains("Network Key (WEP/WPA Key): 4142434445\r\n"));
    EXPECT_EQ(setup->values().key, "ABCDE");
    EXPECT_EQ(prompt.asked, QStringList{"Configuration written to " + dir.filePath("stick")});
}

TEST_F(NetworkSetupTest, SeveralDrivesAskWhichAndCancelWritesNothing)
{
    const FixedDriveList drives({drive("zeta"), drive("alpha")});
    auto setup = makeSetup(drives);
    choose(*setup, "Open", "Disabled");
    type(*setup, "lab", "");
    ASSERT_TRUE(setup->takeValues());
    EXPECT_FALSE(setup->saveFlow());
    EXPECT_EQ(offered, (QList<QStringList>{{dir.filePath("alpha"), dir.filePath("zeta")}}));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("alpha/DOZODURU")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("zeta/DOZODURU")));
    EXPECT_TRUE(prompt.asked.isEmpty());

    pick = dir.filePath("zeta");
    EXPECT_TRUE(setup->saveFlow());
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("zeta/DOZODURU/WSETTING.TXT")));
}

TEST_F(NetworkSetupTest, NoDriveIsReportedAfterThePassphraseIsConverted)
{
    const FixedDriveList drives({});
    auto setup = makeSetup(drives);
    choose(*setup, "WPA2-PSK", "AES");
    type(*setup, "IEEE", "password");
    prompt.answers = {Prompt::Answer::Ok};
    ASSERT_TRUE(setup->takeValues());
    EXPECT_FALSE(setup->saveFlow());
    EXPECT_EQ(searchesEnded, 1);
    ASSERT_EQ(prompt.asked.size(), 2);
    EXPECT_EQ(prompt.asked[1], "No Flash Drives detected to save config to");
    EXPECT_EQ(setup->values().key, "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e");
}

TEST_F(NetworkSetupTest, APskIsRefusedForAnotherNetworkName)
{
    const FixedDriveList drives({drive("stick")});
    auto setup = makeSetup(drives);
    choose(*setup, "WPA2-PSK", "AES");
    type(*setup, "IEEF", "password");
    prompt.answers = {Prompt::Answer::Ok};
    ASSERT_TRUE(setup->takeValues());
    ASSERT_TRUE(setup->saveFlow());
    // The operator mends the name after the passphrase is gone.
    setup->values().ssid = "IEEE";
    prompt.asked.clear();
    EXPECT_FALSE(setup->takeValues());
    EXPECT_EQ(prompt.asked, QStringList{"The network key was converted for the Network Name (SSID) \"IEEF\". "
                                        "Type the PassPhrase again for the new name."});
    // Typing the passphrase again gives the key for the new name.
    type(*setup, "IEEE", "password");
    prompt.answers = {Prompt::Answer::Ok};
    ASSERT_TRUE(setup->takeValues());
    ASSERT_TRUE(setup->saveFlow());
    EXPECT_EQ(setup->values().key, "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e");

    // A PSK read from a drive belongs to the name read with it.
    auto loaded = makeSetup(drives);
    ASSERT_TRUE(loaded->loadFlow());
    loaded->values().ssid = "other";
    prompt.asked.clear();
    EXPECT_FALSE(loaded->takeValues());
    EXPECT_EQ(prompt.asked.size(), 1);
    loaded->values().ssid = "IEEE";
    EXPECT_TRUE(loaded->takeValues());
}

TEST_F(NetworkSetupTest, CancelledConversionSearchesNoDrive)
{
    const FixedDriveList drives({drive("a"), drive("b")});
    auto setup = makeSetup(drives);
    choose(*setup, "WPA-PSK", "TKIP");
    type(*setup, "lab", "password");
    prompt.answers = {Prompt::Answer::Cancel};
    ASSERT_TRUE(setup->takeValues());
    EXPECT_FALSE(setup->saveFlow());
    EXPECT_EQ(searchesEnded, 1);
    EXPECT_TRUE(offered.isEmpty());
    EXPECT_EQ(prompt.asked.size(), 1);
    EXPECT_EQ(setup->values().key, "password");
}

TEST_F(NetworkSetupTest, LoadWithoutSettingsDriveSaysSo)
{
    const FixedDriveList drives({drive("blank")});
    auto setup = makeSetup(drives);
    EXPECT_FALSE(setup->loadFlow());
    EXPECT_EQ(searchesEnded, 1);
    EXPECT_EQ(prompt.asked, QStringList{"No Flash Drives detected to load config from"});
}

struct ReadCase {
    const char* name;
    SettingsRole role;
    const char* file;
    QByteArray bytes;
    QString ssid, key, auth, enc;
    bool adHoc;
    int index;
};

class ReadBackTest : public NetworkSetupTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadBackTest, PicksTheDialogsEntries)
{
    const ReadCase& test = GetParam();
    const QString root = drive("stick");
    put(QString("stick/") + test.file, test.bytes);
    const FixedDriveList drives({root});
    auto setup = makeSetup(drives, test.role);
    EXPECT_TRUE(setup->loadFlow());
    EXPECT_TRUE(prompt.asked.isEmpty()) << prompt.asked.join('|').toStdString();
    const NetworkSettings& values = setup->values();
    EXPECT_EQ(values.ssid, test.ssid);
    EXPECT_EQ(values.key, test.key);
    EXPECT_EQ(values.confirmKey, test.key);
    EXPECT_EQ(values.authentication, test.auth);
    EXPECT_EQ(values.encryption, test.enc);
    EXPECT_EQ(values.adHoc, test.adHoc);
    EXPECT_EQ(setup->choices().adHoc(), test.adHoc);
    EXPECT_EQ(values.keyIndex, test.index);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadBackTest,
    ::testing::Values(
        ReadCase{"Ibss", SettingsRole::Secondary, "DOZODURU/WSETTING.TXT",
                 "Network Name (SSID): pits\r\nNetwork Key (WEP/WPA Key): ABCDE\r\nNetwork Authentication Type: "
                 "Open\r\nData Encryption Type: WEP\r\nConnection Type: IBSS\r\nKey Index: 2\r\n",
                 "pits", "ABCDE", "Open", "WEP", true, 2},
        ReadCase{"KeyIndexSevenIsOne", SettingsRole::Secondary, "DOZODURU/WSETTING.TXT",
                 "Network Authentication Type: Open\r\nData Encryption Type: Disabled\r\nKey Index: 7\r\n", "", "",
                 "Open", "Disabled", false, 1},
        ReadCase{"KeyIndexWithTrailingText", SettingsRole::Secondary, "DOZODURU/WSETTING.TXT",
                 "Key Index: 3 (advanced)\r\n", "", "", "", "", false, 3},
        ReadCase{"Wpa2PskSelectsWpa2Psk", SettingsRole::Primary, "JRVNTKY/WSETTING.TXT",
                 "Network Name (SSID): IEEE\r\nNetwork Key (WEP/WPA Key): " + QByteArray(64, 'a')
                     + "\r\nNetwork Authentication Type: WPA2PSK\r\nData Encryption Type: AES\r\nConnection Type: "
                       "ess\r\n",
                 "IEEE", QString(64, 'a'), "WPA2-PSK", "AES", false, 1},
        ReadCase{"WpaPskSelectsWpaPsk", SettingsRole::Secondary, "DOZODURU/WSETTING.TXT",
                 "Network Authentication Type: WPAPSK\r\nData Encryption Type: TKIP\r\n", "", "", "WPA-PSK", "TKIP",
                 false, 1},
        ReadCase{"UnknownTextsSelectNothing", SettingsRole::Secondary, "DOZODURU/WSETTING.TXT",
                 "Network Authentication Type: EAP\r\nData Encryption Type: CCMP\r\n", "", "", "", "", false, 1},
        ReadCase{"SettingsXmlInTheSecondaryRole", SettingsRole::Secondary, "Settings/Settings.xml",
                 "<Settings>\r\n  WirelessSSID=\"lab\"\r\n  WirelessPassword=\"lab password\"\r\n</Settings>\r\n", "lab",
                 "lab password", "WPA2-PSK", "AES", false, 1}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST_F(NetworkSetupTest, SettingsXmlIsNotReadInThePrimaryRole)
{
    put("stick/Settings/Settings.xml", "WirelessSSID=lab\r\n");
    const FixedDriveList drives({dir.filePath("stick")});
    auto setup = makeSetup(drives, SettingsRole::Primary);
    EXPECT_FALSE(setup->loadFlow());
    EXPECT_EQ(prompt.asked, QStringList{"No Flash Drives detected to load config from"});
    ScriptedPrompt direct;
    NetworkSetup primary(SettingsRole::Primary, drives, direct);
    EXPECT_FALSE(primary.readDrive(dir.filePath("stick")));
    EXPECT_EQ(direct.asked, QStringList{"Unable to open " + dir.filePath("stick/JRVNTKY/WSETTING.TXT")});
}

TEST_F(NetworkSetupTest, AFailedReadKeepsTheValues)
{
    put("stick/DOZODURU/WSETTING.TXT", QByteArray("\x7f" "ELF\0\0\0", 7));
    const FixedDriveList drives({dir.filePath("stick")});
    auto setup = makeSetup(drives);
    choose(*setup, "Shared", "WEP");
    type(*setup, "typed", "ABCDE", 4);
    EXPECT_FALSE(setup->loadFlow());
    EXPECT_EQ(prompt.asked.size(), 1);
    EXPECT_EQ(setup->values().ssid, "typed");
    EXPECT_EQ(setup->values().keyIndex, 4);
    EXPECT_EQ(setup->choices().authenticationText(), "Shared");
}

// What one setup saves, a fresh one loads back into the same values.
TEST_F(NetworkSetupTest, SavedDrivesReadBackIntoTheSameSettings)
{
    struct Case {
        const char* auth;
        const char* enc;
        bool adHoc;
        QString key;
        int index;
        QString keyAfterSave;
    } cases[] = {
        {"Open", "Disabled", false, "", 1, ""},
        {"Open", "WEP", true, "0123456789", 4, "0123456789"},
        {"Shared", "WEP", false, "ABCDEFGHIJKLM", 2, "ABCDEFGHIJKLM"},
        {"WPA-PSK", "TKIP", false, "ThisIsAPassword", 1,
         "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af"},
        {"WPA2-PSK", "AES", false, "ThisIsAPassword", 3,
         "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af"},
    };
    const FixedDriveList drives({drive("stick")});
    for (const Case& test : cases) {
        auto saver = makeSetup(drives);
        choose(*saver, test.auth, test.enc, test.adHoc);
        type(*saver, "ThisIsASSID", test.key, test.index);
        prompt.answers = {Prompt::Answer::Ok};
        ASSERT_TRUE(saver->takeValues()) << test.auth;
        ASSERT_TRUE(saver->saveFlow()) << test.auth;
        auto loader = makeSetup(drives);
        ASSERT_TRUE(loader->loadFlow()) << test.auth;
        EXPECT_EQ(loader->values().ssid, "ThisIsASSID");
        EXPECT_EQ(loader->values().key, test.keyAfterSave) << test.auth;
        EXPECT_EQ(loader->values().authentication, test.auth);
        EXPECT_EQ(loader->values().encryption, test.enc);
        EXPECT_EQ(loader->values().adHoc, test.adHoc);
        EXPECT_EQ(loader->values().keyIndex, test.index);
    }
}

}
