// The hits of a range scan turned around: the seeds with any passing position, in
// ascending order, and for each of them its passing positions in ascending order, which
// is the order its lines are written in. Mostly few seeds pass anywhere; the work is in
// proportion to them, not to the batch.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/kernels.h"

namespace hanabira {

class SeedHits {
 public:
  void build(const RangeHit* hits, std::size_t hitCount);

  bool empty() const { return seedCount_ == 0; }

  // The passing positions of one seed, none for a seed without hits.
  std::span<const int> positionsOf(std::size_t seed) const {
    if ((seeds_[seed / 64] >> (seed % 64) & 1) == 0) return {};
    const std::size_t rank = rank_[seed];
    return {positions_.data() + start_[rank], start_[rank + 1] - start_[rank]};
  }

  // Calls f(seed, positions) for every seed with hits, in ascending seed order; positions
  // count from the first position scanned.
  template <class F>
  void forEachSeed(F&& f) const {
    std::size_t rank = 0;
    for (std::size_t w = 0; w < 4; ++w) {
      for (std::uint64_t bits = seeds_[w]; bits != 0; bits &= bits - 1, ++rank) {
        const std::size_t seed = 64 * w + static_cast<std::size_t>(std::countr_zero(bits));
        f(seed, std::span<const int>(positions_.data() + start_[rank], start_[rank + 1] - start_[rank]));
      }
    }
  }

 private:
  std::uint64_t seeds_[4] = {0, 0, 0, 0};  // the seeds with hits
  std::size_t seedCount_ = 0;
  std::array<std::uint32_t, maxScanSeeds + 1> start_{};  // by a seed's rank among those with hits
  std::array<std::uint32_t, maxScanSeeds> next_{};
  std::array<std::uint16_t, maxScanSeeds> rank_{};  // of the seeds with hits, by seed
  std::vector<int> positions_;                      // grows to the most hits a batch has had, then stays
};

}  // namespace hanabira
