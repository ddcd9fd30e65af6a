// Filters of a mode written as ranges of raw 32-bit random values, for the range scan
// kernel: an individual value (the top five bits) within bounds, a scaled roll within
// bounds. A filter that no value can pass makes the whole filter impossible; one that
// every value passes is left out.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/kernels.h"

namespace hanabira {

// The rolls from low to high, both included, of scaledRandom(value, n).
struct RollRange {
  std::uint32_t low;
  std::uint32_t high;
};

// A test that passes when the value of its row lies in any of the ranges, all of one row.
struct RangeChoice {
  std::vector<RangeTest> anyOf;
};

class RangeFilter {
 public:
  // The value of row position + rowOffset has an individual value from min to max.
  void requireIv(int rowOffset, int min, int max);
  // scaledRandom(value, n) of row position + rowOffset is from low to high.
  void requireScaled(int rowOffset, std::uint32_t n, std::uint32_t low, std::uint32_t high);
  // scaledRandom(value, n) of row position + rowOffset is in one of `rolls`. Most
  // positions pass such a test, so the range scan leaves it to the mode's exact check;
  // a backend that tests each position on its own (a device) applies it before listing
  // the position, so that fewer candidates reach the CPU.
  void requireScaledAnyOf(int rowOffset, std::uint32_t n, std::span<const RollRange> rolls);

  bool impossible() const { return impossible_; }
  const RangeTest* tests() const { return tests_.data(); }
  int testCount() const { return static_cast<int>(tests_.size()); }
  const std::vector<RangeChoice>& choices() const { return choices_; }

 private:
  void require(int rowOffset, std::uint64_t low, std::uint64_t high);

  std::vector<RangeTest> tests_;
  std::vector<RangeChoice> choices_;
  bool impossible_ = false;
};

}  // namespace hanabira
