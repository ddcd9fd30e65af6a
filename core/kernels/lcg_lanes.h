// The LCG's outputs for a group of states, one template for every level: each lane steps
// its own state; `streams` vectors run interleaved because every step waits on the
// multiplication before it. `Vec64` provides V, lanes, set1, load, storeUpperHalves and
// mulAdd(V x, V multiplier, V addend) -> x * multiplier + addend (modulo 2^64).
// Internal to the kernel files.
#pragma once

#include <cstddef>
#include <cstdint>

namespace hanabira {
namespace {

// The kernel files share no inline code with baseline callers: Lcg64's constants again.
inline constexpr std::uint64_t lcgMultiplier = 0x5D588B656C078965;
inline constexpr std::uint64_t lcgIncrement = 0x269EC3;

template <class Vec64, int streams>
inline void lcgGroup(const std::uint64_t* states, int length, std::uint32_t* outputs, std::size_t stride) {
  using V = typename Vec64::V;
  constexpr std::size_t lanes = Vec64::lanes;
  const V multiplier = Vec64::set1(lcgMultiplier);
  const V increment = Vec64::set1(lcgIncrement);
  V state[streams];
  for (int s = 0; s < streams; ++s) state[s] = Vec64::load(states + s * lanes);
  for (int p = 0; p < length; ++p) {
    for (int s = 0; s < streams; ++s) {
      Vec64::storeUpperHalves(outputs + static_cast<std::size_t>(p) * stride + s * lanes, state[s]);
      state[s] = Vec64::mulAdd(state[s], multiplier, increment);
    }
  }
}

template <class Vec64, int streams>
inline void lcgOutputsWith(const std::uint64_t* states, std::size_t count, int length, std::uint32_t* outputs) {
  constexpr std::size_t group = streams * Vec64::lanes;
  std::size_t base = 0;
  for (; base + group <= count; base += group) lcgGroup<Vec64, streams>(states + base, length, outputs + base, count);
  // The tail, a lane at a time: its cost does not grow with the batch.
  for (; base < count; ++base) {
    std::uint64_t state = states[base];
    for (int p = 0; p < length; ++p) {
      outputs[static_cast<std::size_t>(p) * count + base] = static_cast<std::uint32_t>(state >> 32);
      state = state * lcgMultiplier + lcgIncrement;
    }
  }
}

}  // namespace
}  // namespace hanabira
