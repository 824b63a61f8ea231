#include "wificfg/KeyConversion.h"

#include "platform/Prompt.h"
#include "platform/Text8.h"
#include "wificfg/WifiText.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>

namespace {

constexpr int MaxSsidBytes = 32;
constexpr int MinPassphrase = 8;
constexpr int MaxPassphrase = 63;
constexpr int PskDigits = 64;

bool refuse(Prompt& prompt, const QString& message)
{
    prompt.show(message, Prompt::Icon::Warning);
    return false;
}

bool isWep(const QString& encryption)
{
    return encryption.compare(WifiText::text(WifiText::EncWep), Qt::CaseInsensitive) == 0;
}

bool isHexDigits(const QString& text)
{
    for (const QChar c : text) {
        if (!QStringLiteral("0123456789ABCDEFabcdef").contains(c))
            return false;
    }
    return true;
}

// One line of the settings file holds the text: no line breaks or other
// control characters, and only characters that have an 8-bit code.
bool fitsOnFileLine(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.unicode() > 0xff)
            return false;
    }
    return true;
}

// The standard's passphrase alphabet: printable ASCII.
bool isPassphraseText(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

}

bool IsPskAuthentication(const QString& authentication)
{
    for (const int id : {WifiText::AuthWpaPsk, WifiText::AuthWpa2Psk, WifiText::AuthWpa, WifiText::AuthWpa2}) {
        if (authentication == WifiText::text(id))
            return true;
    }
    return false;
}

bool ValidateKey(const NetworkSettings& settings, bool keyBoxEnabled, Prompt& prompt)
{
    using namespace WifiText;
    if (keyBoxEnabled) {
        if (settings.key != settings.confirmKey)
            return refuse(prompt, text(KeysDoNotMatch));
        if (isWep(settings.encryption)) {
            const qsizetype length = settings.key.size();
            if (length == 10 || length == 26) {
                if (!isHexDigits(settings.key))
                    return refuse(prompt, text(WepNonHex));
            } else if (length != 5 && length != 13) {
                return refuse(prompt, text(WepLength));
            }
        }
    }
    if (settings.keyIndex < 1 || settings.keyIndex > 4)
        return refuse(prompt, format(IntegerRange, {QStringLiteral("1"), QStringLiteral("4")}));

    // A file with no authentication or encryption, a line broken by a control
    // character, or a key the standard does not define would leave the robot
    // off the network: refuse those before any drive is touched.
    if (settings.authentication.isEmpty() || settings.encryption.isEmpty())
        return refuse(prompt, text(ChooseAuthAndEncryption));
    if (!fitsOnFileLine(settings.ssid))
        return refuse(prompt, text(SsidUnwritable));
    if (Text8::encode(settings.ssid).size() > MaxSsidBytes)
        return refuse(prompt, text(SsidTooLong));
    if (!fitsOnFileLine(settings.key))
        return refuse(prompt, text(KeyUnwritable));
    // 64 characters are taken as the PSK itself, which is hex by definition.
    if (keyBoxEnabled && IsPskAuthentication(settings.authentication) && settings.key.size() == PskDigits
        && !isHexDigits(settings.key))
        return refuse(prompt, text(PskNotHex));
    if (keyBoxEnabled && IsPskAuthentication(settings.authentication) && settings.key.size() != PskDigits) {
        if (settings.key.size() < MinPassphrase || settings.key.size() > MaxPassphrase)
            return refuse(prompt, text(PassphraseLength));
        if (!isPassphraseText(settings.key))
            return refuse(prompt, text(PassphraseCharacters));
        if (settings.ssid.isEmpty())
            return refuse(prompt, text(SsidNeededForPassphrase));
    }
    return true;
}

std::optional<QString> ConvertKeyForSave(NetworkSettings& settings, Prompt& prompt, bool askFirst)
{
    if (IsPskAuthentication(settings.authentication)) {
        if (settings.key.size() == PskDigits)
            return settings.key;
        if (askFirst
            && prompt.ask(WifiText::text(WifiText::ConvertQuestion), Prompt::Buttons::OkCancel,
                          Prompt::Icon::Question)
                != Prompt::Answer::Ok)
            return std::nullopt;
        settings.key = PassphraseToPsk(settings.key, settings.ssid);
        settings.confirmKey = settings.key;
        return settings.key;
    }
    // The dialog keeps the five characters, so this runs again at every save.
    if (isWep(settings.encryption) && settings.key.size() == 5)
        return WepAsciiToHex(settings.key);
    return settings.key;
}

QString PassphraseToPsk(const QString& passphrase, const QString& ssid)
{
    const QByteArray psk = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha1, Text8::encode(passphrase), Text8::encode(ssid), 4096, 32);
    return QString::fromLatin1(psk.toHex());
}

QString WepAsciiToHex(const QString& key)
{
    return QString::fromLatin1(Text8::encode(key).toHex());
}
