// Individual values and hidden power: how six values are drawn from the individual-value
// random sequence, and the filters every IV-based mode applies.
#pragma once

#include <array>
#include <cstdint>

#include "core/search_settings.h"

namespace hanabira {

// Six individual values 0 to 31, in the order H, A, B, C, D, S.
using IvSet = std::array<int, 6>;

// A 32-bit random value scaled to a choice among n: floor(r * n / 2^32).
constexpr std::uint32_t scaledRandom(std::uint32_t r, std::uint32_t n) {
  return static_cast<std::uint32_t>((std::uint64_t{r} * n) >> 32);
}

constexpr int ivOf(std::uint32_t output) { return static_cast<int>(output >> 27); }

// The six values drawn from outputs[0], outputs[1], ... (the outputs from the drawing
// position on). A roaming encounter passes one output over and fills D, S, C last.
constexpr IvSet drawIvs(const std::uint32_t* outputs, bool roaming) {
  if (roaming) {
    return {ivOf(outputs[1]), ivOf(outputs[2]), ivOf(outputs[3]), ivOf(outputs[6]), ivOf(outputs[4]), ivOf(outputs[5])};
  }
  return {ivOf(outputs[0]), ivOf(outputs[1]), ivOf(outputs[2]), ivOf(outputs[3]), ivOf(outputs[4]), ivOf(outputs[5])};
}

// How many outputs drawIvs reads.
constexpr int ivDrawLength(bool roaming) { return roaming ? 7 : 6; }

// Hidden power weighs the stats in the order H, A, B, S, C, D. Parents' values typed
// out of range reach it through inheritance; the bit tests give the mathematical
// parity and remainder modulo 4 for those too.
namespace detail {
constexpr std::array<int, 6> hiddenPowerWeights = {1, 2, 4, 16, 32, 8};  // indexed H, A, B, C, D, S
}

constexpr int hiddenPowerTypeOf(const IvSet& ivs) {
  int sum = 0;
  for (int k = 0; k < 6; ++k) {
    if ((ivs[k] & 1) != 0) sum += detail::hiddenPowerWeights[k];  // odd
  }
  return sum * 15 / 63;
}

constexpr int hiddenPowerPowerOf(const IvSet& ivs) {
  int sum = 0;
  for (int k = 0; k < 6; ++k) {
    if ((ivs[k] & 2) != 0) sum += detail::hiddenPowerWeights[k];  // 2 or 3 modulo 4
  }
  return sum * 40 / 63 + 30;
}

struct HiddenPower {
  int type;
  int power;
};

constexpr HiddenPower hiddenPowerOf(const IvSet& ivs) { return {hiddenPowerTypeOf(ivs), hiddenPowerPowerOf(ivs)}; }

constexpr bool passesIvBounds(const SearchSettings& settings, const IvSet& ivs) {
  for (int k = 0; k < 6; ++k) {
    if (ivs[k] < settings.ivMin[k] || ivs[k] > settings.ivMax[k]) return false;
  }
  return true;
}

constexpr bool passesHiddenPowerFilter(const SearchSettings& settings, const HiddenPower& hiddenPower) {
  return hiddenPower.power >= settings.hiddenPowerMinPower &&
         (settings.hiddenPowerType == -1 || settings.hiddenPowerType == hiddenPower.type);
}

}  // namespace hanabira
