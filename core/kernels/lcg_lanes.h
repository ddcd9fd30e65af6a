// The LCG's outputs for a group of states, one template for every level: each lane steps
// its own state; `streams` vectors run interleaved because every step waits on the
// multiplication before it. Each value is compared with the ranges asked for while it
// is in a register, so that a filter on the rows needs no second pass over them.
// `Vec64` provides V, lanes, load, step, storeUpperHalves and
// upperHalfInRange(V state, low, high) -> the lanes whose upper half lies in [low, high].
// Internal to the kernel files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/kernels.h"

namespace hanabira {
namespace {

// The number of ranges is a template argument, so that the comparisons unroll and their
// bits stay in registers.
template <class Vec64, int streams, int rangeCount>
inline void lcgGroup(const std::uint64_t* states, int length, std::uint32_t* outputs, std::size_t stride,
                     const ValueRange* ranges, std::uint64_t* masks, std::size_t firstSeed) {
  using V = typename Vec64::V;
  constexpr std::size_t lanes = Vec64::lanes;
  static_assert(streams * lanes <= 64 && 64 % (streams * lanes) == 0, "a group's seeds lie in one mask word");
  V state[streams];
  for (int s = 0; s < streams; ++s) state[s] = Vec64::load(states + s * lanes);
  const std::size_t word = firstSeed / 64;
  const std::size_t shift = firstSeed % 64;
  for (int p = 0; p < length; ++p) {
    std::uint64_t bits[rangeCount > 0 ? rangeCount : 1] = {};
    for (int s = 0; s < streams; ++s) {
      Vec64::storeUpperHalves(outputs + static_cast<std::size_t>(p) * stride + s * lanes, state[s]);
      for (int r = 0; r < rangeCount; ++r) {
        bits[r] |= Vec64::upperHalfInRange(state[s], ranges[r].low, ranges[r].high) << (s * lanes);
      }
      state[s] = Vec64::step(state[s]);
    }
    for (int r = 0; r < rangeCount; ++r)
      masks[(static_cast<std::size_t>(r) * length + p) * 4 + word] |= bits[r] << shift;
  }
}

template <class Vec64, int streams>
inline void lcgOutputsWith(const std::uint64_t* states, std::size_t count, int length, std::uint32_t* outputs,
                           const ValueRange* ranges, int rangeCount, std::uint64_t* masks) {
  constexpr std::size_t group = streams * Vec64::lanes;
  for (std::size_t k = 0; k < static_cast<std::size_t>(rangeCount) * length * 4; ++k) masks[k] = 0;
  std::size_t base = 0;
  for (; base + group <= count; base += group) {
    const auto run = [&]<int n>() {
      lcgGroup<Vec64, streams, n>(states + base, length, outputs + base, count, ranges, masks, base);
    };
    switch (rangeCount) {
      case 0:
        run.template operator()<0>();
        break;
      case 1:
        run.template operator()<1>();
        break;
      case 2:
        run.template operator()<2>();
        break;
      case 3:
        run.template operator()<3>();
        break;
      case 4:
        run.template operator()<4>();
        break;
      case 5:
        run.template operator()<5>();
        break;
      case 6:
        run.template operator()<6>();
        break;
      case 7:
        run.template operator()<7>();
        break;
      default:
        run.template operator()<8>();
        break;
    }
  }
  // The tail, a lane at a time: its cost does not grow with the batch.
  for (; base < count; ++base) {
    std::uint64_t state = states[base];
    for (int p = 0; p < length; ++p) {
      const auto value = static_cast<std::uint32_t>(state >> 32);
      outputs[static_cast<std::size_t>(p) * count + base] = value;
      for (int r = 0; r < rangeCount; ++r) {
        if (value - ranges[r].low <= ranges[r].high - ranges[r].low) {
          masks[(static_cast<std::size_t>(r) * length + p) * 4 + base / 64] |= std::uint64_t{1} << (base % 64);
        }
      }
      state = state * 0x5D588B656C078965ull + 0x269EC3ull;
    }
  }
}

}  // namespace
}  // namespace hanabira
