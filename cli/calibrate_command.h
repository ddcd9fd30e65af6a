// "hanabira-cli calibrate": the console parameters that explain an outcome observed at
// a known boot, one set a line, most likely first, and the chosen one into a config.txt.
#pragma once

#include <optional>
#include <string>

#include "cli/cli_app.h"
#include "engine/calibration.h"

namespace hanabira {

struct CalibrateOptions {
  int secondsAround = 5;
  std::optional<InitialSeed> seed;
  std::vector<int> frames;  // none: those of the console kind
  std::string saveConfigPath;
  int choose = 1;  // the line stored, counted from 1
  CalibrationOptions search;
};

// "VCount=82 Timer0=10F3 Frame=6 2012-10-07 12:34:56 (+2 s) keys=none seed=… position=2"
std::string formatCalibrationMatch(const CalibrationMatch& match);

// Prints the matches on the output stream and stores the chosen one; the address comes
// from the settings file or config.txt and is needed only to store. Returns the exit code.
int runCalibrateCommand(const CalibrateOptions& options, const SearchSettings& settings,
                        const std::optional<MacAddress>& mac, const CliEnvironment& env);

}  // namespace hanabira
