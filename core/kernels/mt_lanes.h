// MT19937 outputs at positions first to last (last <= 226) for a group of seeds, one
// template for every level. Output k after the first twist is the tempered
//   word[k + 397] ^ twist(word[k] high bit, word[k + 1] low bits),
// and for k <= 226 none of these words has been rewritten by the twist yet: seeding runs
// up to word last + 397 and only the words read are twisted. Seeding is a chain of
// dependent multiplications, so `streams` vectors run interleaved to keep the
// multiplier busy. Internal to the kernel files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/kernels.h"

namespace hanabira {
namespace {

template <class Vec>
inline typename Vec::V mtTemper(typename Vec::V y) {
  y = Vec::bxor(y, Vec::template shr<11>(y));
  y = Vec::bxor(y, Vec::band(Vec::template shl<7>(y), Vec::set1(0x9D2C5680)));
  y = Vec::bxor(y, Vec::band(Vec::template shl<15>(y), Vec::set1(0xEFC60000)));
  return Vec::bxor(y, Vec::template shr<18>(y));
}

// Seeds seeds[0 .. streams * lanes); row r of the outputs (position first + r) starts at
// outputs + r * stride. The output rows hold the raw seeded words until they are twisted.
template <class Vec, int streams>
inline void mtSpanGroup(const std::uint32_t* seeds, int first, int last, std::uint32_t* outputs, std::size_t stride) {
  using V = typename Vec::V;
  constexpr std::size_t lanes = Vec::lanes;
  const V multiplier = Vec::set1(1812433253u);
  V word[streams];
  for (int s = 0; s < streams; ++s) word[s] = Vec::load(seeds + s * lanes);

  auto row = [&](int position, int s) {
    return outputs + static_cast<std::size_t>(position - first) * stride + s * lanes;
  };
  // Word i of the seeding from word i - 1, in every stream.
  auto seedStep = [&](int i) {
    const V index = Vec::set1(static_cast<std::uint32_t>(i));
    for (int s = 0; s < streams; ++s) {
      word[s] = Vec::add(Vec::mullo(multiplier, Vec::bxor(word[s], Vec::template shr<30>(word[s]))), index);
    }
  };
  auto storeRows = [&](int i) {
    for (int s = 0; s < streams; ++s) Vec::store(row(i, s), word[s]);
  };

  // Words first to last are the low words of the outputs; they wait in the output rows.
  if (first == 0) storeRows(0);
  int i = 1;
  for (; i < first; ++i) seedStep(i);
  for (; i <= last; ++i) {
    seedStep(i);
    storeRows(i);
  }
  seedStep(i++);  // word last + 1, read by the last output
  V wordAfterLast[streams];
  for (int s = 0; s < streams; ++s) wordAfterLast[s] = word[s];
  for (; i < first + 397; ++i) seedStep(i);
  // Words first + 397 to last + 397 complete the twist of outputs first to last.
  for (int k = first; k <= last; ++k, ++i) {
    seedStep(i);
    for (int s = 0; s < streams; ++s) {
      const V low = Vec::load(row(k, s));
      const V next = k == last ? wordAfterLast[s] : Vec::load(row(k + 1, s));
      const V y = Vec::bor(Vec::band(low, Vec::set1(0x80000000u)), Vec::band(next, Vec::set1(0x7FFFFFFFu)));
      const V twisted =
          Vec::bxor(Vec::bxor(word[s], Vec::template shr<1>(y)), Vec::band(Vec::lowBitMask(y), Vec::set1(0x9908B0DFu)));
      Vec::store(row(k, s), mtTemper<Vec>(twisted));
    }
  }
}

template <class Vec, int streams>
inline void mtSpanWith(const std::uint32_t* mtSeeds, std::size_t count, int first, int last, std::uint32_t* outputs) {
  constexpr std::size_t lanes = Vec::lanes;
  constexpr std::size_t group = streams * lanes;
  std::size_t base = 0;
  for (; base + group <= count; base += group)
    mtSpanGroup<Vec, streams>(mtSeeds + base, first, last, outputs + base, count);
  for (; base + lanes <= count; base += lanes) mtSpanGroup<Vec, 1>(mtSeeds + base, first, last, outputs + base, count);
  if (base == count) return;

  // The last, partial vector: zero-padded seeds into a scratch span, the live lanes copied out.
  const std::size_t live = count - base;
  std::uint32_t seeds[lanes] = {};
  for (std::size_t i = 0; i < live; ++i) seeds[i] = mtSeeds[base + i];
  std::uint32_t scratch[(mtKernelLastPosition + 1) * lanes];
  mtSpanGroup<Vec, 1>(seeds, first, last, scratch, lanes);
  for (int r = 0; r <= last - first; ++r) {
    for (std::size_t i = 0; i < live; ++i)
      outputs[static_cast<std::size_t>(r) * count + base + i] = scratch[r * lanes + i];
  }
}

}  // namespace
}  // namespace hanabira
