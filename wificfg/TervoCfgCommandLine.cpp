#include "wificfg/TervoCfgCommandLine.h"

#include "platform/Text8.h"

#include <QDir>
#include <QFile>

namespace {

// "--name", "-name" or "/name" gives name; anything else is no option.
QString optionName(const QByteArray& argument)
{
    if (argument.startsWith("--"))
        return QString::fromLatin1(argument.mid(2)).toLower();
    if (argument.startsWith('-') || argument.startsWith('/'))
        return QString::fromLatin1(argument.mid(1)).toLower();
    return {};
}

QStringList splitDrives(const QByteArray& list)
{
    QStringList drives;
    for (const QByteArray& part : list.split(QDir::listSeparator().toLatin1())) {
        if (!part.isEmpty())
            drives << QFile::decodeName(part);
    }
    return drives;
}

}

TervoCfgCommandLine TervoCfgCommandLine::Parse(const QList<QByteArray>& arguments, const QByteArray& drivesVariable)
{
    TervoCfgCommandLine line;
    if (!drivesVariable.isEmpty())
        line.drives = splitDrives(drivesVariable);
    QStringList unknown;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QByteArray& argument = arguments[i];
        QString name = optionName(argument);
        std::optional<QByteArray> inlineValue;
        if (argument.startsWith('-') && name.contains(QLatin1Char('='))) {
            const qsizetype equals = argument.indexOf('=');
            inlineValue = argument.mid(equals + 1);
            name = name.left(name.indexOf(QLatin1Char('=')));
        }
        const QString word = name.isEmpty() ? QString::fromLatin1(argument).toLower() : name;
        if (word == QLatin1String("primary")) {
            line.role = SettingsRole::Primary;
            continue;
        }
        if (word == QLatin1String("secondary")) {
            line.role = SettingsRole::Secondary;
            continue;
        }
        if (name.isEmpty() || argument.startsWith('/')) {
            unknown << QString::fromLocal8Bit(argument);
            continue;
        }
        if (name == QLatin1String("help") || name == QLatin1String("h") || name == QLatin1String("?")) {
            line.mode = Mode::Help;
            continue;
        }
        if (name == QLatin1String("version")) {
            if (line.mode != Mode::Help)
                line.mode = Mode::Version;
            continue;
        }
        if (name == QLatin1String("adhoc")) {
            line.adHoc = true;
            continue;
        }
        static const QStringList valued{QStringLiteral("save"), QStringLiteral("load"), QStringLiteral("ssid"),
                                        QStringLiteral("auth"), QStringLiteral("encryption"), QStringLiteral("key"),
                                        QStringLiteral("index"), QStringLiteral("drives")};
        if (!valued.contains(name)) {
            unknown << QString::fromLocal8Bit(argument);
            continue;
        }
        QByteArray value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            line.error = QStringLiteral("%1 needs a value").arg(QString::fromLocal8Bit(argument));
            continue;
        }
        if (name == QLatin1String("save") || name == QLatin1String("load")) {
            const Mode mode = name == QLatin1String("save") ? Mode::Save : Mode::Load;
            if ((line.mode == Mode::Save || line.mode == Mode::Load) && line.mode != mode)
                line.error = QStringLiteral("--save and --load cannot be used together");
            if (line.mode != Mode::Help && line.mode != Mode::Version)
                line.mode = mode;
            line.mountPoint = QFile::decodeName(value);
        } else if (name == QLatin1String("ssid")) {
            line.ssid = Text8::decode(value);
        } else if (name == QLatin1String("auth")) {
            line.authentication = Text8::decode(value);
        } else if (name == QLatin1String("encryption")) {
            line.encryption = Text8::decode(value);
        } else if (name == QLatin1String("key")) {
            line.key = Text8::decode(value);
        } else if (name == QLatin1String("index")) {
            line.keyIndex = Text8::decode(value);
        } else if (name == QLatin1String("drives")) {
            line.drives = splitDrives(value);
        }
    }
    // The dialog has always ignored parameters it does not know; the batch
    // modes refuse them, so a typing error cannot write the wrong drive.
    if (line.error.isEmpty() && (line.mode == Mode::Save || line.mode == Mode::Load) && !unknown.isEmpty())
        line.error = QStringLiteral("Unknown parameter: %1").arg(unknown.first());
    if (line.error.isEmpty() && line.mode == Mode::Save) {
        if (!line.ssid || !line.authentication || !line.encryption)
            line.error = QStringLiteral("--save needs --ssid, --auth and --encryption");
    }
    if (line.error.isEmpty() && line.mode == Mode::Load
        && (line.ssid || line.authentication || line.encryption || line.adHoc))
        line.error = QStringLiteral("--load takes no settings; only --primary");
    return line;
}

QString TervoCfgCommandLine::HelpText()
{
    return QStringLiteral(
        "Usage:\n"
        "  TervoCfg [Primary|Secondary] [--drives LIST]\n"
        "      Opens the Tervana Network Setup dialog.\n"
        "  TervoCfg --save MOUNTPOINT --ssid SSID --auth AUTH --encryption ENC [--key KEY]\n"
        "           [--index N] [--adhoc] [--primary]\n"
        "      Writes the wireless settings to the drive mounted at MOUNTPOINT, without a window.\n"
        "  TervoCfg --load MOUNTPOINT [--primary]\n"
        "      Prints the settings read from that drive, one per line.\n"
        "  TervoCfg --help | --version\n"
        "\n"
        "Options:\n"
        "  --ssid SSID        network name, at most 32 characters\n"
        "  --auth AUTH        Open, Shared, WPA-PSK or WPA2-PSK (Open or Shared with --adhoc)\n"
        "  --encryption ENC   Disabled or WEP for Open, WEP for Shared, AES or TKIP for WPA-PSK and WPA2-PSK\n"
        "  --key KEY          WEP: 5 or 13 characters, or 10 or 26 hex digits;\n"
        "                     WPA: a passphrase of 8 to 63 characters, converted to its 64-digit PSK\n"
        "                     without asking (the passphrase is not written), or a 64-digit PSK\n"
        "  --index N          key index 1 to 4 (default 1)\n"
        "  --adhoc            computer-to-computer network (connection type IBSS)\n"
        "  --primary          use the primary folder JRVNTKY instead of DOZODURU\n"
        "  --drives LIST      dialog only: offer these mount points (separated by ':') instead of\n"
        "                     the mounted removable drives; also TERVOCFG_DRIVES\n"
        "\n"
        "Exit status: 0 done, 1 refused or failed (the reason is printed), 2 wrong command line.\n");
}
