// What a player hit: of the neighbours of the boot they aimed at, those whose outcome
// agrees with what they saw, most likely first. The individual values are looked for by
// the calibration, its ranges narrowed to the neighbourhood and its ranking to the
// nearness to the aimed boot.
#pragma once

#include <cstddef>
#include <vector>

#include "core/search_settings.h"
#include "engine/boot_neighbours.h"
#include "engine/calibration.h"

namespace hanabira {

// The six values the player saw, each as a range (a value alone: the same bounds).
struct ObservedIvs {
  StatArray min = {0, 0, 0, 0, 0, 0};
  StatArray max = {31, 31, 31, 31, 31, 31};
};

// The calibration of the neighbourhood: its seconds, VCounts, Timer0s and key masks, the
// Frame of the settings, the values looked for at the widened positions.
CalibrationRequest neighbourhoodCalibration(const NeighbourhoodRequest& request, const ObservedIvs& observed);

// The indices of the rows of `neighbourhood` (evaluated for `request`) whose values the
// calibration finds, most likely first. Only for a mode that reads individual values.
// Throws InvalidSettingsError for a request with a problem.
std::vector<std::size_t> rowsWithObservedIvs(const NeighbourhoodRequest& request, const Neighbourhood& neighbourhood,
                                             const ObservedIvs& observed, const CalibrationOptions& options = {});

}  // namespace hanabira
