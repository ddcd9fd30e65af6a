#include "evaluate/range_filter.h"

#include <algorithm>

namespace hanabira {

void RangeFilter::require(int rowOffset, std::uint64_t low, std::uint64_t high) {
  if (low > high) {
    impossible_ = true;
  } else if (low > 0 || high < 0xFFFFFFFF) {
    tests_.push_back({rowOffset, static_cast<std::uint32_t>(low), static_cast<std::uint32_t>(high)});
  }
}

void RangeFilter::requireIv(int rowOffset, int min, int max) {
  if (min > max || max < 0 || min > 31) {
    impossible_ = true;
    return;
  }
  const auto low = static_cast<std::uint64_t>(std::max(min, 0));
  const auto high = static_cast<std::uint64_t>(std::min(max, 31));
  require(rowOffset, low << 27, (high << 27) | 0x07FFFFFF);
}

void RangeFilter::requireScaled(int rowOffset, std::uint32_t n, std::uint32_t low, std::uint32_t high) {
  if (low > high || low >= n) {
    impossible_ = true;
    return;
  }
  // floor(r * n / 2^32) >= low  <=>  r >= ceil(low * 2^32 / n), and likewise for high + 1.
  const auto ceilOf = [n](std::uint64_t k) { return ((k << 32) + n - 1) / n; };
  const std::uint64_t last = high + 1 >= n ? 0xFFFFFFFF : ceilOf(high + 1) - 1;
  require(rowOffset, ceilOf(low), last);
}

}  // namespace hanabira
