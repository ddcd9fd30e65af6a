// What the fast and the plain calibration share: the boots around the known moment,
// the settings of one Frame, and the order of likelihood.
#pragma once

#include <vector>

#include "core/calendar.h"
#include "core/search_settings.h"
#include "engine/calibration.h"

namespace hanabira {

struct BootAround {
  Date date;
  int hour, minute, second;
  int secondsOff;
};

// The moments from secondsAround before the request's boot to as many after it, in
// order, across midnight too.
std::vector<BootAround> bootsAround(const CalibrationRequest& request);

// The settings with another Frame, which enters message word 7.
SearchSettings withFrame(const SearchSettings& settings, int frame);

// The request's settings as the individual-value search checks them.
SearchSettings observedValueSettings(const CalibrationRequest& request);

// Sorts most likely first (calibrate() says how).
void rankMatches(const CalibrationRequest& request, std::vector<CalibrationMatch>& matches);

}  // namespace hanabira
