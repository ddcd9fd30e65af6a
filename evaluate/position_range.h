// The positions of a random sequence that a mode tries, from the two bounds the user
// types: first to last, both included, none when first lies after last. An empty range
// may have any ints as bounds, two billion apart, so sizes are taken in 64 bits. A range
// of a prepared search that is not empty lies within 0 and the field's limit: the
// positions in it, and the few a mode reads past them, fit an int.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/search_settings.h"

namespace hanabira {

struct PositionRange {
  std::int64_t first;
  std::int64_t last;

  bool empty() const { return first > last; }
  std::size_t size() const { return empty() ? 0 : static_cast<std::size_t>(last - first + 1); }
};

inline PositionRange ivPositions(const SearchSettings& settings) {
  return {settings.ivConsumptionMin, settings.ivConsumptionMax};
}

inline PositionRange pidPositions(const SearchSettings& settings) {
  return {settings.pidConsumptionMin, settings.pidConsumptionMax};
}

}  // namespace hanabira
