#pragma once

#include <cstdint>

// Read status of a controller record.
enum JoystickReadStatus : std::int32_t { JS_READ = 0, JS_NOT_READ = 2 };

// The reduced state of one controller. The seven payload bytes (axes,
// buttons, hat) are what a control message carries for one driver, in field
// order: x1 (X axis), y1 (Y axis), x2 (Z axis), y2 (Z rotation), buttons,
// buttonsHigh, hat. Consumers test status first: a JS_NOT_READ record holds
// the values of the last good read, which are stale.
struct JoystickState {
    std::int32_t status = JS_READ;
    std::int8_t x1 = 0;           // -127 to 127
    std::int8_t y1 = 0;
    std::int8_t x2 = 0;
    std::int8_t y2 = 0;
    std::uint8_t buttons = 0;     // buttons 1 to 8, bit 0 is button 1
    std::uint8_t buttonsHigh = 0; // buttons 9 to 12 in bits 0 to 3
    std::uint8_t hat = 255;       // 0 north, clockwise in steps of 45 degrees; 255 centred
    std::uint8_t active = 0;      // 1 while the controller is being used
};
