#include "fcs/joystick/JoystickReduction.h"

#include <algorithm>

namespace JoystickReduction {

std::int8_t Axis(std::int32_t raw)
{
    const std::int32_t clamped = std::clamp<std::int32_t>(raw, 0, 65535);
    const std::int32_t value = clamped / 257 - 127;
    // Only 65535 reaches 128; the robots treat 0x80 as invalid.
    return static_cast<std::int8_t>(std::min<std::int32_t>(value, 127));
}

std::uint8_t Hat(std::int32_t hundredthsOfDegrees)
{
    // Some drivers report centred as 0xFFFF rather than -1; anything that is no
    // direction must not reach a robot as one.
    if (hundredthsOfDegrees < 0 || hundredthsOfDegrees >= 36000)
        return 255;
    return static_cast<std::uint8_t>(hundredthsOfDegrees / 4500);
}

void Reduce(const RawJoystickState& raw, JoystickState& state)
{
    state.status = JS_READ;
    state.x1 = Axis(raw.x);
    state.y1 = Axis(raw.y);
    state.x2 = Axis(raw.z);
    state.y2 = Axis(raw.rz);

    std::uint8_t low = 0;
    std::uint8_t high = 0;
    for (int k = 0; k < 8; ++k) {
        if (raw.buttons[static_cast<std::size_t>(k)] != 0)
            low = static_cast<std::uint8_t>(low | (1u << k));
    }
    for (int k = 0; k < 4; ++k) {
        if (raw.buttons[static_cast<std::size_t>(8 + k)] != 0)
            high = static_cast<std::uint8_t>(high | (1u << k));
    }
    state.buttons = low;
    state.buttonsHigh = high;
    state.hat = Hat(raw.hat);

    const auto deflected = [](std::int8_t axis) {
        return axis < -kActiveThreshold || axis > kActiveThreshold;
    };
    const bool moved = deflected(state.x1) || deflected(state.y1) || deflected(state.x2)
                       || deflected(state.y2);
    state.active = (moved || low != 0 || high != 0) ? 1 : 0;
}

}
