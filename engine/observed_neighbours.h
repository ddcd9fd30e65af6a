// What a player hit: of the boots around the one they aimed at, the lines whose outcome
// agrees with what they saw, most likely first. The individual values are looked for by
// the calibration, its ranges narrowed to the neighbourhood and its ranking to the
// nearness to the aimed boot; a nature and shininess by the mode's own tests of them.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
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

struct Observation {
  std::optional<ObservedIvs> ivs = {};  // where the mode reads individual values
  std::optional<int> nature = {};       // 0 to 24, where the mode tests a nature
  std::optional<bool> shiny = {};       // where the mode tests shininess
};

// What of the observation the mode of the settings cannot tell: "ivs", "nature" or
// "shiny", the first of them; none when it tells all.
std::optional<std::string_view> unobservedPart(const SearchSettings& settings, const Observation& observation);

// The calibration of the neighbourhood: its seconds, VCounts, Timer0s and key masks, the
// Frame of the settings, the values looked for at the widened positions.
CalibrationRequest neighbourhoodCalibration(const NeighbourhoodRequest& request, const ObservedIvs& observed);

// The indices of the rows of `neighbourhood` (evaluated for `request`) whose values the
// calibration finds, most likely first. Only for a mode that reads individual values.
std::vector<std::size_t> rowsWithObservedIvs(const NeighbourhoodRequest& request, const Neighbourhood& neighbourhood,
                                             const ObservedIvs& observed, const CalibrationOptions& options = {});

struct ObservedLines {
  std::vector<NeighbourLine> agreeing;  // most likely first
  std::vector<NeighbourLine> others;    // in the order of the neighbourhood
};

// The lines of `neighbourhood` that agree with everything observed, most likely first:
// with individual values in the calibration's order; else fewest seconds off, then the
// nearest Timer0 and VCount, then the fewest keys changed. Throws InvalidSettingsError
// for a request with a problem, std::invalid_argument for an observation the mode
// cannot tell.
ObservedLines sortByObservation(const NeighbourhoodRequest& request, const Neighbourhood& neighbourhood,
                                const Observation& observation, const CalibrationOptions& options = {});

}  // namespace hanabira
