// The stage the modes with a prefilter share: the rows of the sequence for a batch of
// seeds, the prefilter's ranges scanned over them by the kernels, and every seed with a
// passing position handed to the mode's exact check, seeds ascending and each seed's
// positions ascending, which is the order of the lines.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
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

  // The seeds of the batch that pass somewhere, with their positions (counted from
  // rows().first()); valid until the next batch.
  const SeedHits& find(std::span<const InitialSeed> seeds) {
    if (rows_.prefilter().findsNothing()) {
      seedHits_.build(hits_.data(), 0);
    } else {
      rows_.fill(seeds);
      seedHits_.build(hits_.data(), rows_.scan(hits_.data()));
    }
    return seedHits_;
  }

  // check(seed, positions) for every seed of the batch that passes somewhere, in order.
  template <class ExactCheck>
  void run(std::span<const InitialSeed> seeds, ExactCheck&& check) {
    if (rows_.prefilter().findsNothing()) return;
    find(seeds).forEachSeed(check);
  }

  // For a mode whose exact check is a yes or no on one position and whose finds are
  // rarer than its hits: accepts(seed, position) where the scan found them, then
  // write(seed, position) for the finds in the order of the lines.
  // The hits are listed first, then checked in a loop of their own that keeps the finds
  // without a branch: no branch predicts which hits pass.
  template <class Accepts, class Write>
  void runOnFinds(std::span<const InitialSeed> seeds, Accepts&& accepts, Write&& write) {
    if (rows_.prefilter().findsNothing()) return;
    rows_.fill(seeds);
    const std::size_t hitCount = rows_.scan(hits_.data());
    candidates_.clear();
    for (std::size_t h = 0; h < hitCount; ++h) {
      const RangeHit& hit = hits_[h];
      // The words with seeds, noted without a branch: a hit mostly has a single seed, in
      // any of the four.
      unsigned words = 0;
      for (unsigned w = 0; w < 4; ++w) words |= (hit.seeds[w] != 0 ? 1u : 0u) << w;
      for (; words != 0; words &= words - 1) {
        const auto w = static_cast<std::size_t>(std::countr_zero(words));
        for (std::uint64_t bits = hit.seeds[w]; bits != 0; bits &= bits - 1) {
          const std::size_t seed = 64 * w + static_cast<std::size_t>(std::countr_zero(bits));
          candidates_.push_back(static_cast<std::uint64_t>(seed) << 32 | static_cast<std::uint32_t>(hit.position));
        }
      }
    }
    if (finds_.size() < candidates_.size()) finds_.resize(candidates_.size());
    std::size_t findCount = 0;
    for (const std::uint64_t candidate : candidates_) {
      finds_[findCount] = candidate;
      findCount += accepts(static_cast<std::size_t>(candidate >> 32), static_cast<int>(candidate & 0xFFFFFFFF)) ? 1 : 0;
    }
    std::sort(finds_.begin(), finds_.begin() + static_cast<std::ptrdiff_t>(findCount));  // by seed, then position
    for (std::size_t f = 0; f < findCount; ++f)
      write(static_cast<std::size_t>(finds_[f] >> 32), static_cast<int>(finds_[f] & 0xFFFFFFFF));
  }

 private:
  SequenceRows rows_;
  std::vector<RangeHit> hits_;
  SeedHits seedHits_;
  std::vector<std::uint64_t> candidates_;  // seed << 32 | position
  std::vector<std::uint64_t> finds_;       // the same, of the candidates accepted
};

}  // namespace hanabira
