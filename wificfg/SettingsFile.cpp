#include "wificfg/SettingsFile.h"

#include "platform/Prompt.h"
#include "platform/Text8.h"
#include "wificfg/DriveFiles.h"
#include "wificfg/WifiText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Far more than any settings file; anything bigger is not one.
constexpr qint64 MaxSettingsFileBytes = 64 * 1024;

QString fileAuthentication(const QString& authentication)
{
    using namespace WifiText;
    if (authentication == text(AuthWpaPsk))
        return text(FileAuthWpaPsk);
    if (authentication == text(AuthWpa2Psk))
        return text(FileAuthWpa2Psk);
    return authentication;
}

void warn(Prompt& prompt, const QString& message)
{
    prompt.show(message, Prompt::Icon::Warning);
}

enum class ReadOutcome { Read, CannotOpen, NotSettings };

// The lines of a text file; a file with NUL bytes or of unlikely size is not
// a settings file.
ReadOutcome readLines(const QString& path, QStringList& lines)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return ReadOutcome::CannotOpen;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadOutcome::CannotOpen;
    const QByteArray bytes = file.read(MaxSettingsFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return ReadOutcome::CannotOpen;
    if (bytes.size() > MaxSettingsFileBytes || bytes.contains('\0'))
        return ReadOutcome::NotSettings;
    lines = Text8::decode(bytes).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return ReadOutcome::Read;
}

// Applies every line's value for key to target; true when any line had it.
bool pick(const QStringList& lines, const QString& key, QString& target)
{
    bool found = false;
    for (const QString& line : lines) {
        if (const auto value = SettingsLineValue(line, key)) {
            target = *value;
            found = true;
        }
    }
    return found;
}

}

std::optional<QString> SettingsLineValue(const QString& line, const QString& key)
{
    const qsizetype at = line.indexOf(key);
    if (at < 0)
        return std::nullopt;
    QString rest = line.mid(at + key.size());
    if (rest.startsWith(QLatin1Char('"'))) {
        rest.remove(0, 1);
        rest.chop(1);
    }
    return rest;
}

QByteArray SettingsFileBytes(const NetworkSettings& settings, const QString& key)
{
    const QString text = QStringLiteral("Wireless Network Settings\n"
                                        "\n"
                                        "Print this document and store it in a safe place for future reference.  "
                                        "You may need these settings to add additional computers and devices to "
                                        "your network.\n"
                                        "\n"
                                        "\n"
                                        "Wireless Settings\n"
                                        "\n")
        + QStringLiteral("Network Name (SSID): ") + settings.ssid + QLatin1Char('\n')
        + QStringLiteral("Network Key (WEP/WPA Key): ") + key + QLatin1Char('\n')
        + QStringLiteral("Key Provided Automatically (802.1x): 0\n")
        + QStringLiteral("Network Authentication Type: ") + fileAuthentication(settings.authentication)
        + QLatin1Char('\n') + QStringLiteral("Data Encryption Type: ") + settings.encryption + QLatin1Char('\n')
        + QStringLiteral("Connection Type: ") + (settings.adHoc ? QStringLiteral("IBSS") : QStringLiteral("ESS"))
        + QLatin1Char('\n') + QStringLiteral("Key Index: ") + QString::number(settings.keyIndex)
        + QStringLiteral("\n"
                         "\n"
                         "To enable File and Printer Sharing on this computer, run the Network Setup Wizard.\n"
                         "\n"
                         "To set up your Internet connection, follow the instructions from your Internet "
                         "Service Provider (ISP).\n");
    return Text8::encodeForFile(text);
}

bool WriteSettingsFile(const QString& root, SettingsRole role, const NetworkSettings& settings,
                       const QString& key, Prompt& prompt)
{
    using namespace WifiText;
    const QString folder = DriveFiles::settingsFolder(root, role);
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir() && (!QFileInfo(root).isDir() || !QDir().mkdir(folder))) {
        warn(prompt, format(UnableToOpenSettingsFile, {folder}));
        return false;
    }
    QString path = DriveFiles::findEntry(folder, DriveFiles::SettingsFileName, DriveFiles::Kind::File);
    if (path.isEmpty())
        path = folder + QLatin1Char('/') + DriveFiles::SettingsFileName;
    QSaveFile file(path);
    // Unbuffered, so a write that fails on a full drive fails here and
    // marks the file: the buffered flush inside commit() would hide it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        warn(prompt, format(UnableToOpenSettingsFile, {folder}));
        return false;
    }
    const QByteArray bytes = SettingsFileBytes(settings, key);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        warn(prompt, format(UnableToWriteSettingsFile, {folder}));
        return false;
    }
    // commit() flushes, syncs to the drive and renames over the old file.
    if (!file.commit()) {
        warn(prompt, format(UnableToWriteSettingsFile, {folder}));
        return false;
    }
    prompt.show(format(ConfigWritten, {root}), Prompt::Icon::Information);
    return true;
}

std::optional<SettingsFileValues> ReadSettingsFile(const QString& root, SettingsRole role,
                                                   const SettingsFileValues& current, Prompt& prompt)
{
    using namespace WifiText;
    const QString settingsPath = DriveFiles::settingsFilePath(root, role);
    QString found = DriveFiles::findSettingsFile(root, role);
    QStringList lines;
    ReadOutcome outcome = readLines(found, lines);
    bool fromXml = false;
    if (outcome == ReadOutcome::CannotOpen) {
        if (role == SettingsRole::Primary) {
            warn(prompt, format(UnableToOpen, {settingsPath}));
            return std::nullopt;
        }
        const QString xmlPath = DriveFiles::settingsXmlPath(root);
        found = DriveFiles::findSettingsXml(root);
        outcome = readLines(found, lines);
        if (outcome == ReadOutcome::CannotOpen) {
            warn(prompt, format(UnableToOpenEither, {settingsPath, xmlPath}));
            return std::nullopt;
        }
        fromXml = true;
    }

    SettingsFileValues values = current;
    values.connectionType = QStringLiteral("ESS");
    values.keyIndex = QStringLiteral("1");
    bool any = false;
    if (outcome == ReadOutcome::Read) {
        if (fromXml) {
            any |= pick(lines, QStringLiteral("WirelessSSID="), values.ssid);
            any |= pick(lines, QStringLiteral("WirelessPassword="), values.key);
            values.authentication = text(AuthWpa2Psk);
            values.encryption = text(EncAes);
        } else {
            any |= pick(lines, QStringLiteral("Network Name (SSID): "), values.ssid);
            any |= pick(lines, QStringLiteral("Network Key (WEP/WPA Key): "), values.key);
            any |= pick(lines, QStringLiteral("Network Authentication Type: "), values.authentication);
            any |= pick(lines, QStringLiteral("Data Encryption Type: "), values.encryption);
            any |= pick(lines, QStringLiteral("Connection Type: "), values.connectionType);
            any |= pick(lines, QStringLiteral("Key Index: "), values.keyIndex);
        }
    }
    // A file that names none of the settings is not taken as a successful
    // load: the dialog keeps what it had.
    if (!any) {
        warn(prompt, format(NotASettingsFile, {found}));
        return std::nullopt;
    }
    return values;
}
