#pragma once

#include "fcs/joystick/JoystickState.h"
#include "fcs/joystick/RawJoystickState.h"

#include <cstdint>

// The reduction of a raw read to the record the robots receive.
namespace JoystickReduction {

// Sticks within this magnitude on every axis (and no button) leave a
// controller idle.
constexpr int kActiveThreshold = 80;

// raw / 257 - 127, so 0 gives -127, 32767 and 32768 give 0 and 65278 up give
// 127. The byte 0x80 is never produced. Raw values outside 0 to 65535 are
// clamped first.
std::int8_t Axis(std::int32_t raw);

// Hundredths of degrees 0 to 35999 give the direction 0 to 7; -1 and any value
// outside that range give 255 (centred).
std::uint8_t Hat(std::int32_t hundredthsOfDegrees);

// Fills every field of the record from a successful read (status JS_READ).
void Reduce(const RawJoystickState& raw, JoystickState& state);

}
