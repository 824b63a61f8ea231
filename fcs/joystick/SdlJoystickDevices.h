#pragma once

#include "fcs/joystick/JoystickDevices.h"

#include <QByteArray>
#include <array>
#include <cstdint>

struct _SDL_Joystick;

// Game controllers through SDL's joystick API. Starts only SDL's joystick
// subsystem (and with it SDL's event core), reference-counted, so the sound
// player's audio subsystem is not disturbed. Controllers are read whether or
// not one of the program's windows has the focus.
//
// SDL's axes 0 to 3 stand for X, Y, Z and Z rotation, shifted from -32768 to
// 32767 into 0 to 65535; an axis the controller lacks reads centred. Hat 0 is
// turned into hundredths of degrees, buttons 1 to 16 are read.
//
// A controller that is unplugged is released and its place in the list kept;
// when a controller with the same key (see JoystickIdentity.h) is plugged in
// again it takes that place back, so a cable pulled during a match costs only
// the ticks it was out. Any other newly plugged controller waits for a rescan.
// Everything runs on the thread that polls; SDL_JoystickUpdate is called once
// per poll.
class SdlJoystickDevices : public JoystickDevices {
public:
    SdlJoystickDevices();
    ~SdlJoystickDevices() override;
    SdlJoystickDevices(const SdlJoystickDevices&) = delete;
    SdlJoystickDevices& operator=(const SdlJoystickDevices&) = delete;

    bool available() const override { return m_initialised; }
    void rescan() override;
    int count() const override { return m_count; }
    void update() override;
    bool read(int index, RawJoystickState& state) override;
    QString identifier(int index) const override;
    QString name(int index) const override;

private:
    struct Slot {
        _SDL_Joystick* handle = nullptr;
        QByteArray key;
        QString identifier;
        QString name;
    };

    void closeAll();
    void markLost(Slot& slot);
    void takeBackReplugged();
    static QByteArray keyOf(_SDL_Joystick* joystick);

    std::array<Slot, kMaxDevices> m_slots;
    int m_count = 0;
    int m_lost = 0;
    // Highest SDL instance id handed to us; newer ones are new arrivals.
    std::int32_t m_newestInstance = -1;
    bool m_initialised = false;
};
