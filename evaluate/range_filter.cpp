#include "evaluate/range_filter.h"

#include <algorithm>
#include <optional>

namespace hanabira {
namespace {

struct RawRange {
  std::uint64_t low;
  std::uint64_t high;

  bool everyValue() const { return low == 0 && high == 0xFFFFFFFF; }
};

// The raw values whose scaled roll of n lies in `rolls`; none when no value gives one.
std::optional<RawRange> rawValuesOf(std::uint32_t n, RollRange rolls) {
  if (rolls.low > rolls.high || rolls.low >= n) return std::nullopt;
  // floor(r * n / 2^32) >= low  <=>  r >= ceil(low * 2^32 / n), and likewise for high + 1.
  const auto ceilOf = [n](std::uint64_t k) { return ((k << 32) + n - 1) / n; };
  const std::uint64_t last = rolls.high + 1 >= n ? 0xFFFFFFFF : ceilOf(rolls.high + 1) - 1;
  return RawRange{ceilOf(rolls.low), last};
}

}  // namespace

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
  const std::optional<RawRange> raw = rawValuesOf(n, {low, high});
  if (!raw) {
    impossible_ = true;
    return;
  }
  require(rowOffset, raw->low, raw->high);
}

void RangeFilter::requireScaledAnyOf(int rowOffset, std::uint32_t n, std::span<const RollRange> rolls) {
  RangeChoice choice;
  for (const RollRange& range : rolls) {
    const std::optional<RawRange> raw = rawValuesOf(n, range);
    if (!raw) continue;
    if (raw->everyValue()) return;  // a test every value passes
    choice.anyOf.push_back({rowOffset, static_cast<std::uint32_t>(raw->low), static_cast<std::uint32_t>(raw->high)});
  }
  if (choice.anyOf.empty()) {
    impossible_ = true;
  } else {
    choices_.push_back(std::move(choice));
  }
}

}  // namespace hanabira
