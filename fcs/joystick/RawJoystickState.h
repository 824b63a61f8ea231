#pragma once

#include <array>
#include <cstdint>

// What one read of a controller gives, before reduction: the four used axes
// in 0 to 65535 (centre 32767/32768), the first hat in hundredths of degrees
// clockwise from north (-1 centred) and one byte per button (non-zero pressed).
struct RawJoystickState {
    static constexpr int kButtonCount = 16;

    std::int32_t x = 32767;
    std::int32_t y = 32767;
    std::int32_t z = 32767;
    std::int32_t rz = 32767;
    std::int32_t hat = -1;
    std::array<std::uint8_t, kButtonCount> buttons{};
};
