// The stage the modes with a prefilter share: the rows of the sequence for a batch of
// seeds, the prefilter's ranges scanned over them by the kernels, and every seed with a
// passing position handed to the mode's exact check, seeds ascending and each seed's
// positions ascending, which is the order of the lines.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "core/initial_seed.h"
#include "core/kernels.h"
#include "evaluate/mode_evaluator.h"
#include "evaluate/prefilter.h"
#include "evaluate/seed_hits.h"
#include "evaluate/sequence_rows.h"

namespace hanabira {

class PrefilterStage {
 public:
  PrefilterStage(const Prefilter& prefilter, const KernelSet& kernels)
      : rows_(prefilter, kernels, maxEvaluationBatch), hits_(static_cast<std::size_t>(prefilter.positions)) {}

  const SequenceRows& rows() const { return rows_; }

  // check(seed, positions) for every seed of the batch that passes somewhere; positions
  // count from rows().first(). Returns the sum of what the checks return (their lines).
  template <class ExactCheck>
  std::size_t run(std::span<const InitialSeed> seeds, ExactCheck&& check) {
    if (rows_.prefilter().findsNothing()) return 0;
    rows_.fill(seeds);
    seedHits_.build(hits_.data(), rows_.scan(hits_.data()));
    std::size_t lines = 0;
    seedHits_.forEachSeed([&](std::size_t seed, std::span<const int> positions) { lines += check(seed, positions); });
    return lines;
  }

 private:
  SequenceRows rows_;
  std::vector<RangeHit> hits_;
  SeedHits seedHits_;
};

}  // namespace hanabira
