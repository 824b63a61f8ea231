#include "fcs/joystick/JoystickIdentity.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QRegularExpression kBraceForm(
    QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));

// A made-up /sys with one evdev node and one hidraw node.
struct FakeSysfs {
    QTemporaryDir dir;
    void write(const QString& relative, const QByteArray& content)
    {
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QString root() const { return dir.path(); }
};

}

TEST(JoystickIdentity, BraceFormIsUpperCaseHexInByteOrder)
{
    const JoystickIdentity::Guid bytes = {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef,
                                          0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef};
    EXPECT_EQ(JoystickIdentity::FormatBraceGuid(bytes), QStringLiteral("{01234567-89AB-CDEF-0123-456789ABCDEF}"));
}

TEST(JoystickIdentity, LocationPrefersSerialThenPortThenPath)
{
    FakeSysfs sys;
    sys.write(QStringLiteral("class/input/event7/device/phys"), "usb-0000:00:14.0-2/input0\n");
    sys.write(QStringLiteral("class/hidraw/hidraw3/device/uevent"),
              "DRIVER=hid-generic\nHID_ID=0003:0000054C:000009CC\nHID_PHYS=usb-0000:00:14.0-3/input3\n");
    sys.write(QStringLiteral("class/input/event9/device/phys"), "\n");

    const struct {
        const char* path;
        const char* serial;
        const char* location;
    } cases[] = {
        {"/dev/input/event7", "A1B2C3", "serial:A1B2C3"},
        {"/dev/input/event7", "  ", "phys:usb-0000:00:14.0-2/input0"},
        {"/dev/hidraw3", "", "phys:usb-0000:00:14.0-3/input3"},
        {"/dev/input/event9", "", "path:/dev/input/event9"},        // no port known
        {"/dev/input/event12", "", "path:/dev/input/event12"},      // no sysfs entry
        {"\\\\?\\HID#VID_046D&PID_C21D#7&2a1b&0&0000", "", "path:\\\\?\\HID#VID_046D&PID_C21D#7&2a1b&0&0000"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JoystickIdentity::Location(QString::fromUtf8(c.path), QString::fromUtf8(c.serial), sys.root()),
                  QString::fromUtf8(c.location))
            << c.path;
    }
}

TEST(JoystickIdentity, IdentifierDependsOnModelPlaceAndTwinNumberOnly)
{
    JoystickIdentity::Guid model{};
    model[0] = 0x03;
    JoystickIdentity::Guid other = model;
    other[4] = 0x6d;

    const QByteArray port2 = JoystickIdentity::Key(model, QStringLiteral("phys:usb-0000:00:14.0-2/input0"));
    const QByteArray port3 = JoystickIdentity::Key(model, QStringLiteral("phys:usb-0000:00:14.0-3/input0"));
    const QByteArray otherModel = JoystickIdentity::Key(other, QStringLiteral("phys:usb-0000:00:14.0-2/input0"));

    const QString id = JoystickIdentity::Identifier(port2, 0);
    EXPECT_TRUE(kBraceForm.match(id).hasMatch()) << id.toStdString();
    EXPECT_EQ(id.size(), 38);
    EXPECT_EQ(JoystickIdentity::Identifier(port2, 0), id) << "same controller, same port, next run";
    EXPECT_NE(JoystickIdentity::Identifier(port3, 0), id) << "same model in another port";
    EXPECT_NE(JoystickIdentity::Identifier(otherModel, 0), id);
    EXPECT_NE(JoystickIdentity::Identifier(port2, 1), id) << "a twin that tells no port apart";
}
