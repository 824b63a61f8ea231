#pragma once

#include <cstdint>
#include <vector>

// The field's sound cues, synthesised. All at kSoundRate, 16-bit mono.
namespace Sounds {
constexpr int kSoundRate = 22050;
using Samples = std::vector<std::int16_t>;

Samples Charge();      // bugle fanfare that starts a period
Samples ThreeBells();  // three bell strikes: tele-operated period after autonomous
Samples EndAutonomous(); // two falling tones
Samples EndMatch();    // long buzzer
Samples Foghorn();     // low horn blast: match stopped
Samples WarnEndOfMatch(); // three quick warning beeps
Samples Asterisk();    // short notification chime
Samples Chime();       // soft two-note lead-in before a spoken cue
}
