// SHA-1 rounds 9 to 79 of the boot message for a vector of boot moments of one day, and
// the step from the digest to the initial seed. One template for every level: `Vec` is
// one of the vector interfaces (vec_scalar.h, vec_avx2.h, vec_avx512.h). Internal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <tuple>
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
    roundWith<t>(w[t]);
  }

  template <int t>
  [[gnu::always_inline]] void roundWith(V word) {
    roundInPlace<t>(a, b, c, d, e, word);
    const V sum = e;
    e = d;
    d = c;
    c = b;
    b = a;
    a = sum;
  }

  // Round t with the working variables in the roles given: e takes the round's sum and b
  // turns by 30, so that five rounds in a row leave every variable where it began.
  template <int t>
  [[gnu::always_inline]] static void roundInPlace(V a, V& b, V c, V d, V& e, V word) {
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
    e = Vec::add(Vec::add(Vec::template rotl<5>(a), f), Vec::add(Vec::add(e, Vec::set1(k)), word));
    b = Vec::template rotl<30>(b);
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

// Round t (12 to 79) of every stream of moments of one time: W[t] is the time's word, XOR
// the keys' share where it has one (read from the stream's lanes of row t - 12).
template <class Vec, int streams, int t>
[[gnu::always_inline]] inline void maskRoundOfStreams(Sha1Lanes<Vec> (&s)[streams], const SeedTime& time,
                                                      const std::uint32_t* keys, std::size_t stride) {
  for (int i = 0; i < streams; ++i) {
    if constexpr (scheduleReadsKeys(t)) {
      const std::uint32_t* row = keys + static_cast<std::size_t>(t - 12) * stride + i * Vec::lanes;
      s[i].template roundWith<t>(Vec::bxor(Vec::set1(time.schedule[t]), Vec::load(row)));
    } else {
      s[i].template roundWith<t>(Vec::set1(time.schedule[t]));
    }
  }
}

template <class Vec, int streams, int... t>
[[gnu::always_inline]] inline void maskRoundsFrom12(Sha1Lanes<Vec> (&s)[streams], const SeedTime& time,
                                                    const std::uint32_t* keys, std::size_t stride,
                                                    std::integer_sequence<int, t...>) {
  (maskRoundOfStreams<Vec, streams, t + 12>(s, time, keys, stride), ...);
}

// How the mask kernel lays out rounds 20 to 79. Unrolled suits compilers that see the
// whole function ahead of time. V8 does better with loops of five rounds: unrolled, it
// moves every load of the key rows to the top, holds what it loaded on the stack and, in
// the newer V8 of the browsers, runs the kernel at two thirds of the loop's speed.
enum class MaskRounds { unrolled, fiveAtATime };

// Rounds first to first + 19 (20, 40 or 60: one round function) of every stream, five in
// each turn of a loop. Every round reads its row of the keys' shares, zero where the
// keys have none.
template <class Vec, int streams, int first>
[[gnu::always_inline]] inline void maskRoundsInFives(Sha1Lanes<Vec> (&s)[streams], const SeedTime& time,
                                                     const std::uint32_t* keys, std::size_t stride) {
  for (int t = first; t < first + 20; t += 5) {
    const std::uint32_t* rows = keys + static_cast<std::size_t>(t - 12) * stride;
    const auto word = [&](int r, int i) {
      return Vec::bxor(Vec::set1(time.schedule[t + r]), Vec::load(rows + r * stride + i * Vec::lanes));
    };
    const auto round = [&](int r, auto role) {
      for (int i = 0; i < streams; ++i) {
        auto& x = s[i];
        auto [a, b, c, d, e] = role(x);
        Sha1Lanes<Vec>::template roundInPlace<first>(a, b, c, d, e, word(r, i));
      }
    };
    round(0, [](auto& x) { return std::tie(x.a, x.b, x.c, x.d, x.e); });
    round(1, [](auto& x) { return std::tie(x.e, x.a, x.b, x.c, x.d); });
    round(2, [](auto& x) { return std::tie(x.d, x.e, x.a, x.b, x.c); });
    round(3, [](auto& x) { return std::tie(x.c, x.d, x.e, x.a, x.b); });
    round(4, [](auto& x) { return std::tie(x.b, x.c, x.d, x.e, x.a); });
  }
}

// Digest words H0 and H1 of the streams * lanes moments of one time whose keys' shares
// start at `keys` in each row. No schedule is kept: every word is a load and an XOR.
template <class Vec, int streams, MaskRounds layout>
inline void sha1MaskHeads(const SeedTime& time, const std::uint32_t* keys, std::size_t stride, std::uint32_t* h0,
                          std::uint32_t* h1) {
  constexpr std::size_t lanes = Vec::lanes;
  Sha1Lanes<Vec> s[streams];
  for (int i = 0; i < streams; ++i) {
    s[i].a = Vec::set1(time.afterRound11[0]);
    s[i].b = Vec::set1(time.afterRound11[1]);
    s[i].c = Vec::set1(time.afterRound11[2]);
    s[i].d = Vec::set1(time.afterRound11[3]);
    s[i].e = Vec::set1(time.afterRound11[4]);
  }
  if constexpr (layout == MaskRounds::unrolled) {
    maskRoundsFrom12<Vec, streams>(s, time, keys, stride, std::make_integer_sequence<int, 68>{});
  } else {
    maskRoundsFrom12<Vec, streams>(s, time, keys, stride, std::make_integer_sequence<int, 8>{});
    maskRoundsInFives<Vec, streams, 20>(s, time, keys, stride);
    maskRoundsInFives<Vec, streams, 40>(s, time, keys, stride);
    maskRoundsInFives<Vec, streams, 60>(s, time, keys, stride);
  }
  for (int i = 0; i < streams; ++i) {
    Vec::store(h0 + i * lanes, Vec::add(s[i].a, Vec::set1(0x67452301)));
    Vec::store(h1 + i * lanes, Vec::add(s[i].b, Vec::set1(0xEFCDAB89)));
  }
}

// Seeds of `count` masks of one time, a group of vectors at a time; the last group or
// vector reads into the rows' margin.
template <class Vec, int streams, MaskRounds layout = MaskRounds::unrolled>
inline void computeMaskSeedsWith(const SeedTime& time, const std::uint32_t* keys, std::size_t stride,
                                 std::size_t firstMask, std::size_t count, InitialSeed* seeds) {
  constexpr std::size_t lanes = Vec::lanes;
  constexpr std::size_t group = lanes * streams;
  static_assert(group <= keyScheduleMargin);
  std::uint32_t h0[group];
  std::uint32_t h1[group];
  std::size_t base = 0;
  for (; base + group <= count; base += group) {
    sha1MaskHeads<Vec, streams, layout>(time, keys + firstMask + base, stride, h0, h1);
    for (std::size_t i = 0; i < group; ++i) seeds[base + i] = seedFromDigestHeads(h0[i], h1[i]);
  }
  const std::size_t rest = count - base;
  if (rest == 0) return;
  // A rest of more than one vector runs as a whole group, whose streams overlap: several
  // single vectors would each wait on their own chain of rounds.
  if (rest > lanes) {
    sha1MaskHeads<Vec, streams, layout>(time, keys + firstMask + base, stride, h0, h1);
  } else {
    sha1MaskHeads<Vec, 1, layout>(time, keys + firstMask + base, stride, h0, h1);
  }
  for (std::size_t i = 0; i < rest; ++i) seeds[base + i] = seedFromDigestHeads(h0[i], h1[i]);
}

}  // namespace
}  // namespace hanabira
