#include "engine/observed_neighbours.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace hanabira {
namespace {

// A row or a match by its boot and position.
using RowKey = std::tuple<int, std::uint32_t, std::uint32_t, int, int>;

RowKey keyOf(const NeighbourRow& row) {
  const BootMoment& m = row.boot.moment;
  return {row.boot.secondsOff, m.vcount, m.timer0, m.keyMask, row.ivPosition.value_or(-1)};
}

RowKey keyOf(const CalibrationMatch& match) {
  return {match.secondsOff, match.vcount, match.timer0, match.moment.keyMask, match.position};
}

}  // namespace

CalibrationRequest neighbourhoodCalibration(const NeighbourhoodRequest& request, const ObservedIvs& observed) {
  CalibrationRequest calibration;
  calibration.settings = neighbourhoodSettings(request);
  calibration.settings.ivMin = observed.min;
  calibration.settings.ivMax = observed.max;
  calibration.secondsAround = request.seconds;
  calibration.vcounts = neighbourVcounts(request);
  calibration.timer0s = neighbourTimer0s(request);
  calibration.frames = {request.settings.frame};
  calibration.keyMasks = neighbourKeyMasks(request);
  calibration.aimedAt = request.aimed;
  return calibration;
}

std::vector<std::size_t> rowsWithObservedIvs(const NeighbourhoodRequest& request, const Neighbourhood& neighbourhood,
                                             const ObservedIvs& observed, const CalibrationOptions& options) {
  std::map<RowKey, std::size_t> rowAt;
  for (std::size_t i = 0; i < neighbourhood.rows.size(); ++i) rowAt.emplace(keyOf(neighbourhood.rows[i]), i);
  std::vector<std::size_t> rows;
  for (const CalibrationMatch& match : calibrate(neighbourhoodCalibration(request, observed), options)) {
    const auto row = rowAt.find(keyOf(match));
    if (row != rowAt.end()) rows.push_back(row->second);
  }
  return rows;
}

}  // namespace hanabira
