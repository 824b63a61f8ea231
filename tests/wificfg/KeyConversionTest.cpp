#include "tests/support/ScriptedPrompt.h"
#include "wificfg/KeyConversion.h"

#include <gtest/gtest.h>

namespace {

// The passphrase-to-PSK vectors published with IEEE 802.11i (Annex H.4),
// cross-checked with OpenSSL's PBKDF2 and Python's hashlib.
struct PskVector {
    const char* passphrase;
    const char* ssid;
    const char* psk;
};

const PskVector PublishedVectors[] = {
    {"password", "IEEE", "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e"},
    {"ThisIsAPassword", "ThisIsASSID", "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af"},
    {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ",
     "becb93866bb8c3832cb777c2f559807c8c59afcb6eae734885001300a981cc62"},
};

TEST(PassphraseToPsk, GivesThePublishedKeys)
{
    for (const PskVector& vector : PublishedVectors) {
        EXPECT_EQ(PassphraseToPsk(QString::fromLatin1(vector.passphrase), QString::fromLatin1(vector.ssid)),
                  QString::fromLatin1(vector.psk))
            << vector.passphrase << " / " << vector.ssid;
    }
}

TEST(PassphraseToPsk, UsesTheBytesOfEightBitText)
{
    // "\xe9" is one byte in the file's 8-bit text; the salt must be that byte.
    const QString ssid = QString::fromLatin1("caf\xe9");
    const QString psk = PassphraseToPsk(QStringLiteral("password"), ssid);
    EXPECT_EQ(psk.size(), 64);
    EXPECT_NE(psk, PassphraseToPsk(QStringLiteral("password"), QStringLiteral("caf")));
    // python3: hashlib.pbkdf2_hmac('sha1', b'password', b'caf\xe9', 4096, 32).hex()
    EXPECT_EQ(psk, QStringLiteral("38932b16dd6adf8c322eee0c9c54a83497b16e566aff700495f046c5e5645ee8"));
}

TEST(WepAsciiToHex, WritesEachByteAsTwoLowercaseDigits)
{
    EXPECT_EQ(WepAsciiToHex(QStringLiteral("ABCDE")), QStringLiteral("4142434445"));
    EXPECT_EQ(WepAsciiToHex(QStringLiteral("z0 ~!")), QStringLiteral("7a30207e21"));
}

NetworkSettings settingsWith(const QString& authentication, const QString& encryption, const QString& key,
                             const QString& ssid = QStringLiteral("field"))
{
    NetworkSettings settings;
    settings.ssid = ssid;
    settings.key = key;
    settings.confirmKey = key;
    settings.authentication = authentication;
    settings.encryption = encryption;
    return settings;
}

struct ValidationCase {
    const char* name;
    NetworkSettings settings;
    bool keyBoxEnabled;
    QString message; // empty: accepted
};

class ValidateKeyTest : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(ValidateKeyTest, AcceptsOrShowsTheReason)
{
    const ValidationCase& test = GetParam();
    ScriptedPrompt prompt;
    const bool accepted = ValidateKey(test.settings, test.keyBoxEnabled, prompt);
    EXPECT_EQ(accepted, test.message.isEmpty());
    if (test.message.isEmpty())
        EXPECT_TRUE(prompt.asked.isEmpty()) << prompt.asked.join('|').toStdString();
    else
        EXPECT_EQ(prompt.asked, QStringList{test.message});
}

NetworkSettings mismatched()
{
    NetworkSettings settings = settingsWith("Open", "WEP", "ABCDE");
    settings.confirmKey = "abcde";
    return settings;
}

NetworkSettings withIndex(int index)
{
    NetworkSettings settings = settingsWith("Open", "WEP", "ABCDE");
    settings.keyIndex = index;
    return settings;
}

const QString NonHex = "WEP key contains non-hex characters (0-9 A-F)";
const QString WepLength = "WEP Key must be 10 or 26 Hex characters (or 5 or 13 Ascii characters)";
const QString Range = "Please enter an integer between 1 and 4.";
const QString Passphrase = "WPA PassPhrase must be 8 to 63 characters (or a 64 character PSK)";

INSTANTIATE_TEST_SUITE_P(
    Keys, ValidateKeyTest,
    ::testing::Values(
        ValidationCase{"KeysDifferInCase", mismatched(), true, "Network Keys do not match"},
        ValidationCase{"Wep5", settingsWith("Open", "WEP", "ABCDE"), true, {}},
        ValidationCase{"Wep13", settingsWith("Shared", "WEP", "ABCDEFGHIJKLM"), true, {}},
        ValidationCase{"Wep10Hex", settingsWith("Open", "WEP", "0123456789"), true, {}},
        ValidationCase{"Wep26Hex", settingsWith("Open", "wep", "0123456789abcdefABCDEF0123"), true, {}},
        ValidationCase{"Wep10WithG", settingsWith("Open", "WEP", "012345678g"), true, NonHex},
        ValidationCase{"Wep26WithSpace", settingsWith("Open", "WEP", "0123456789abcdef 123456789"), true, NonHex},
        ValidationCase{"Wep0", settingsWith("Open", "WEP", ""), true, WepLength},
        ValidationCase{"Wep4", settingsWith("Open", "WEP", "ABCD"), true, WepLength},
        ValidationCase{"Wep6", settingsWith("Open", "WEP", "ABCDEF"), true, WepLength},
        ValidationCase{"Wep11", settingsWith("Open", "WEP", "0123456789a"), true, WepLength},
        ValidationCase{"Wep27", settingsWith("Open", "WEP", "0123456789abcdef0123456789a"), true, WepLength},
        ValidationCase{"IndexZero", withIndex(0), true, Range},
        ValidationCase{"IndexFive", withIndex(5), true, Range},
        ValidationCase{"IndexFour", withIndex(4), true, {}},
        ValidationCase{"DisabledChecksNoKey", settingsWith("Open", "Disabled", "any length"), false, {}},
        ValidationCase{"NothingChosen", settingsWith("", "", ""), false,
                       "Choose the Network Authentication and Data Encryption"},
        ValidationCase{"Ssid32", settingsWith("Open", "Disabled", "", QString(32, 'S')), false, {}},
        ValidationCase{"Ssid33", settingsWith("Open", "Disabled", "", QString(33, 'S')), false,
                       "Network Name (SSID) must be at most 32 characters"},
        ValidationCase{"SsidLineBreak", settingsWith("Open", "Disabled", "", "a\nb"), false,
                       "Network Name (SSID) contains characters that cannot be written to the config file"},
        ValidationCase{"SsidBeyond8Bit", settingsWith("Open", "Disabled", "", QString::fromUtf8("\xe2\x82\xac")),
                       false, "Network Name (SSID) contains characters that cannot be written to the config file"},
        ValidationCase{"KeyLineBreak", settingsWith("Open", "Disabled", "a\r\nb"), false,
                       "Network key contains characters that cannot be written to the config file"},
        ValidationCase{"Passphrase7", settingsWith("WPA2-PSK", "AES", "1234567"), true, Passphrase},
        ValidationCase{"Passphrase8", settingsWith("WPA2-PSK", "AES", "12345678"), true, {}},
        ValidationCase{"Passphrase63", settingsWith("WPA-PSK", "TKIP", QString(63, 'p')), true, {}},
        ValidationCase{"Passphrase65", settingsWith("WPA-PSK", "TKIP", QString(65, 'p')), true, Passphrase},
        ValidationCase{"Psk64Hex", settingsWith("WPA2-PSK", "AES", QString(32, 'A') + QString(32, 'f')), true, {}},
        ValidationCase{"Psk64NotHex", settingsWith("WPA2-PSK", "AES", QString(64, 'z')), true,
                       "A 64 character WPA key must be hex digits (0-9 A-F)"},
        ValidationCase{"PassphraseNotAscii", settingsWith("WPA2-PSK", "AES", QString::fromLatin1("pass\xe9word")), true,
                       "WPA PassPhrase may contain only printable ASCII characters"},
        ValidationCase{"PassphraseWithoutSsid", settingsWith("WPA2-PSK", "AES", "password", ""), true,
                       "Enter the Network Name (SSID) before the PassPhrase is converted"}),
    [](const ::testing::TestParamInfo<ValidationCase>& info) { return std::string(info.param.name); });

TEST(ConvertKeyForSave, AsksThenReplacesThePassphraseByItsPsk)
{
    ScriptedPrompt prompt;
    prompt.answers = {Prompt::Answer::Ok};
    NetworkSettings settings = settingsWith("WPA2-PSK", "AES", "password", "IEEE");
    const auto key = ConvertKeyForSave(settings, prompt);
    ASSERT_TRUE(key);
    const QString psk = "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e";
    EXPECT_EQ(*key, psk);
    EXPECT_EQ(settings.key, psk);
    EXPECT_EQ(settings.confirmKey, psk);
    ASSERT_EQ(prompt.asked.size(), 1);
    EXPECT_TRUE(prompt.asked[0].startsWith(
        "TervoCfg will now automatically convert the PassPhrase to a 32 byte PSK value.\n\nPlease note"));
    EXPECT_TRUE(prompt.asked[0].endsWith("\n\nClick Cancel to return to editing without converting and saving."));
}

TEST(ConvertKeyForSave, CancelKeepsThePassphrase)
{
    ScriptedPrompt prompt;
    prompt.answers = {Prompt::Answer::Cancel};
    NetworkSettings settings = settingsWith("WPA-PSK", "TKIP", "password");
    EXPECT_FALSE(ConvertKeyForSave(settings, prompt));
    EXPECT_EQ(settings.key, "password");
    EXPECT_EQ(settings.confirmKey, "password");
}

TEST(ConvertKeyForSave, WithoutTheQuestionConvertsAtOnce)
{
    ScriptedPrompt prompt;
    NetworkSettings settings = settingsWith("WPA-PSK", "TKIP", "ThisIsAPassword", "ThisIsASSID");
    EXPECT_EQ(ConvertKeyForSave(settings, prompt, false),
              "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af");
    EXPECT_TRUE(prompt.asked.isEmpty());
}

TEST(ConvertKeyForSave, TakesSixtyFourCharactersAsAPskWithoutAsking)
{
    for (const char* authentication : {"WPA-PSK", "WPA2-PSK", "WPA", "WPA2"}) {
        ScriptedPrompt prompt;
        NetworkSettings settings = settingsWith(authentication, "AES", QString(64, 'x'));
        EXPECT_EQ(ConvertKeyForSave(settings, prompt), QString(64, 'x')) << authentication;
        EXPECT_TRUE(prompt.asked.isEmpty());
    }
}

TEST(ConvertKeyForSave, WritesFiveCharacterWepKeysAsHexButKeepsThemTyped)
{
    ScriptedPrompt prompt;
    NetworkSettings settings = settingsWith("Open", "WEP", "ABCDE");
    EXPECT_EQ(ConvertKeyForSave(settings, prompt), "4142434445");
    EXPECT_EQ(ConvertKeyForSave(settings, prompt), "4142434445");
    EXPECT_EQ(settings.key, "ABCDE");
    EXPECT_EQ(settings.confirmKey, "ABCDE");
    EXPECT_TRUE(prompt.asked.isEmpty());
}

TEST(ConvertKeyForSave, WritesOtherKeysAsTheyAre)
{
    ScriptedPrompt prompt;
    for (const QString& key : {QString("0123456789"), QString("ABCDEFGHIJKLM"), QString(26, 'a')}) {
        NetworkSettings settings = settingsWith("Shared", "WEP", key);
        EXPECT_EQ(ConvertKeyForSave(settings, prompt), key);
    }
    NetworkSettings disabled = settingsWith("Open", "Disabled", "ABCDE");
    EXPECT_EQ(ConvertKeyForSave(disabled, prompt), "ABCDE");
    EXPECT_TRUE(prompt.asked.isEmpty());
}

}
