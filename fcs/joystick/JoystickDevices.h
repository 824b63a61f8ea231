#pragma once

#include "fcs/joystick/RawJoystickState.h"

#include <QString>

// The platform's view of the attached game controllers: an ordered list,
// each with a textual instance identifier, and a raw read of each. The
// manager's reduction and assignment logic sits on top of this.
class JoystickDevices {
public:
    // The manager keeps one record per controller and no more.
    static constexpr int kMaxDevices = 16;

    virtual ~JoystickDevices() = default;

    // False when the platform's controller input could not be started; the
    // list is then always empty.
    virtual bool available() const = 0;
    // Releases every held controller and lists the attached ones again in the
    // platform's order, stopping at kMaxDevices.
    virtual void rescan() = 0;
    virtual int count() const = 0;
    // Once per poll, before the reads: lets the platform take in new input.
    // Must not allocate while nothing is plugged or unplugged.
    virtual void update() = 0;
    // Reads controller `index`; false when it cannot be read (unplugged).
    // Must not allocate.
    virtual bool read(int index, RawJoystickState& state) = 0;
    // 38-character brace form, or empty when the controller gives nothing.
    virtual QString identifier(int index) const = 0;
    virtual QString name(int index) const = 0;
};
