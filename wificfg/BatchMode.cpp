#include "wificfg/BatchMode.h"

#include "platform/Prompt.h"
#include "platform/Text8.h"
#include "wificfg/FixedDriveList.h"
#include "wificfg/KeyConversion.h"
#include "wificfg/NetworkSetup.h"
#include "wificfg/SettingsFile.h"
#include "wificfg/WifiText.h"

namespace {

constexpr int Done = 0;
constexpr int Refused = 1;
constexpr int Usage = 2;

void print(std::FILE* stream, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

void printText(std::FILE* stream, const QString& text)
{
    print(stream, text.toLocal8Bit());
}

QString entryTexts(const QList<NetworkChoices::Entry>& entries)
{
    QStringList texts;
    for (const auto& entry : entries)
        texts << entry.text;
    return texts.join(QStringLiteral(", "));
}

// The row whose text equals text, letter case ignored; -1 when none does.
int entryRow(const QList<NetworkChoices::Entry>& entries, const QString& text)
{
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].text.compare(text, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

// A key index as typed: 0, which the range check refuses, when not a number.
int keyIndexOf(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

int save(const TervoCfgCommandLine& line, Prompt& prompt, std::FILE* err)
{
    const FixedDriveList drives({line.mountPoint});
    NetworkSetup setup(line.role, drives, prompt);
    NetworkChoices& choices = setup.choices();
    choices.setAdHoc(line.adHoc);
    const int authRow = entryRow(choices.authEntries(), *line.authentication);
    if (authRow < 0) {
        printText(err, QStringLiteral("Network Authentication \"%1\" is not one of: %2%3\n")
                           .arg(*line.authentication, entryTexts(choices.authEntries()),
                                line.adHoc ? QStringLiteral(" (ad hoc)") : QString()));
        return Usage;
    }
    choices.selectAuthentication(authRow);
    const int encRow = entryRow(choices.encEntries(), *line.encryption);
    if (encRow < 0) {
        printText(err, QStringLiteral("Data Encryption \"%1\" is not one of: %2 (for %3)\n")
                           .arg(*line.encryption, entryTexts(choices.encEntries()), choices.authenticationText()));
        return Usage;
    }
    choices.selectEncryption(encRow);

    NetworkSettings& values = setup.values();
    values.ssid = *line.ssid;
    values.key = line.key;
    values.confirmKey = line.key;
    values.keyIndex = keyIndexOf(line.keyIndex);
    if (!setup.takeValues())
        return Refused;
    // Asking for --save with a passphrase is the operator's yes to converting it.
    const std::optional<QString> key = ConvertKeyForSave(values, prompt, false);
    if (!key)
        return Refused;
    return WriteSettingsFile(line.mountPoint, line.role, values, *key, prompt) ? Done : Refused;
}

int load(const TervoCfgCommandLine& line, Prompt& prompt, std::FILE* out)
{
    const FixedDriveList drives({line.mountPoint});
    NetworkSetup setup(line.role, drives, prompt);
    if (!setup.readDrive(line.mountPoint))
        return Refused;
    const NetworkSettings& values = setup.values();
    // SSID and key go out byte for byte, as the file holds them.
    print(out, "ssid=" + Text8::encode(values.ssid) + '\n');
    print(out, "auth=" + Text8::encode(values.authentication) + '\n');
    print(out, "encryption=" + Text8::encode(values.encryption) + '\n');
    print(out, "key=" + Text8::encode(values.key) + '\n');
    print(out, "index=" + QByteArray::number(values.keyIndex) + '\n');
    print(out, QByteArray("adhoc=") + (values.adHoc ? "yes" : "no") + '\n');
    return Done;
}

}

int RunBatchMode(const TervoCfgCommandLine& line, Prompt& prompt, std::FILE* out, std::FILE* err)
{
    if (!line.error.isEmpty()) {
        printText(err, line.error + QStringLiteral("\nTry TervoCfg --help.\n"));
        return Usage;
    }
    switch (line.mode) {
    case TervoCfgCommandLine::Mode::Help: printText(out, TervoCfgCommandLine::HelpText()); return Done;
    case TervoCfgCommandLine::Mode::Version:
        printText(out, WifiText::text(WifiText::AboutText) + QLatin1Char('\n'));
        return Done;
    case TervoCfgCommandLine::Mode::Save: return save(line, prompt, err);
    case TervoCfgCommandLine::Mode::Load: return load(line, prompt, out);
    case TervoCfgCommandLine::Mode::Dialog: break;
    }
    return Usage;
}
