#include "evaluate/iv_draws.h"

#include "evaluate/position_range.h"

namespace hanabira {

Prefilter ivDrawPrefilter(const SearchSettings& settings, RangeFilter filter) {
  const PositionRange positions = ivPositions(settings);
  Prefilter prefilter{RandomSequence::Individual, positions.first, 0, 0, std::move(filter), {}};
  if (positions.empty()) return prefilter;
  prefilter.positions = static_cast<int>(positions.size());
  prefilter.rowCount = prefilter.positions + ivDrawLength(settings.roaming) - 1;
  return prefilter;
}

RangeFilter ivBoundsFilter(const SearchSettings& settings) {
  const std::array<int, 6> statRows = ivStatRows(settings.roaming);
  RangeFilter filter;
  for (int k = 0; k < 6; ++k) filter.requireIv(statRows[k], settings.ivMin[k], settings.ivMax[k]);
  return filter;
}

}  // namespace hanabira
