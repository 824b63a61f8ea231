#include "wificfg/WifiText.h"

#include <QHash>

namespace WifiText {
namespace {

const QHash<int, QString>& table()
{
    static const QHash<int, QString> texts{
        {AuthOpen, QStringLiteral("Open")},
        {AuthShared, QStringLiteral("Shared")},
        {AuthWpaPsk, QStringLiteral("WPA-PSK")},
        {AuthWpa2Psk, QStringLiteral("WPA2-PSK")},
        {AuthWpa, QStringLiteral("WPA")},
        {AuthWpa2, QStringLiteral("WPA2")},
        {EncDisabled, QStringLiteral("Disabled")},
        {EncWep, QStringLiteral("WEP")},
        {EncAes, QStringLiteral("AES")},
        {EncTkip, QStringLiteral("TKIP")},
        {FileAuthWpaPsk, QStringLiteral("WPAPSK")},
        {FileAuthWpa2Psk, QStringLiteral("WPA2PSK")},

        {Title, QStringLiteral("Tervana Network Setup")},
        {RolePrimary, QStringLiteral("Primary")},
        {RoleSecondary, QStringLiteral("Secondary")},
        {SsidLabel, QStringLiteral("&Network Name (SSID)")},
        {KeyGroup, QStringLiteral("Wireless network key")},
        {KeyRequiredLabel, QStringLiteral("This network requires a key for the following")},
        {AuthLabel, QStringLiteral("Network &Authentication:")},
        {EncLabel, QStringLiteral("Data &Encryption:")},
        {KeyLabel, QStringLiteral("Network &key:")},
        {ConfirmKeyLabel, QStringLiteral("Confirm network key:")},
        {KeyIndexLabel, QStringLiteral("Key &index (advanced)")},
        {AdHocCheck, QStringLiteral("This is a &computer-to-computer [ad hoc] network; wirelss access points are not used")},
        {LoadButton, QStringLiteral("&Load")},
        {SaveButton, QStringLiteral("&Save")},
        {ExitButton, QStringLiteral("E&xit")},
        {AboutMenu, QStringLiteral("&About TervoCfg...")},
        {AboutText, QStringLiteral("TervoCfg Version 1.0")},
        {SearchingTitle, QStringLiteral("Searching Drives for Config Files...")},
        {SearchingText, QStringLiteral("This should only take a moment.")},
        {SelectTitle, QStringLiteral("Select Wireless Config")},
        {SelectLabel, QStringLiteral("Select drive for config file")},

        {KeysDoNotMatch, QStringLiteral("Network Keys do not match")},
        {WepNonHex, QStringLiteral("WEP key contains non-hex characters (0-9 A-F)")},
        {WepLength, QStringLiteral("WEP Key must be 10 or 26 Hex characters (or 5 or 13 Ascii characters)")},
        {IntegerRange, QStringLiteral("Please enter an integer between %1 and %2.")},
        {ConvertQuestion,
         QStringLiteral("TervoCfg will now automatically convert the PassPhrase to a 32 byte PSK value.\n\n"
                        "Please note that this is a one-way operation and for security reasons, you can not "
                        "recover the PassPhrase from the config file.\n\n"
                        "Click Cancel to return to editing without converting and saving.")},
        {ConfigWritten, QStringLiteral("Configuration written to %1")},
        {UnableToOpenSettingsFile, QStringLiteral("Unable to open %1/WSETTING.TXT")},
        {UnableToOpen, QStringLiteral("Unable to open %1")},
        {UnableToOpenEither, QStringLiteral("Unable to open %1 or %2")},
        {NoDrivesToSave, QStringLiteral("No Flash Drives detected to save config to")},
        {NoDrivesToLoad, QStringLiteral("No Flash Drives detected to load config from")},

        {SsidTooLong, QStringLiteral("Network Name (SSID) must be at most 32 characters")},
        {SsidUnwritable, QStringLiteral("Network Name (SSID) contains characters that cannot be written to the config file")},
        {KeyUnwritable, QStringLiteral("Network key contains characters that cannot be written to the config file")},
        {PassphraseLength, QStringLiteral("WPA PassPhrase must be 8 to 63 characters (or a 64 character PSK)")},
        {PassphraseCharacters, QStringLiteral("WPA PassPhrase may contain only printable ASCII characters")},
        {SsidNeededForPassphrase, QStringLiteral("Enter the Network Name (SSID) before the PassPhrase is converted")},
        {ChooseAuthAndEncryption, QStringLiteral("Choose the Network Authentication and Data Encryption")},
        {UnableToWriteSettingsFile, QStringLiteral("Unable to write %1/WSETTING.TXT")},
        {NotASettingsFile, QStringLiteral("%1 is not a wireless config file")},
        {PskNotHex, QStringLiteral("A 64 character WPA key must be hex digits (0-9 A-F)")},
        {PskForOtherSsid,
         QStringLiteral("The network key was converted for the Network Name (SSID) \"%1\". "
                        "Type the PassPhrase again for the new name.")},
    };
    return texts;
}

}

QString text(int id)
{
    return table().value(id);
}

QString format(int id, const QStringList& values)
{
    // One pass, so a value that itself holds "%2" stays as it is.
    const QString pattern = text(id);
    QString out;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('%') && i + 1 < pattern.size() && pattern[i + 1].isDigit()) {
            const int number = pattern[i + 1].digitValue();
            if (number >= 1 && number <= values.size()) {
                out += values[number - 1];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

}
