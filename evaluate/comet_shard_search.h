// The comet shard search: positions of the personality-value random sequence at which a
// fixed chain of five random tests all succeed. A lead creature with compound eyes moves
// the tests one position earlier and changes what the last two accept.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/boot_moment.h"
#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/search_settings.h"
#include "evaluate/iv_rules.h"
#include "evaluate/mode_evaluator.h"
#include "evaluate/prefilter.h"
#include "evaluate/result_text.h"

namespace hanabira {

// The rolls of one position i, from the value at the position's first test on: with
// compound eyes values[0] is R[i], without it R[i + 1]. `values` is anything indexable.
// Every test is evaluated, without a branch: the positions that get here have mostly
// passed the rare last two already, and whether the others pass is a coin toss a branch
// would mispredict.
template <class Values>
constexpr bool cometShardFirstRollsPass(const Values& values) {
  const auto middleRollAccepts = [](std::uint32_t roll) {
    return (roll <= 320) | (roll - 641 <= 800 - 641) | (roll - 961 <= 1280 - 961);
  };
  return (scaledRandom(values[0], 100) <= 39) & middleRollAccepts(scaledRandom(values[1], 1600)) &
         middleRollAccepts(scaledRandom(values[3], 1600));
}

template <class Values>
constexpr bool cometShardFound(const Values& values, bool compoundEyes) {
  const auto lastRollAccepts = [compoundEyes](std::uint32_t roll) {
    return compoundEyes ? (roll - 80 <= 4) : roll == 55;
  };
  return lastRollAccepts(scaledRandom(values[7], 100)) & lastRollAccepts(scaledRandom(values[10], 100)) &
         cometShardFirstRollsPass(values);
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
