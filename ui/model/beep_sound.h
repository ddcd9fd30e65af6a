// The timer's beep as a sound file in memory, the same in both front ends: a short sine
// tone as 16-bit mono PCM in a RIFF WAVE file, which every sound API plays.
#pragma once

#include <string>

namespace hanabira {

// The tone fades in and out over a few milliseconds, so that it starts and ends
// without a click.
std::string beepWave(int frequencyHz = 1000, int durationMs = 100);

}  // namespace hanabira
