#pragma once

#include <SDL.h>

#include <string>
#include <vector>

// What a virtual stick reports itself as.
struct VirtualStickModel {
    Uint16 vendor = 0x1209;
    Uint16 product = 0x0001;
    std::string name = "Test Stick";
    int axes = 4;
    int buttons = 16;
    int hats = 1;
};

// SDL virtual joysticks for tests and benchmarks: plug, move, unplug.
// Holds its own reference on SDL's joystick subsystem, so the sticks outlive
// any joystick manager (SDL drops virtual sticks when the subsystem stops).
class VirtualJoystickRig {
public:
    using Model = VirtualStickModel;

    VirtualJoystickRig() { m_ok = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0; }
    ~VirtualJoystickRig()
    {
        while (!m_sticks.empty())
            unplug(static_cast<int>(m_sticks.size()) - 1);
        if (m_ok)
            SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    VirtualJoystickRig(const VirtualJoystickRig&) = delete;
    VirtualJoystickRig& operator=(const VirtualJoystickRig&) = delete;

    bool ok() const { return m_ok; }

    // Plugs a stick; returns its number in this rig (not SDL's device index).
    int plug(const Model& model = Model{})
    {
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = static_cast<Uint16>(model.axes);
        desc.nbuttons = static_cast<Uint16>(model.buttons);
        desc.nhats = static_cast<Uint16>(model.hats);
        desc.vendor_id = model.vendor;
        desc.product_id = model.product;
        desc.name = model.name.c_str();
        const int device = SDL_JoystickAttachVirtualEx(&desc);
        if (device < 0)
            return -1;
        SDL_Joystick* handle = SDL_JoystickOpen(device);
        m_sticks.push_back({handle, SDL_JoystickInstanceID(handle)});
        return static_cast<int>(m_sticks.size()) - 1;
    }

    // Unplugs stick n; later sticks move down one number.
    void unplug(int n)
    {
        Stick stick = m_sticks[static_cast<size_t>(n)];
        m_sticks.erase(m_sticks.begin() + n);
        for (int d = 0; d < SDL_NumJoysticks(); ++d) {
            if (SDL_JoystickGetDeviceInstanceID(d) == stick.instance) {
                SDL_JoystickDetachVirtual(d);
                break;
            }
        }
        if (stick.handle)
            SDL_JoystickClose(stick.handle);
    }

    int count() const { return static_cast<int>(m_sticks.size()); }

    // Values take effect at SDL's next joystick update (the manager's poll).
    void axisRaw(int n, int axis, int raw0to65535)
    {
        SDL_JoystickSetVirtualAxis(handle(n), axis, static_cast<Sint16>(raw0to65535 - 32768));
    }
    void button(int n, int button, bool pressed)
    {
        SDL_JoystickSetVirtualButton(handle(n), button, pressed ? 1 : 0);
    }
    void hat(int n, Uint8 value) { SDL_JoystickSetVirtualHat(handle(n), 0, value); }
    void centre(int n, int axes = 4, int buttons = 16)
    {
        for (int a = 0; a < axes; ++a)
            axisRaw(n, a, 32768);
        for (int b = 0; b < buttons; ++b)
            button(n, b, false);
        hat(n, SDL_HAT_CENTERED);
    }

private:
    struct Stick {
        SDL_Joystick* handle;
        SDL_JoystickID instance;
    };
    SDL_Joystick* handle(int n) const { return m_sticks[static_cast<size_t>(n)].handle; }

    bool m_ok = false;
    std::vector<Stick> m_sticks;
};
