// The part of the personality-value random sequence a mode reads, for a whole batch of
// seeds at once: row r holds the value at position first + r of every seed, in the
// layout the kernels write. Each seed reaches `first` with one jump.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/lcg64.h"

namespace hanabira {

class PidRows {
 public:
  // Positions first to first + length - 1, for batches of up to maxSeeds seeds.
  PidRows(std::int64_t first, std::size_t length, std::size_t maxSeeds, const KernelSet& kernels);

  void fill(std::span<const InitialSeed> seeds);

  std::int64_t first() const { return first_; }
  std::size_t length() const { return length_; }
  std::size_t seedCount() const { return count_; }
  // Row r: the values of position first() + r, seedCount() of them.
  const std::uint32_t* row(std::size_t r) const { return rows_.data() + r * count_; }
  // first() <= position < first() + length().
  std::uint32_t at(std::size_t seed, std::int64_t position) const {
    return rows_[static_cast<std::size_t>(position - first_) * count_ + seed];
  }

 private:
  std::int64_t first_;
  std::size_t length_;
  Lcg64::Jump toFirst_;
  const KernelSet& kernels_;
  std::size_t count_ = 0;
  std::vector<std::uint64_t> states_;
  std::vector<std::uint32_t> rows_;
};

}  // namespace hanabira
