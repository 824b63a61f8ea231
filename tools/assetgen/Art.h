#pragma once

#include <QImage>
#include <QString>

// The icons and pictures of the program other than the clock digits.
namespace Art {
enum class Look { Normal, Lit, Blank, Error };

// Main window and controller dialog: a 32 x 32 badge with the joystick's number
// (or "?" for the question mark).
QImage JoystickBadge(const QString& label, Look look);
// Audience display: a gamepad with the driver number 1 or 2.
QImage DisplayJoystick(int driver, Look look);

enum class Battery { None, Ok, Warning, Error, Unknown };
QImage BatteryPicture(Battery state);

enum class Wifi { None, Ok, Error, Frozen };
QImage WifiPicture(Wifi state);

enum class Period { None, Autonomous, Teleop, EndGame };
QImage PeriodPicture(Period period);

enum class ListIcon { Available, Held, Offline };
QImage ListBoxIcon(ListIcon icon);

QImage ProgramIcon(int size);
// The default team logo: few flat colours (it is stored as GIF).
QImage TeamIcon();
}
