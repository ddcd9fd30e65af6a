// Stage two of the two-stage plan, in a worker: of each batch of boot moments only those
// whose MT seed (the upper half of the initial seed) passed stage one go on to the mode's
// exact evaluation. They are gathered, in the order of the search, into full batches, so
// that the evaluation's kernels run as wide as in the direct plan.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/boot_moment.h"
#include "core/initial_seed.h"
#include "core/moment_batch.h"
#include "engine/mt_seed_set.h"
#include "evaluate/mode_evaluator.h"

namespace hanabira {

class MemberFilter {
 public:
  MemberFilter(const MtSeedSet& members, ModeEvaluator& evaluator) : members_(members), evaluator_(evaluator) {}

  // Keeps the members among the batch's moments, evaluating them into `out` whenever a
  // full batch has gathered.
  void add(const MomentBatch& moments, std::span<const InitialSeed> seeds, LineOutput& out) {
    // The bitmap first, without a branch; the buckets only for the few it lets through.
    std::size_t candidates = 0;
    for (std::size_t i = 0; i < seeds.size(); ++i) {
      candidates_[candidates] = static_cast<std::uint16_t>(i);
      candidates += members_.mayContain(mtSeedOf(seeds[i])) ? 1 : 0;
    }
    for (std::size_t c = 0; c < candidates; ++c) {
      const std::size_t i = candidates_[c];
      if (!members_.contains(mtSeedOf(seeds[i]))) continue;
      moments_[count_] = moments[i];
      seeds_[count_] = seeds[i];
      if (++count_ == maxEvaluationBatch) flush(out);
    }
  }

  // Evaluates the members gathered so far into `out`.
  void flush(LineOutput& out) {
    if (count_ == 0) return;
    evaluator_.evaluate(MomentList(std::span(moments_.data(), count_)), std::span(seeds_.data(), count_), out);
    count_ = 0;
  }

 private:
  static std::uint32_t mtSeedOf(InitialSeed seed) { return static_cast<std::uint32_t>(seed >> 32); }

  const MtSeedSet& members_;
  ModeEvaluator& evaluator_;
  std::array<std::uint16_t, maxEvaluationBatch> candidates_;
  std::array<BootMoment, maxEvaluationBatch> moments_;
  std::array<InitialSeed, maxEvaluationBatch> seeds_;
  std::size_t count_ = 0;
};

}  // namespace hanabira
