// The draws without replacement for every level, a vector of seeds at a time through
// every start position. Only the wanted entries' places in the list left are followed:
// a draw that hits a place takes its entry, one before it moves it down one place.
//
// A place q is kept as 2q + 1 while its entry is left and becomes even when drawn, so
// that one formula serves both: a draw of entry t (as 2t) lowers the value by
// min(max(value, 2t) - 2t, 2), which is 2 for a place past t, 1 for t itself (now even)
// and 0 before it, and keeps an even value even. No comparison, no mask: the same
// unsigned minimum, maximum and subtraction at every level. Internal to the kernel files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/kernels.h"

namespace hanabira {
namespace {

// The lanes whose draws from `position` take every wanted entry; `values(k)` loads the
// lanes' values of row position + k.
template <class Vec, int wantedCount, class Values>
inline std::uint64_t drawsTakeAll(const DrawScan& scan, const typename Vec::V* sizes, Values&& values) {
  using V = typename Vec::V;
  V places[wantedCount];
  for (int t = 0; t < wantedCount; ++t) places[t] = Vec::set1(2 * static_cast<std::uint32_t>(scan.wanted[t]) + 1);
  const V two = Vec::set1(2);
  for (int k = 0; k < scan.drawCount; ++k) {
    const V taken = Vec::mulHigh(values(k), sizes[k]);  // scaledRandom(value, listSize - k)
    const V takenTwice = Vec::add(taken, taken);
    for (int t = 0; t < wantedCount; ++t) {
      const V past = Vec::sub(Vec::maxU(places[t], takenTwice), takenTwice);
      places[t] = Vec::sub(places[t], Vec::minU(past, two));
    }
  }
  V odd = places[0];
  for (int t = 1; t < wantedCount; ++t) odd = Vec::bor(odd, places[t]);
  return Vec::maskBits(Vec::atMost(Vec::band(odd, Vec::set1(1)), Vec::set1(0)));
}

template <class Vec, int wantedCount>
inline void scanDrawsFor(const std::uint32_t* rows, std::size_t count, const DrawScan& scan, std::uint64_t* matches) {
  constexpr std::size_t lanes = Vec::lanes;
  typename Vec::V sizes[maxDraws];
  for (int k = 0; k < scan.drawCount; ++k) sizes[k] = Vec::set1(scan.listSize - static_cast<std::uint32_t>(k));
  std::uint32_t padded[maxDraws * lanes];
  for (std::size_t base = 0; base < count; base += lanes) {
    const std::size_t live = count - base < lanes ? count - base : lanes;
    const std::uint64_t liveBits = live == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << live) - 1;
    for (int p = 0; p < scan.positions; ++p) {
      const std::uint32_t* row = rows + static_cast<std::size_t>(p) * count + base;
      std::uint64_t bits;
      if (live == lanes) {
        bits = drawsTakeAll<Vec, wantedCount>(
            scan, sizes, [&](int k) { return Vec::load(row + static_cast<std::size_t>(k) * count); });
      } else {
        // The last seeds, short of a vector, from a copy padded out.
        for (int k = 0; k < scan.drawCount; ++k) {
          for (std::size_t i = 0; i < lanes; ++i) padded[k * lanes + i] = i < live ? row[k * count + i] : 0;
        }
        bits = drawsTakeAll<Vec, wantedCount>(scan, sizes, [&](int k) { return Vec::load(padded + k * lanes); });
      }
      matches[static_cast<std::size_t>(p) * 4 + base / 64] |= (bits & liveBits) << (base % 64);
    }
  }
}

template <class Vec>
inline void scanDrawsWith(const std::uint32_t* rows, std::size_t count, const DrawScan& scan, std::uint64_t* matches) {
  for (std::size_t w = 0; w < static_cast<std::size_t>(scan.positions) * 4; ++w) matches[w] = 0;
  const auto run = [&]<int n>() { scanDrawsFor<Vec, n>(rows, count, scan, matches); };
  switch (scan.wantedCount) {
    case 0:  // every position matches
      for (int p = 0; p < scan.positions; ++p) {
        for (std::size_t i = 0; i < count; ++i)
          matches[static_cast<std::size_t>(p) * 4 + i / 64] |= std::uint64_t{1} << (i % 64);
      }
      return;
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
    default:
      return run.template operator()<6>();
  }
}
static_assert(maxDrawsWanted == 6, "scanDrawsWith instantiates up to six wanted entries");

}  // namespace
}  // namespace hanabira
