#pragma once

#include <array>

// String numbers of the digit-clock pictures. Each set lies in consecutive
// numbers: digit 0 to 9 then digit off, and colon off then colon on.
// Index by TimerStyle: 0 EndGame, 1 Neutral ("W"), 2 Autonomous ("Y"), 3 Teleop ("G").
namespace TimerPictureIds {
constexpr std::array<int, 4> kLargeDigits{154, 333, 346, 371};
constexpr std::array<int, 4> kLargeColons{165, 331, 344, 369};
constexpr std::array<int, 4> kTinyDigits{167, 307, 320, 384};
constexpr std::array<int, 4> kTinyColons{178, 305, 318, 382};
constexpr int kDigitRows = 11; // 0 to 9, then "off"
constexpr int kColonRows = 2;  // off, on
}
