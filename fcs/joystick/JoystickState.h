#pragma once

#include <cstdint>

// Read status of a controller record.
enum JoystickReadStatus : std::int32_t { JS_READ = 0, JS_NOT_READ = 2 };

// The reduced state of one controller. The seven payload bytes (axes,
// buttons, hat) are what a control message carries for one driver.
struct JoystickState {
    std::int32_t status = JS_READ;
    std::int8_t x1 = 0;
    std::int8_t y1 = 0;
    std::int8_t x2 = 0;
    std::int8_t y2 = 0;
    std::uint8_t buttons = 0;     // buttons 1 to 8
    std::uint8_t buttonsHigh = 0; // buttons 9 to 12
    std::uint8_t hat = 255;       // 255 centred
    std::uint8_t active = 0;
};
