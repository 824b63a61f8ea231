#pragma once

#include <QString>
#include <QStringList>

// TervoCfg's own string table. The list entries keep the numbers the dialog's
// choices are known by; the other texts are numbered for lookup only.
namespace WifiText {
enum Id : int {
    AuthOpen = 102,
    AuthShared = 103,
    AuthWpaPsk = 104,
    AuthWpa2Psk = 105,
    AuthWpa = 106,
    AuthWpa2 = 107,
    EncDisabled = 108,
    EncWep = 109,
    EncAes = 110,
    EncTkip = 111,
    FileAuthWpaPsk = 112,
    FileAuthWpa2Psk = 113,

    Title = 200,
    RolePrimary,
    RoleSecondary,
    SsidLabel,
    KeyGroup,
    KeyRequiredLabel,
    AuthLabel,
    EncLabel,
    KeyLabel,
    ConfirmKeyLabel,
    KeyIndexLabel,
    AdHocCheck,
    LoadButton,
    SaveButton,
    ExitButton,
    AboutMenu,
    AboutText,
    SearchingTitle,
    SearchingText,
    SelectTitle,
    SelectLabel,

    KeysDoNotMatch = 300,
    WepNonHex,
    WepLength,
    IntegerRange,
    ConvertQuestion,
    ConfigWritten,
    UnableToOpenSettingsFile,
    UnableToOpen,
    UnableToOpenEither,
    NoDrivesToSave,
    NoDrivesToLoad,

    // Refusals that keep a drive from getting a file the module cannot use.
    SsidTooLong = 400,
    SsidUnwritable,
    KeyUnwritable,
    PassphraseLength,
    PassphraseCharacters,
    SsidNeededForPassphrase,
    ChooseAuthAndEncryption,
    UnableToWriteSettingsFile,
    NotASettingsFile,
    PskNotHex,
    PskForOtherSsid,
};

QString text(int id);
// The text with "%1", "%2"... filled in order.
QString format(int id, const QStringList& values);
}
