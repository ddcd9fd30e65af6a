// The part of the personality-value random sequence a mode reads, for a whole batch of
// seeds at once: row r holds the value at position first + r of every seed, in the
// layout the kernels write and scan. Each seed reaches `first` with one jump. A filter
// given up front is applied as the rows are made: the kernel notes which seeds' values
// lie in each of the filter's ranges, and the filter's tests then combine those notes.
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
  // Positions first to first + length - 1, for batches of up to maxSeeds seeds; `filter`
  // holds tests on the rows (row offsets from a start position).
  PidRows(std::int64_t first, std::size_t length, std::size_t maxSeeds, const KernelSet& kernels,
          std::span<const RangeTest> filter = {});

  void fill(std::span<const InitialSeed> seeds);

  std::int64_t first() const { return first_; }
  std::size_t length() const { return length_; }
  std::size_t seedCount() const { return count_; }
  // first() <= position < first() + length().
  std::uint32_t at(std::size_t seed, std::int64_t position) const {
    return rows_[static_cast<std::size_t>(position - first_) * count_ + seed];
  }

  // The start positions, 0 to positions - 1 counted from first(), at which every test of
  // the filter passes, with their seeds; returns how many hits it wrote.
  std::size_t scanFilter(int positions, RangeHit* hits) const;

 private:
  std::int64_t first_;
  std::size_t length_;
  Lcg64::Jump toFirst_;
  const KernelSet& kernels_;
  std::vector<RangeTest> tests_;
  std::vector<ValueRange> ranges_;  // the tests' distinct ranges, noted by the kernel
  std::vector<int> rangeOfTest_;
  std::size_t count_ = 0;
  std::vector<std::uint64_t> states_;
  std::vector<std::uint32_t> rows_;
  std::vector<std::uint64_t> masks_;
};

}  // namespace hanabira
