// The range scan for every level. `Vec` adds to the interface of vec_*.h:
//   Mask, inRange(V value, V low, V span) -> Mask of lanes with value - low <= span
//   (unsigned), and maskBits(Mask) -> the lanes as bits. Internal to the kernel files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/kernels.h"

namespace hanabira {
namespace {

// The scan works on blocks of positions. Within a block every test's rows are compared
// once, a vector of seeds at a time, into bit masks over the seeds; the tests of a
// position are then a few 64-bit ANDs. Tests with the same range share their rows when
// their offsets lie close together (the comet shard's last two tests, the six values of
// a strict filter), so a row is compared once however many tests read it.
inline constexpr int scanBlock = 64;
inline constexpr int scanGroups = 8;  // tests beyond this many ranges run a seed at a time

struct ScanGroup {
  std::uint32_t low;
  std::uint32_t span;  // high - low
  int minOffset;
  int maxOffset;
};

using SeedMask = std::uint64_t[4];

template <class Vec>
inline void compareRows(const std::uint32_t* rows, std::size_t count, int firstRow, int rowCount,
                        const ScanGroup& group, SeedMask* masks) {
  constexpr std::size_t lanes = Vec::lanes;
  const typename Vec::V low = Vec::set1(group.low);
  const typename Vec::V span = Vec::set1(group.span);
  std::uint32_t padded[lanes];
  for (int r = 0; r < rowCount; ++r) {
    const std::uint32_t* row = rows + static_cast<std::size_t>(firstRow + r) * count;
    std::uint64_t* words = masks[r];
    // Each word of 64 seeds is gathered in a register and stored once.
    for (std::size_t w = 0; w < 4; ++w) {
      std::uint64_t bits = 0;
      for (std::size_t part = 0; part < 64 / lanes; ++part) {
        const std::size_t base = 64 * w + part * lanes;
        if (base + lanes <= count) {
          bits |= Vec::maskBits(Vec::inRange(Vec::load(row + base), low, span)) << (part * lanes);
        } else if (base < count) {
          const std::size_t live = count - base;
          for (std::size_t i = 0; i < lanes; ++i) padded[i] = i < live ? row[base + i] : 0;
          const std::uint64_t liveBits = (std::uint64_t{1} << live) - 1;
          bits |= (Vec::maskBits(Vec::inRange(Vec::load(padded), low, span)) & liveBits) << (part * lanes);
        }
      }
      words[w] = bits;
    }
  }
}

template <class Vec>
inline std::size_t scanRangesWith(const std::uint32_t* rows, std::size_t count, int positions, const RangeTest* tests,
                                  int testCount, RangeHit* hits) {
  // Group the tests; a test that fits no group within the limit is checked seed by seed.
  ScanGroup groups[scanGroups];
  int groupOf[64];
  int groupCount = 0;
  const int grouped = testCount < 64 ? testCount : 64;
  for (int t = 0; t < grouped; ++t) {
    groupOf[t] = -1;
    const std::uint32_t span = tests[t].high - tests[t].low;
    for (int g = 0; g < groupCount && groupOf[t] < 0; ++g) {
      const int lowest = tests[t].rowOffset < groups[g].minOffset ? tests[t].rowOffset : groups[g].minOffset;
      const int highest = tests[t].rowOffset > groups[g].maxOffset ? tests[t].rowOffset : groups[g].maxOffset;
      if (groups[g].low == tests[t].low && groups[g].span == span && highest - lowest <= scanBlock) {
        groups[g].minOffset = lowest;
        groups[g].maxOffset = highest;
        groupOf[t] = g;
      }
    }
    if (groupOf[t] < 0 && groupCount < scanGroups) {
      groups[groupCount] = {tests[t].low, span, tests[t].rowOffset, tests[t].rowOffset};
      groupOf[t] = groupCount++;
    }
  }

  std::uint64_t allSeeds[4];
  for (std::size_t w = 0; w < 4; ++w) {
    const std::size_t from = 64 * w;
    allSeeds[w] = count >= from + 64 ? ~std::uint64_t{0} : count > from ? (std::uint64_t{1} << (count - from)) - 1 : 0;
  }

  SeedMask masks[scanGroups][2 * scanBlock + 1];
  std::size_t hitCount = 0;
  for (int first = 0; first < positions; first += scanBlock) {
    const int n = positions - first < scanBlock ? positions - first : scanBlock;
    for (int g = 0; g < groupCount; ++g) {
      compareRows<Vec>(rows, count, first + groups[g].minOffset, n + groups[g].maxOffset - groups[g].minOffset,
                       groups[g], masks[g]);
    }
    for (int i = 0; i < n; ++i) {
      std::uint64_t words[4] = {allSeeds[0], allSeeds[1], allSeeds[2], allSeeds[3]};
      for (int t = 0; t < grouped; ++t) {
        if (groupOf[t] < 0) continue;
        const std::uint64_t* mask = masks[groupOf[t]][i + tests[t].rowOffset - groups[groupOf[t]].minOffset];
        for (int w = 0; w < 4; ++w) words[w] &= mask[w];
      }
      if ((words[0] | words[1] | words[2] | words[3]) == 0) continue;
      // The tests without a group of their own, a seed at a time.
      for (int t = 0; t < testCount; ++t) {
        if (t < grouped && groupOf[t] >= 0) continue;
        const std::uint32_t* row = rows + static_cast<std::size_t>(first + i + tests[t].rowOffset) * count;
        for (std::size_t seed = 0; seed < count; ++seed) {
          if (row[seed] - tests[t].low > tests[t].high - tests[t].low)
            words[seed / 64] &= ~(std::uint64_t{1} << (seed % 64));
        }
      }
      if ((words[0] | words[1] | words[2] | words[3]) == 0) continue;
      RangeHit& hit = hits[hitCount++];
      hit.position = first + i;
      for (int w = 0; w < 4; ++w) hit.seeds[w] = words[w];
    }
  }
  return hitCount;
}

}  // namespace
}  // namespace hanabira
