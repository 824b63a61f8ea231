#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

// The instance identifier of a controller, made from what the platform tells
// about it, so that a stored assignment finds the same controllers again.
//
// Rule: key = the controller's 16-byte model GUID (bus, vendor, product,
// version, name checksum) + where it is:
//   1. its serial number, when it reports one (the identifier then follows the
//      controller from port to port);
//   2. otherwise the physical port behind its device path: on Linux the input
//      device's "phys" (for /dev/input/eventN) or the HID device's HID_PHYS
//      (for /dev/hidrawN), e.g. "usb-0000:00:14.0-2/input0", which stays the
//      same while the controller stays in the same USB port, unlike the event
//      number;
//   3. otherwise the device path as reported (the HID instance path on Windows,
//      which is per port), or nothing.
// The identifier is a name-based (SHA-1, version 5) UUID of key + the number
// of earlier controllers in the list with the same key, in the 38-character
// brace form. Two identical controllers in two ports differ by port; two that
// tell no port apart (virtual ones, some wireless ones) differ by their place
// among their twins.
namespace JoystickIdentity {

using Guid = std::array<std::uint8_t, 16>;

QString Location(const QString& devicePath, const QString& serial,
                 const QString& sysfsRoot = QStringLiteral("/sys"));
QByteArray Key(const Guid& modelGuid, const QString& location);
QString Identifier(const QByteArray& key, int occurrence);
// {01234567-89AB-CDEF-0123-456789ABCDEF}: upper-case hex, bytes in order.
QString FormatBraceGuid(const Guid& bytes);

}
