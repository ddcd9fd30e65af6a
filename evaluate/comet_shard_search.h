// The comet shard search: positions of the personality-value random sequence at which a
// fixed chain of five random tests all succeed. A lead creature with compound eyes moves
// the tests one position earlier and changes what the last two accept.
#pragma once

#include <cstdint>

#include <vector>

#include "core/pid_rows.h"
#include "evaluate/iv_rules.h"
#include "evaluate/mode_evaluator.h"
#include "evaluate/range_filter.h"

namespace hanabira {

// The rolls of one position i, from the value at the position's first test on: with
// compound eyes values[0] is R[i], without it R[i + 1]. `values` is anything indexable;
// the tests stop at the first that fails, so later values may never be read.
template <class Values>
constexpr bool cometShardFound(const Values& values, bool compoundEyes) {
  const auto lastRollAccepts = [compoundEyes](std::uint32_t roll) {
    return compoundEyes ? (roll >= 80 && roll <= 84) : roll == 55;
  };
  const auto middleRollAccepts = [](std::uint32_t roll) {
    return roll <= 320 || (roll >= 641 && roll <= 800) || (roll >= 961 && roll <= 1280);
  };
  // The rarest tests first.
  return lastRollAccepts(scaledRandom(values[7], 100)) && lastRollAccepts(scaledRandom(values[10], 100)) &&
         scaledRandom(values[0], 100) <= 39 && middleRollAccepts(scaledRandom(values[1], 1600)) &&
         middleRollAccepts(scaledRandom(values[3], 1600));
}

class CometShardSearchEvaluator final : public ModeEvaluator {
 public:
  CometShardSearchEvaluator(const SearchSettings& settings, const ResultFormatter& formatter, const KernelSet& kernels);

  std::size_t evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, std::string& out) override;

 private:
  const SearchSettings& settings_;
  const ResultFormatter& formatter_;
  bool empty_;
  PidRows values_;  // from the first test of the first position on, for the whole batch
  std::vector<RangeHit> hits_;
  std::vector<std::size_t> found_;  // seed << 16 | position of each find in a batch
};

std::size_t cometShardSearchReference(const SearchSettings& settings, const ResultFormatter& formatter,
                                      const SearchCursor& moment, InitialSeed seed, std::string& out);

}  // namespace hanabira
