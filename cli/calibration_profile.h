// calibrate --save-profile: what a calibration found, stored into a console profile.
#pragma once

#include <string>
#include <vector>

#include "core/console_config.h"
#include "engine/calibration.h"
#include "engine/console_profiles.h"

namespace hanabira {

// The chosen set becomes the profile's console values, without ranges (as --save-config
// writes config.txt), and every set found its calibration. A profile not in the list is
// added at its end with the console the calibration ran with (`ranWith`), or refused
// (CliError, exit 2) where `ranWith` is none or the name cannot be given.
void storeCalibration(ConsoleProfiles& profiles, const std::string& name, const std::vector<CalibrationMatch>& matches,
                      const CalibrationMatch& chosen, const std::optional<ConsoleParameters>& ranWith);

}  // namespace hanabira
