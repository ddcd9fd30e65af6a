// A calibration of the browser's module: the console parameters that explain an outcome
// the player observed at a known boot, read from a settings text as `hanabira-cli
// calibrate -s` reads its file, and found as the CLI finds them, most likely first.
#pragma once

#include <string>
#include <vector>

#include "engine/calibration.h"

namespace hanabira {

struct WebCalibrationRequest {
  std::string settingsJson;
  std::string settingsName;  // what messages call the settings: the file's name
  int secondsAround = 5;     // as --seconds
  std::string seed;          // as --seed: hexadecimal; empty to match the values instead
};

struct WebCalibration {
  std::vector<CalibrationMatch> matches;
  std::vector<std::string> warnings;  // those the CLI prints first, each without "warning: "
};

// Throws WebRefusal as hanabira-cli calibrate refuses the same input.
WebCalibration calibrateConsole(const WebCalibrationRequest& request);

}  // namespace hanabira
