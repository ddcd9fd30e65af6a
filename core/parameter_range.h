// A range of one console parameter (VCount, Timer0), both ends included.
#pragma once

#include <cstdint>

namespace hanabira {

struct ParameterRange {
  std::uint32_t min = 0;
  std::uint32_t max = 0;

  // Values in the range; 0 when max lies below min.
  std::uint64_t count() const { return max < min ? 0 : std::uint64_t{max} - min + 1; }
  bool contains(std::uint32_t value) const { return value >= min && value <= max; }
  // How far `value` lies outside the range; 0 inside.
  std::uint32_t distanceTo(std::uint32_t value) const {
    return value < min ? min - value : value > max ? value - max : 0;
  }

  friend bool operator==(const ParameterRange&, const ParameterRange&) = default;
};

}  // namespace hanabira
