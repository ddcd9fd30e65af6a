// The rows of a prefilter's random sequence for a batch of seeds, in the layout the
// kernels write and scan: row r holds position first + r of every seed of the batch,
// computed only as far as read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/mt_window.h"
#include "core/pid_rows.h"
#include "evaluate/prefilter.h"

namespace hanabira {

class SequenceRows {
 public:
  SequenceRows(const Prefilter& prefilter, const KernelSet& kernels, std::size_t maxSeeds);

  const Prefilter& prefilter() const { return prefilter_; }
  std::int64_t first() const { return prefilter_.first; }

  void fill(std::span<const InitialSeed> seeds);

  // The start positions (counted from first()) at which every test passes, with their
  // seeds; returns how many hits it wrote. The filter must not be impossible.
  std::size_t scan(RangeHit* hits) const;

  // first() <= position < first() + rowCount, for seed `seed` of the batch.
  std::uint32_t at(std::size_t seed, std::int64_t position) const {
    if (prefilter_.sequence == RandomSequence::Personality) return pidRows_.at(seed, position);
    return mtRows_[static_cast<std::size_t>(position - first()) * count_ + seed];
  }

 private:
  void fillIndividual(std::span<const InitialSeed> seeds);

  Prefilter prefilter_;
  const KernelSet& kernels_;
  PidRows pidRows_;  // the personality-value rows, with the filter's ranges noted
  // The individual-value rows; positions past the kernels' reach come a seed at a time.
  MtOutputWindow mtWindow_;
  std::vector<std::uint32_t> mtSeeds_;
  std::vector<std::uint32_t> seedColumn_;
  std::vector<std::uint32_t> mtRows_;
  std::size_t count_ = 0;
};

}  // namespace hanabira
