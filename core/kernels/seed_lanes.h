// SHA-1 rounds 9 to 79 of the boot message for a vector of boot moments of one day, and
// the step from the digest to the initial seed. One template for every level: `Vec` is
// one of the vector interfaces (vec_scalar.h, vec_avx2.h, vec_avx512.h). Internal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "core/kernels.h"

namespace hanabira {
namespace {

template <class Vec>
struct Sha1Lanes {
  using V = typename Vec::V;

  V a, b, c, d, e;
  V w[80];

  template <int t>
  [[gnu::always_inline]] void round() {
    V f;
    std::uint32_t k;
    if constexpr (t < 20) {
      f = Vec::choose(b, c, d);
      k = 0x5A827999;
    } else if constexpr (t < 40) {
      f = Vec::xor3(b, c, d);
      k = 0x6ED9EBA1;
    } else if constexpr (t < 60) {
      f = Vec::majority(b, c, d);
      k = 0x8F1BBCDC;
    } else {
      f = Vec::xor3(b, c, d);
      k = 0xCA62C1D6;
    }
    const V temp = Vec::add(Vec::add(Vec::template rotl<5>(a), f), Vec::add(Vec::add(e, Vec::set1(k)), w[t]));
    e = d;
    d = c;
    c = Vec::template rotl<30>(b);
    b = a;
    a = temp;
  }

  // W[t] of a moment: the day's word where it does not vary, else the schedule's rule.
  template <int t>
  [[gnu::always_inline]] void scheduleWord(const SeedDay& day) {
    if constexpr (!scheduleVaries(t)) {
      w[t] = Vec::set1(day.schedule[t]);
    } else if constexpr (t >= 16) {
      w[t] = Vec::template rotl<1>(Vec::bxor(Vec::xor3(w[t - 3], w[t - 8], w[t - 14]), w[t - 16]));
    }
  }

  template <int... t>
  void schedule(const SeedDay& day, std::integer_sequence<int, t...>) {
    (scheduleWord<t>(day), ...);
  }
};

// The initial seed from the first two digest words: the first eight digest bytes read
// as a little-endian number, stepped once through the LCG.
inline InitialSeed seedFromDigestHeads(std::uint32_t h0, std::uint32_t h1) {
  const std::uint64_t digestValue = (std::uint64_t{__builtin_bswap32(h1)} << 32) | __builtin_bswap32(h0);
  return digestValue * 0x5D588B656C078965ull + 0x269EC3ull;
}

// Round t of every stream, the streams side by side.
template <class Vec, int streams, int t>
[[gnu::always_inline]] inline void roundOfStreams(Sha1Lanes<Vec> (&s)[streams], const SeedDay& day) {
  for (int i = 0; i < streams; ++i) {
    s[i].template scheduleWord<t>(day);
    s[i].template round<t>();
  }
}

template <class Vec, int streams, int... t>
[[gnu::always_inline]] inline void roundsFrom9(Sha1Lanes<Vec> (&s)[streams], const SeedDay& day,
                                               std::integer_sequence<int, t...>) {
  (roundOfStreams<Vec, streams, t + 9>(s, day), ...);
}

// Digest words H0 and H1 of streams * lanes moments at timeWords and keyWords. The
// rounds of the streams are interleaved: each round waits on the one before it, so a
// single vector leaves most of the execution units idle.
template <class Vec, int streams>
inline void sha1DigestHeads(const SeedDay& day, const std::uint32_t* timeWords, const std::uint32_t* keyWords,
                            std::uint32_t* h0, std::uint32_t* h1) {
  constexpr std::size_t lanes = Vec::lanes;
  Sha1Lanes<Vec> s[streams];
  for (int i = 0; i < streams; ++i) {
    s[i].w[9] = Vec::load(timeWords + i * lanes);
    s[i].w[12] = Vec::load(keyWords + i * lanes);
    s[i].schedule(day, std::make_integer_sequence<int, 16>{});
    s[i].a = Vec::set1(day.afterRound8[0]);
    s[i].b = Vec::set1(day.afterRound8[1]);
    s[i].c = Vec::set1(day.afterRound8[2]);
    s[i].d = Vec::set1(day.afterRound8[3]);
    s[i].e = Vec::set1(day.afterRound8[4]);
  }
  // Rounds 0 to 8 read only W0 to W8 and ran once for the day. Each later word of the
  // schedule is formed just before its round, which keeps the live data small.
  roundsFrom9<Vec, streams>(s, day, std::make_integer_sequence<int, 71>{});
  for (int i = 0; i < streams; ++i) {
    Vec::store(h0 + i * lanes, Vec::add(s[i].a, Vec::set1(0x67452301)));
    Vec::store(h1 + i * lanes, Vec::add(s[i].b, Vec::set1(0xEFCDAB89)));
  }
}

// Seeds of `count` moments, a group of vectors at a time; the tail runs on zero-padded lanes.
template <class Vec, int streams>
inline void computeSeedsWith(const SeedDay& day, const std::uint32_t* timeWords, const std::uint32_t* keyWords,
                             std::size_t count, InitialSeed* seeds) {
  constexpr std::size_t group = Vec::lanes * streams;
  std::uint32_t h0[group];
  std::uint32_t h1[group];
  for (std::size_t base = 0; base < count; base += group) {
    const std::size_t n = count - base < group ? count - base : group;
    if (n == group) {
      sha1DigestHeads<Vec, streams>(day, timeWords + base, keyWords + base, h0, h1);
    } else {
      std::uint32_t time[group] = {};
      std::uint32_t keys[group] = {};
      for (std::size_t i = 0; i < n; ++i) {
        time[i] = timeWords[base + i];
        keys[i] = keyWords[base + i];
      }
      sha1DigestHeads<Vec, streams>(day, time, keys, h0, h1);
    }
    for (std::size_t i = 0; i < n; ++i) seeds[base + i] = seedFromDigestHeads(h0[i], h1[i]);
  }
}

}  // namespace
}  // namespace hanabira
