// The comet shard search: positions of the personality-value random sequence at which a
// fixed chain of five random tests all succeed. A lead creature with compound eyes moves
// the tests one position earlier and changes what the last two accept.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "core/boot_moment.h"
#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/search_settings.h"
#include "evaluate/iv_rules.h"
#include "evaluate/mode_evaluator.h"
#include "evaluate/prefilter.h"
#include "evaluate/range_filter.h"
#include "evaluate/result_text.h"

namespace hanabira {

// One test of a position: the roll of n of the value `offset` values after the
// position's first test lies in one of the ranges.
struct CometShardRollTest {
  int offset;
  std::uint32_t n;
  std::span<const RollRange> accepts;
};

inline constexpr std::array<RollRange, 1> cometShardFirstAccepts{{{0, 39}}};
inline constexpr std::array<RollRange, 3> cometShardMiddleAccepts{{{0, 320}, {641, 800}, {961, 1280}}};

// The first three tests, which most positions pass.
inline constexpr std::array<CometShardRollTest, 3> cometShardFirstTests{
    {{0, 100, cometShardFirstAccepts}, {1, 1600, cometShardMiddleAccepts}, {3, 1600, cometShardMiddleAccepts}}};

// The last two, rare passes: the rolls of 100 of values 7 and 10, which compound eyes
// widen.
inline constexpr std::array<int, 2> cometShardLastOffsets{7, 10};
constexpr RollRange cometShardLastAccepts(bool compoundEyes) {
  return compoundEyes ? RollRange{80, 84} : RollRange{55, 55};
}

constexpr bool rollAccepted(std::uint32_t roll, RollRange range) { return roll - range.low <= range.high - range.low; }

// The first tests of one position i, from the value at the position's first test on:
// with compound eyes values[0] is R[i], without it R[i + 1]. `values` is anything
// indexable. Every test is evaluated, without a branch: the positions that get here have
// mostly passed the rare last two already, and whether the others pass is a coin toss a
// branch would mispredict.
template <class Values>
constexpr bool cometShardFirstRollsPass(const Values& values) {
  const auto middleRollAccepts = [](std::uint32_t roll) {
    const auto& ranges = cometShardMiddleAccepts;
    // As integers: | of bools reads to the compiler like a mistyped ||.
    return (int{rollAccepted(roll, ranges[0])} | int{rollAccepted(roll, ranges[1])} |
            int{rollAccepted(roll, ranges[2])}) != 0;
  };
  const auto& tests = cometShardFirstTests;
  return (int{rollAccepted(scaledRandom(values[tests[0].offset], tests[0].n), cometShardFirstAccepts[0])} &
          int{middleRollAccepts(scaledRandom(values[tests[1].offset], tests[1].n))} &
          int{middleRollAccepts(scaledRandom(values[tests[2].offset], tests[2].n))}) != 0;
}

template <class Values>
constexpr bool cometShardFound(const Values& values, bool compoundEyes) {
  bool passes = cometShardFirstRollsPass(values);
  for (const int offset : cometShardLastOffsets) {
    passes &= rollAccepted(scaledRandom(values[offset], 100), cometShardLastAccepts(compoundEyes));
  }
  return passes;
}

struct CometShardMatch {
  int position;
};

// "…,position,seed"
void appendCometShardSearchLine(const ResultText& text, std::string& out, const BootMoment& moment, InitialSeed seed,
                                const CometShardMatch& match);

std::optional<Prefilter> cometShardSearchPrefilter(const SearchSettings& settings);
std::unique_ptr<ModeEvaluator> makeCometShardSearchEvaluator(const SearchSettings& settings, const ResultText& text,
                                                             const KernelSet& kernels);
std::size_t cometShardSearchReference(const SearchSettings& settings, const ResultText& text, const BootMoment& moment,
                                      InitialSeed seed, std::string& out);

}  // namespace hanabira
