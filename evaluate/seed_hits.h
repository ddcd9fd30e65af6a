// The hits of a range scan turned around: for each seed of the batch, its passing
// positions in ascending order, which is the order its lines are written in.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/kernels.h"

namespace hanabira {

class SeedHits {
 public:
  void build(const RangeHit* hits, std::size_t hitCount, std::size_t seedCount);

  // No seed passed anywhere: the common case of a strict filter.
  bool empty() const { return empty_; }

  // Positions as the hits count them (from the first position scanned).
  std::span<const int> positionsOf(std::size_t seed) const {
    if (empty_) return {};
    return {positions_.data() + start_[seed], start_[seed + 1] - start_[seed]};
  }

 private:
  std::array<std::uint32_t, maxScanSeeds + 1> start_{};
  std::array<std::uint32_t, maxScanSeeds> next_{};
  bool empty_ = true;
  std::vector<int> positions_;  // grows to the most hits a batch has had, then stays
};

}  // namespace hanabira
