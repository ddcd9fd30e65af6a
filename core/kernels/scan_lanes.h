// The range scan for every level: a vector of seeds at a time, the tests folded into
// one lane mask per position. `Vec` adds to the interface of vec_*.h:
//   Mask, inRange(V value, V low, V span) -> Mask of lanes with value - low <= span
//   (unsigned), and maskBits(Mask) -> the lanes as bits. Internal to the kernel files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/kernels.h"

namespace hanabira {
namespace {

template <class Vec>
inline std::size_t scanRangesWith(const std::uint32_t* rows, std::size_t count, int positions, const RangeTest* tests,
                                  int testCount, RangeHit* hits) {
  constexpr std::size_t lanes = Vec::lanes;
  std::size_t hitCount = 0;
  std::uint32_t padded[lanes];
  for (int p = 0; p < positions; ++p) {
    RangeHit& hit = hits[hitCount];
    hit.position = p;
    hit.seeds[0] = hit.seeds[1] = hit.seeds[2] = hit.seeds[3] = 0;
    bool any = false;
    for (std::size_t base = 0; base < count; base += lanes) {
      const std::size_t live = count - base < lanes ? count - base : lanes;
      std::uint64_t bits = (1ull << live) - 1;
      for (int t = 0; t < testCount && bits != 0; ++t) {
        const std::uint32_t* row = rows + static_cast<std::size_t>(p + tests[t].rowOffset) * count + base;
        typename Vec::V value;
        if (live == lanes) {
          value = Vec::load(row);
        } else {
          for (std::size_t i = 0; i < lanes; ++i) padded[i] = i < live ? row[i] : 0;
          value = Vec::load(padded);
        }
        bits &= Vec::maskBits(Vec::inRange(value, Vec::set1(tests[t].low), Vec::set1(tests[t].high - tests[t].low)));
      }
      if (bits != 0) {
        hit.seeds[base / 64] |= bits << (base % 64);
        any = true;
      }
    }
    if (any) ++hitCount;
  }
  return hitCount;
}

}  // namespace
}  // namespace hanabira
