// The LCG scan for every level. Each lane steps its own state; `streams` vectors run
// interleaved because every step waits on the multiplication before it. Every value is
// tested as it is made and only the outcome is kept, one bit per seed and row; the tests
// of a start position are then ANDs of those bits. No value is ever stored.
//
// The lanes step the state less the first range's low << 32 (the same LCG with another
// increment): its upper half is the value less that low, so the first range is one
// unsigned comparison and every further range a subtraction more. The upper halves of
// Vec::lanes / Vec64::lanes state vectors are packed into one vector of 32-bit lanes
// first, so that each comparison covers twice the seeds. `Vec64` adds to the interface
// of lcg_lanes.h sub, loadPack(seeds, pack) and upperHalves(pack) -> Vec::V (the pack's
// lanes may hold the seeds in any order that upperHalves puts right); `Vec` is the
// level's 32-bit interface (vec_*.h). Internal to the kernel files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/kernels.h"
#include "core/kernels/lcg_lanes.h"

namespace hanabira {
namespace {

// What a pass over the sequences compares with, as vectors.
template <class Vec64, class Vec>
struct ScanConstants {
  typename Vec64::V multiplier;
  typename Vec64::V increment;                            // of the shifted states' LCG
  typename Vec64::V toFirstMultiplier, toFirstIncrement;  // from a seed to row 0, shifted
  typename Vec::V firstLow;                               // the shift, in the upper half
  typename Vec::V lows[lcgScanRangesAtOnce];              // of each range, less firstLow
  typename Vec::V spans[lcgScanRangesAtOnce];
  typename Vec::V decrement, bit31, pattern;  // the halves test: 0 or 1, bit 31 or 0
};

template <class Vec64, class Vec>
inline ScanConstants<Vec64, Vec> scanConstants(const LcgScan& scan, const RangeTest* ranges, int count,
                                               const HalvesTest* halves) {
  const std::uint32_t firstLow = count > 0 ? ranges[0].low : 0;
  const std::uint64_t shift = std::uint64_t{firstLow} << 32;
  ScanConstants<Vec64, Vec> c;
  c.multiplier = Vec64::set1(lcgMultiplier);
  c.increment = Vec64::set1(lcgMultiplier * shift + lcgIncrement - shift);
  c.toFirstMultiplier = Vec64::set1(scan.toFirstMultiplier);
  c.toFirstIncrement = Vec64::set1(scan.toFirstIncrement - shift);
  c.firstLow = Vec::set1(firstLow);
  for (int r = 0; r < lcgScanRangesAtOnce; ++r) {
    c.lows[r] = Vec::set1(r < count ? ranges[r].low - firstLow : 0);
    c.spans[r] = Vec::set1(r < count ? ranges[r].high - ranges[r].low : 0);
  }
  c.decrement = Vec::set1(halves != nullptr && halves->decrement ? 1 : 0);
  c.bit31 = Vec::set1(halves != nullptr && halves->bit31FromBit0 ? 0x80000000 : 0);
  c.pattern = Vec::set1(halves != nullptr ? halves->pattern : 0);
  return c;
}

// The lanes of `value` that pass the halves test described in `c`.
template <class Vec64, class Vec>
inline typename Vec::Mask halvesMask(typename Vec::V value, const ScanConstants<Vec64, Vec>& c) {
  using V = typename Vec::V;
  V word = Vec::sub(Vec::maxU(value, c.decrement), c.decrement);  // 0 stays 0
  word = Vec::choose(c.bit31, Vec::template shl<31>(word), word);
  const V folded = Vec::xor3(word, Vec::template shr<16>(word), c.pattern);
  return Vec::atMost(Vec::band(folded, Vec::set1(0xFFF8)), Vec::set1(0));
}

// One group of streams * Vec64::lanes seeds: the bits of row k go to
// bits[slot * rows + k], shifted to the group's place in its word of 64 seeds; the first
// group of a word (shift 0) sets the words, the others add to them. Slot r < rangeCount
// is range r, slot rangeCount the halves test.
template <class Vec64, class Vec, int streams, int rangeCount, bool halves>
inline void scanGroup(const std::uint64_t* seeds, const ScanConstants<Vec64, Vec>& c, int rows, std::uint64_t* bits,
                      std::size_t shift) {
  constexpr int slots = rangeCount + (halves ? 1 : 0);
  constexpr int perPack = static_cast<int>(Vec::lanes / Vec64::lanes);
  static_assert(streams % perPack == 0, "the streams fill whole packs");
  if constexpr (slots == 0) return;  // nothing to test
  typename Vec64::V state[streams];
  for (int g = 0; g < streams / perPack; ++g) Vec64::loadPack(seeds + g * Vec::lanes, state + g * perPack);
  for (int s = 0; s < streams; ++s) state[s] = Vec64::mulAdd(state[s], c.toFirstMultiplier, c.toFirstIncrement);
  for (int k = 0; k < rows; ++k) {
    std::uint64_t rowBits[slots > 0 ? slots : 1] = {};
    for (int g = 0; g < streams / perPack; ++g) {
      const typename Vec::V upper = Vec64::upperHalves(state + g * perPack);
      const std::size_t place = g * Vec::lanes;
      for (int r = 0; r < rangeCount; ++r) {
        const auto in = r == 0 ? Vec::atMost(upper, c.spans[0]) : Vec::inRange(upper, c.lows[r], c.spans[r]);
        rowBits[r] |= Vec::maskBits(in) << place;
      }
      if constexpr (halves) rowBits[rangeCount] |= Vec::maskBits(halvesMask(Vec::add(upper, c.firstLow), c)) << place;
    }
    for (int s = 0; s < streams; ++s) state[s] = Vec64::mulAdd(state[s], c.multiplier, c.increment);
    for (int slot = 0; slot < slots; ++slot) {
      std::uint64_t& word = bits[static_cast<std::size_t>(slot * rows + k)];
      word = (shift == 0 ? 0 : word) | rowBits[slot] << shift;
    }
  }
}

// The ranges are template arguments, so that their comparisons unroll and their bits stay
// in registers.
template <class Vec64, class Vec, int streams, bool halves>
inline void scanGroupWith(int rangeCount, const std::uint64_t* seeds, const ScanConstants<Vec64, Vec>& c, int rows,
                          std::uint64_t* bits, std::size_t shift) {
  const auto run = [&]<int n>() { scanGroup<Vec64, Vec, streams, n, halves>(seeds, c, rows, bits, shift); };
  switch (rangeCount) {
    case 0:
      return run.template operator()<0>();
    case 1:
      return run.template operator()<1>();
    case 2:
      return run.template operator()<2>();
    case 3:
      return run.template operator()<3>();
    case 4:
      return run.template operator()<4>();
    case 5:
      return run.template operator()<5>();
    case 6:
      return run.template operator()<6>();
    case 7:
      return run.template operator()<7>();
    default:
      return run.template operator()<8>();
  }
}
static_assert(lcgScanRangesAtOnce == 8, "scanGroupWith instantiates up to eight ranges");

template <class Vec64, class Vec, int streams>
inline std::size_t scanLcgWith(const std::uint64_t* seeds, std::size_t count, const LcgScan& scan,
                               std::uint64_t* scratch, RangeHit* hits) {
  constexpr std::size_t group = streams * Vec64::lanes;
  static_assert(64 % group == 0, "a group's seeds lie in one word of 64");
  const int positions = scan.positions;
  if (positions <= 0) return 0;
  const int rows = lcgScanRows(scan);
  const std::size_t words = (count + 63) / 64;

  // The tests' distinct ranges, and which each test reads.
  RangeTest ranges[maxLcgScanTests];
  int rangeOf[maxLcgScanTests];
  int rangeCount = 0;
  for (int t = 0; t < scan.testCount; ++t) {
    int r = 0;
    while (r < rangeCount && (ranges[r].low != scan.tests[t].low || ranges[r].high != scan.tests[t].high)) ++r;
    if (r == rangeCount) ranges[rangeCount++] = scan.tests[t];
    rangeOf[t] = r;
  }

  // pass[w * positions + p]: the seeds of word w that pass every test so far at p.
  std::uint64_t* pass = scratch;
  std::uint64_t* bits = scratch + 4 * static_cast<std::size_t>(positions);
  for (std::size_t w = 0; w < words; ++w) {
    const std::size_t live = count - 64 * w < 64 ? count - 64 * w : 64;
    const std::uint64_t liveBits = live == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << live) - 1;
    for (int p = 0; p < positions; ++p) pass[w * positions + p] = liveBits;
  }

  // The ranges in passes of at most lcgScanRangesAtOnce; the halves test rides with the first.
  std::uint64_t padded[group];
  for (int chunk = 0; chunk == 0 || chunk < rangeCount; chunk += lcgScanRangesAtOnce) {
    const int n = rangeCount - chunk < lcgScanRangesAtOnce ? rangeCount - chunk : lcgScanRangesAtOnce;
    const HalvesTest* halves = chunk == 0 ? scan.halves : nullptr;
    if (n == 0 && halves == nullptr) break;
    const ScanConstants<Vec64, Vec> c = scanConstants<Vec64, Vec>(scan, ranges + chunk, n, halves);
    for (std::size_t w = 0; w < words; ++w) {
      // A last group short of seeds runs padded; the padding's bits fall outside liveBits.
      for (std::size_t base = 64 * w; base < count && base < 64 * (w + 1); base += group) {
        const std::uint64_t* from = seeds + base;
        if (base + group > count) {
          for (std::size_t i = 0; i < group; ++i) padded[i] = base + i < count ? seeds[base + i] : 0;
          from = padded;
        }
        if (halves != nullptr) {
          scanGroupWith<Vec64, Vec, streams, true>(n, from, c, rows, bits, base - 64 * w);
        } else {
          scanGroupWith<Vec64, Vec, streams, false>(n, from, c, rows, bits, base - 64 * w);
        }
      }
      std::uint64_t* wordPass = pass + w * positions;
      for (int t = 0; t < scan.testCount; ++t) {
        if (rangeOf[t] < chunk || rangeOf[t] >= chunk + n) continue;
        const std::uint64_t* row =
            bits + static_cast<std::size_t>((rangeOf[t] - chunk) * rows + scan.tests[t].rowOffset);
        for (int p = 0; p < positions; ++p) wordPass[p] &= row[p];
      }
      if (halves != nullptr) {
        const std::uint64_t* row = bits + static_cast<std::size_t>(n * rows + halves->rowOffset);
        for (int p = 0; p < positions; ++p) wordPass[p] &= row[p];
      }
    }
  }

  // The positions with any seed; without a branch, as about half of them have one.
  std::size_t hitCount = 0;
  for (int p = 0; p < positions; ++p) {
    RangeHit& hit = hits[hitCount];
    hit.position = p;
    std::uint64_t any = 0;
    for (std::size_t w = 0; w < 4; ++w) any |= hit.seeds[w] = w < words ? pass[w * positions + p] : 0;
    hitCount += any != 0 ? 1 : 0;
  }
  return hitCount;
}

}  // namespace
}  // namespace hanabira
