#include "fcs/joystick/SdlJoystickDevices.h"

#include "fcs/joystick/JoystickIdentity.h"

#include <SDL.h>

#include <algorithm>

namespace {

// SDL's hat bits to hundredths of degrees clockwise from north.
std::int32_t hatToHundredths(Uint8 hat)
{
    switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return -1; // centred, or opposite directions at once
    }
}

std::int32_t axisOrCentre(SDL_Joystick* joystick, int axis, int axes)
{
    if (axis >= axes)
        return 32767;
    return static_cast<std::int32_t>(SDL_JoystickGetAxis(joystick, axis)) + 32768;
}

}

SdlJoystickDevices::SdlJoystickDevices()
{
    // The field PC's windows rarely have the focus while drivers drive.
    SDL_SetHintWithPriority(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1", SDL_HINT_OVERRIDE);
    m_initialised = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    if (m_initialised) {
        // Nobody drains SDL's event queue: the state is read directly.
        SDL_JoystickEventState(SDL_IGNORE);
    }
}

SdlJoystickDevices::~SdlJoystickDevices()
{
    closeAll();
    if (m_initialised)
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void SdlJoystickDevices::closeAll()
{
    for (int i = 0; i < m_count; ++i) {
        Slot& slot = m_slots[static_cast<std::size_t>(i)];
        if (slot.handle)
            SDL_JoystickClose(slot.handle);
        slot = Slot{};
    }
    m_count = 0;
    m_lost = 0;
}

QByteArray SdlJoystickDevices::keyOf(SDL_Joystick* joystick)
{
    const SDL_JoystickGUID guid = SDL_JoystickGetGUID(joystick);
    JoystickIdentity::Guid bytes{};
    std::copy(std::begin(guid.data), std::end(guid.data), bytes.begin());
    const char* path = SDL_JoystickPath(joystick);
    const char* serial = SDL_JoystickGetSerial(joystick);
    return JoystickIdentity::Key(
        bytes, JoystickIdentity::Location(QString::fromUtf8(path ? path : ""),
                                          QString::fromUtf8(serial ? serial : "")));
}

void SdlJoystickDevices::rescan()
{
    closeAll();
    if (!m_initialised)
        return;
    SDL_JoystickUpdate(); // take in controllers plugged since the last poll
    const int attached = SDL_NumJoysticks();
    for (int d = 0; d < attached && m_count < kMaxDevices; ++d) {
        const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(d);
        m_newestInstance = std::max<std::int32_t>(m_newestInstance, instance);
        SDL_Joystick* joystick = SDL_JoystickOpen(d);
        if (!joystick)
            continue;
        Slot& slot = m_slots[static_cast<std::size_t>(m_count)];
        slot.handle = joystick;
        slot.key = keyOf(joystick);
        int twins = 0;
        for (int i = 0; i < m_count; ++i)
            twins += m_slots[static_cast<std::size_t>(i)].key == slot.key ? 1 : 0;
        slot.identifier = JoystickIdentity::Identifier(slot.key, twins);
        const char* name = SDL_JoystickName(joystick);
        slot.name = QString::fromUtf8(name ? name : "");
        ++m_count;
    }
}

void SdlJoystickDevices::markLost(Slot& slot)
{
    SDL_JoystickClose(slot.handle);
    slot.handle = nullptr;
    ++m_lost;
}

void SdlJoystickDevices::takeBackReplugged()
{
    // Cheap when nothing new is attached: a walk over SDL's instance ids.
    const int attached = SDL_NumJoysticks();
    for (int d = 0; d < attached && m_lost > 0; ++d) {
        const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(d);
        if (instance <= m_newestInstance)
            continue;
        m_newestInstance = instance;
        SDL_Joystick* joystick = SDL_JoystickOpen(d);
        if (!joystick)
            continue;
        const QByteArray key = keyOf(joystick);
        Slot* home = nullptr;
        for (int i = 0; i < m_count && !home; ++i) {
            Slot& slot = m_slots[static_cast<std::size_t>(i)];
            if (!slot.handle && slot.key == key)
                home = &slot;
        }
        if (home) {
            home->handle = joystick;
            --m_lost;
        } else {
            SDL_JoystickClose(joystick);
        }
    }
}

void SdlJoystickDevices::update()
{
    if (!m_initialised)
        return;
    SDL_JoystickUpdate();
    if (m_lost > 0)
        takeBackReplugged();
}

bool SdlJoystickDevices::read(int index, RawJoystickState& state)
{
    if (index < 0 || index >= m_count)
        return false;
    Slot& slot = m_slots[static_cast<std::size_t>(index)];
    if (!slot.handle)
        return false;
    if (!SDL_JoystickGetAttached(slot.handle)) {
        markLost(slot);
        return false;
    }
    SDL_Joystick* joystick = slot.handle;
    const int axes = SDL_JoystickNumAxes(joystick);
    state.x = axisOrCentre(joystick, 0, axes);
    state.y = axisOrCentre(joystick, 1, axes);
    state.z = axisOrCentre(joystick, 2, axes);
    state.rz = axisOrCentre(joystick, 3, axes);
    state.hat = SDL_JoystickNumHats(joystick) > 0 ? hatToHundredths(SDL_JoystickGetHat(joystick, 0)) : -1;
    const int buttons = std::clamp(SDL_JoystickNumButtons(joystick), 0, RawJoystickState::kButtonCount);
    state.buttons.fill(0);
    for (int b = 0; b < buttons; ++b)
        state.buttons[static_cast<std::size_t>(b)] = SDL_JoystickGetButton(joystick, b);
    return true;
}

QString SdlJoystickDevices::identifier(int index) const
{
    return index >= 0 && index < m_count ? m_slots[static_cast<std::size_t>(index)].identifier : QString();
}

QString SdlJoystickDevices::name(int index) const
{
    return index >= 0 && index < m_count ? m_slots[static_cast<std::size_t>(index)].name : QString();
}
