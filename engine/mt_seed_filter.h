// MT19937 seeds through a mode's prefilter on the individual-value rows, with the kernels
// of one level: which seeds pass at some position. A seed that passes nowhere makes no
// line at any boot moment, whatever its initial seed's lower half. One per thread: it
// keeps the rows of a batch.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/initial_seed.h"
#include "core/kernels.h"
#include "evaluate/prefilter.h"
#include "evaluate/sequence_rows.h"

namespace hanabira {

class MtSeedFilter {
 public:
  // The prefilter reads the individual-value sequence.
  MtSeedFilter(const Prefilter& prefilter, const KernelSet& kernels);

  // Calls keep(seed) for the seeds first to first + count - 1 that pass, ascending
  // (count <= maxScanSeeds).
  template <class Keep>
  void scan(std::uint32_t first, std::size_t count, Keep&& keep) {
    for (std::size_t i = 0; i < count; ++i) seeds_[i] = static_cast<InitialSeed>(first + i) << 32;
    const std::array<std::uint64_t, 4> passed = passing(count);
    for (std::size_t w = 0; w < 4; ++w) {
      for (std::uint64_t bits = passed[w]; bits != 0; bits &= bits - 1) {
        keep(first + static_cast<std::uint32_t>(64 * w + static_cast<std::size_t>(std::countr_zero(bits))));
      }
    }
  }

  // How many of `seeds` pass.
  std::size_t countPassing(std::span<const std::uint32_t> seeds);

 private:
  // Bit i: seed i of the batch in seeds_ passes.
  std::array<std::uint64_t, 4> passing(std::size_t count);

  SequenceRows rows_;
  std::vector<RangeHit> hits_;
  std::array<InitialSeed, maxScanSeeds> seeds_;  // the MT seeds as the upper halves the rows read
};

}  // namespace hanabira
