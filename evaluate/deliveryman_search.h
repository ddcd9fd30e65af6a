// The deliveryman search: the deliveryman's creature takes its six individual values
// (the top five bits of six consecutive values), its nature and, in the regional
// distribution, its PID from the personality-value random sequence; the
// individual-value random sequence plays no part.
#pragma once

#include <cstdint>

#include <vector>

#include "core/pid_rows.h"
#include "core/pid_window.h"
#include "evaluate/mode_evaluator.h"
#include "evaluate/range_filter.h"
#include "evaluate/seed_hits.h"

namespace hanabira {

class DeliverymanSearchEvaluator final : public ModeEvaluator {
 public:
  DeliverymanSearchEvaluator(const SearchSettings& settings, const ResultFormatter& formatter,
                             const KernelSet& kernels);

  std::size_t evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, std::string& out) override;

 private:
  // Seed `seed` of the batch, at the positions that pass the range tests.
  std::size_t evaluateSeed(std::size_t seed, std::span<const int> positions, const MomentBatch& moments,
                           InitialSeed initialSeed, std::string& out);
  // values[k] = R[i + k] and nature = R[i + deliveryNaturePosition] for one position i.
  bool matches(const std::uint32_t* values, std::uint32_t nature, IvSet& ivs, HiddenPower& hiddenPower) const;

  const SearchSettings& settings_;
  const ResultFormatter& formatter_;
  bool empty_;
  std::uint32_t trainerValue_;
  // The values from the first H value on, for the whole batch; they hold the natures too
  // unless the nature lies far behind, where a window of a seed's own starts with a jump.
  PidRows values_;
  bool separateNatures_;
  PidWindow natures_;
  RangeFilter filter_;  // the six values' bounds, and the nature where the rows hold it
  std::vector<RangeHit> hits_;
  SeedHits seedHits_;
};

std::size_t deliverymanSearchReference(const SearchSettings& settings, const ResultFormatter& formatter,
                                       const SearchCursor& moment, InitialSeed seed, std::string& out);

}  // namespace hanabira
