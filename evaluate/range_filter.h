// Filters of a mode written as ranges of raw 32-bit random values, for the range scan
// kernel: an individual value (the top five bits) within bounds, a scaled roll within
// bounds. A filter that no value can pass makes the whole filter impossible; one that
// every value passes is left out.
#pragma once

#include <cstdint>
#include <vector>

#include "core/kernels.h"

namespace hanabira {

class RangeFilter {
 public:
  // The value of row position + rowOffset has an individual value from min to max.
  void requireIv(int rowOffset, int min, int max);
  // scaledRandom(value, n) of row position + rowOffset is from low to high.
  void requireScaled(int rowOffset, std::uint32_t n, std::uint32_t low, std::uint32_t high);

  bool impossible() const { return impossible_; }
  const RangeTest* tests() const { return tests_.data(); }
  int testCount() const { return static_cast<int>(tests_.size()); }

 private:
  void require(int rowOffset, std::uint64_t low, std::uint64_t high);

  std::vector<RangeTest> tests_;
  bool impossible_ = false;
};

}  // namespace hanabira
