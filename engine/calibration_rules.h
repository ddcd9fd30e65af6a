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

// The moments from secondsAround before a boot (its date and time) to as many after it,
// in order, across midnight too; those before 2000 and after 2099 left out.
std::vector<BootAround> bootsAround(const BootMoment& boot, int secondsAround);
// Those of the request's boot, the settings' start date and time.
std::vector<BootAround> bootsAround(const CalibrationRequest& request);

// The key masks the request tries, ascending.
std::vector<std::uint16_t> triedKeyMasks(const CalibrationRequest& request);

// The settings with another Frame, which enters message word 7.
SearchSettings withFrame(const SearchSettings& settings, int frame);

// The request's settings as the individual-value search checks them.
SearchSettings observedValueSettings(const CalibrationRequest& request);

// Sorts most likely first (calibrate() says how).
void rankMatches(const CalibrationRequest& request, std::vector<CalibrationMatch>& matches);

}  // namespace hanabira
