#include "fcs/joystick/JoystickIdentity.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>

namespace JoystickIdentity {
namespace {

// The namespace of our controller identifiers (made once, here).
constexpr Guid kNamespace = {0x5b, 0x2e, 0x9c, 0x41, 0x7d, 0x13, 0x4a, 0x86,
                             0xb0, 0x6f, 0x3a, 0xd2, 0x58, 0xe1, 0x07, 0xc4};

QByteArray readSmallFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(4096);
}

QString evdevPhys(const QString& sysfsRoot, const QString& node)
{
    return QString::fromUtf8(
               readSmallFile(sysfsRoot + QStringLiteral("/class/input/") + node + QStringLiteral("/device/phys")))
        .trimmed();
}

QString hidrawPhys(const QString& sysfsRoot, const QString& node)
{
    const QByteArray uevent =
        readSmallFile(sysfsRoot + QStringLiteral("/class/hidraw/") + node + QStringLiteral("/device/uevent"));
    for (const QByteArray& line : uevent.split('\n')) {
        if (line.startsWith("HID_PHYS="))
            return QString::fromUtf8(line.mid(9)).trimmed();
    }
    return {};
}

}

QString Location(const QString& devicePath, const QString& serial, const QString& sysfsRoot)
{
    const QString trimmedSerial = serial.trimmed();
    if (!trimmedSerial.isEmpty())
        return QStringLiteral("serial:") + trimmedSerial;

    static const QRegularExpression evdev(QStringLiteral("^/dev/input/(event[0-9]+)$"));
    static const QRegularExpression hidraw(QStringLiteral("^/dev/(hidraw[0-9]+)$"));
    QString phys;
    if (const auto m = evdev.match(devicePath); m.hasMatch())
        phys = evdevPhys(sysfsRoot, m.captured(1));
    else if (const auto h = hidraw.match(devicePath); h.hasMatch())
        phys = hidrawPhys(sysfsRoot, h.captured(1));
    if (!phys.isEmpty())
        return QStringLiteral("phys:") + phys;

    if (!devicePath.isEmpty())
        return QStringLiteral("path:") + devicePath;
    return {};
}

QByteArray Key(const Guid& modelGuid, const QString& location)
{
    QByteArray key(reinterpret_cast<const char*>(modelGuid.data()), static_cast<qsizetype>(modelGuid.size()));
    key.append('|');
    key.append(location.toUtf8());
    return key;
}

QString Identifier(const QByteArray& key, int occurrence)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(kNamespace.data()),
                                static_cast<qsizetype>(kNamespace.size())));
    hash.addData(key);
    hash.addData(QByteArray("#") + QByteArray::number(occurrence));
    const QByteArray digest = hash.result();

    Guid bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(digest[static_cast<qsizetype>(i)]);
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0f) | 0x50); // version 5
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3f) | 0x80); // RFC 4122 variant
    return FormatBraceGuid(bytes);
}

QString FormatBraceGuid(const Guid& bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    QString text;
    text.reserve(38);
    text.append(QLatin1Char('{'));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text.append(QLatin1Char('-'));
        text.append(QLatin1Char(kHex[bytes[i] >> 4]));
        text.append(QLatin1Char(kHex[bytes[i] & 0x0f]));
    }
    text.append(QLatin1Char('}'));
    return text;
}

}
