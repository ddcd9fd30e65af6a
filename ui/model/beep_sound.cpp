#include "ui/model/beep_sound.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace hanabira {
namespace {

constexpr int sampleRate = 44100;
constexpr int fadeMs = 5;
constexpr double volume = 0.6;

// RIFF fields are little-endian whatever the machine.
void append(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string beepWave(int frequencyHz, int durationMs) {
  const int samples = sampleRate * std::max(durationMs, 0) / 1000;
  const int fadeSamples = sampleRate * fadeMs / 1000;
  const auto dataBytes = static_cast<std::uint32_t>(samples * 2);
  std::string wave = "RIFF";
  append(wave, 36 + dataBytes, 4);
  wave += "WAVEfmt ";
  append(wave, 16, 4);              // the format chunk's size
  append(wave, 1, 2);               // PCM
  append(wave, 1, 2);               // mono
  append(wave, sampleRate, 4);      // samples a second
  append(wave, sampleRate * 2, 4);  // bytes a second
  append(wave, 2, 2);               // bytes a sample
  append(wave, 16, 2);              // bits a sample
  wave += "data";
  append(wave, dataBytes, 4);
  for (int i = 0; i < samples; ++i) {
    const double fade = std::min({1.0, double(i) / fadeSamples, double(samples - 1 - i) / fadeSamples});
    const double value = volume * fade * std::sin(2 * std::numbers::pi * frequencyHz * i / sampleRate);
    append(wave, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(value * 32767))), 2);
  }
  return wave;
}

}  // namespace hanabira
