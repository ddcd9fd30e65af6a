// The rows of a prefilter's random sequence for a batch of seeds: row r holds position
// first + r of every seed of the batch. The individual-value rows are computed and kept
// in the layout the kernels write and scan; the personality-value rows are scanned as
// the kernel makes them and never stored, a value asked for later being one jump from
// its seed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/lcg64.h"
#include "core/mt_span.h"
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
  std::size_t scan(RangeHit* hits);

  // first() <= position < first() + rowCount, for seed `seed` of the batch.
  std::uint32_t at(std::size_t seed, std::int64_t position) const {
    const auto row = static_cast<std::size_t>(position - first());
    if (prefilter_.sequence == RandomSequence::Personality) return Lcg64::output(jumps_[row].apply(seeds_[seed]));
    return mtRows_[row * count_ + seed];
  }

 private:
  void fillIndividual(std::span<const InitialSeed> seeds);
  LcgScan lcgScan() const;

  Prefilter prefilter_;
  const KernelSet& kernels_;
  std::size_t count_ = 0;
  // The personality-value sequence: the batch's seeds, the jump from a seed to each row,
  // and the kernel's tests, counted from the nearest row they read, where it starts.
  std::vector<Lcg64::Jump> jumps_;
  std::vector<InitialSeed> seeds_;
  std::vector<RangeTest> scanTests_;
  std::optional<HalvesTest> scanHalves_;
  Lcg64::Jump scanStart_;
  std::vector<std::uint64_t> scratch_;
  // The individual-value rows; positions past the kernels' reach come a seed at a time.
  MtOutputSpan mtSpan_;
  std::vector<std::uint32_t> mtSeeds_;
  std::vector<std::uint32_t> seedColumn_;
  std::vector<std::uint32_t> mtRows_;
};

}  // namespace hanabira
