// The individual-value stage of the IV-based modes for a batch of seeds: the outputs of
// the individual-value random sequence that the configured positions read, computed only
// as far as read, in rows the kernels write and scan (row r: position first + r of every
// seed of the batch).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/mt_window.h"
#include "core/search_settings.h"
#include "evaluate/iv_rules.h"
#include "evaluate/range_filter.h"

namespace hanabira {

class IvDraws {
 public:
  IvDraws(const SearchSettings& settings, const KernelSet& kernels, std::size_t maxSeeds);

  // No position in the range: such a search finds nothing.
  bool empty() const { return empty_; }
  int firstPosition() const { return firstPosition_; }
  int lastPosition() const { return lastPosition_; }
  int positionCount() const { return empty_ ? 0 : lastPosition_ - firstPosition_ + 1; }

  // The row, relative to a drawing position, from which each stat (H, A, B, C, D, S)
  // takes its value; a roaming encounter passes one over and fills D, S, C last.
  const std::array<int, 6>& statRows() const { return statRows_; }

  // MT19937 is seeded with the upper half of each initial seed.
  void fill(std::span<const InitialSeed> seeds);

  // The six values drawn at a position of the range for seed `seed` of the batch.
  IvSet at(std::size_t seed, int position) const {
    const std::uint32_t* column = &rows_[static_cast<std::size_t>(position - firstPosition_) * count_ + seed];
    IvSet ivs;
    for (int k = 0; k < 6; ++k) ivs[k] = ivOf(column[static_cast<std::size_t>(statRows_[k]) * count_]);
    return ivs;
  }

  // The drawing positions (hit positions count from firstPosition()) at which the
  // filter, written against statRows(), passes; the filter must not be impossible.
  std::size_t scan(const RangeFilter& filter, RangeHit* hits) const {
    return kernels_.scanRanges(rows_.data(), count_, positionCount(), filter.tests(), filter.testCount(), hits);
  }

 private:
  bool empty_;
  int firstPosition_;
  int lastPosition_;
  std::array<int, 6> statRows_;
  const KernelSet& kernels_;
  MtOutputWindow window_;  // positions past the kernels' reach, a seed at a time
  std::vector<std::uint32_t> seedColumn_;
  std::vector<std::uint32_t> mtSeeds_;
  std::vector<std::uint32_t> rows_;
  std::size_t count_ = 0;
};

// The bounds of the settings on the values drawn, as range tests.
RangeFilter ivBoundsFilter(const SearchSettings& settings, const IvDraws& draws);

}  // namespace hanabira
