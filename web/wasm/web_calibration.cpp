#include "web/wasm/web_calibration.h"

#include <charconv>
#include <nlohmann/json.hpp>

#include "core/edition.h"
#include "engine/settings_json.h"
#include "engine/settings_warnings.h"
#include "i18n/translate.h"
#include "web/wasm/web_search.h"

namespace hanabira {
namespace {

// The settings of the text, completed as the CLI completes them without config.txt:
// frame and GxStat from the console kind, the message words from the address.
SearchSettings calibrationSettings(const WebCalibrationRequest& request) {
  try {
    const nlohmann::json object = parseSettingsText(request.settingsJson);
    SettingsFromJson loaded = settingsFromJson(object, SearchSettings{});
    // Without either the seeds are those of an address of zeros: a console found for nobody's.
    if (!loaded.mac && !loaded.messageWordsGiven) {
      throw WebRefusal(webExitInvalidInput,
                       std::string(tr("calibrate needs the MAC address: give macAddress or --config")));
    }
    if (const std::optional<Edition>& edition = loaded.settings.edition) {
      if (!object.contains("frame")) loaded.settings.frame = editionFacts(*edition).frame;
      if (!object.contains("gxStat")) loaded.settings.gxStat = editionFacts(*edition).gxStat;
    }
    if (!loaded.messageWordsGiven) applyMacAddress(loaded.settings, *loaded.mac);
    return loaded.settings;
  } catch (const SettingsFileError& error) {
    throw WebRefusal(webExitInvalidInput, trf("settings file '{}': {}", request.settingsName, error.what()));
  }
}

// 1 to 16 hexadecimal digits, nothing else (no sign, no 0x), as --seed takes them.
InitialSeed parsedSeed(const std::string& text) {
  InitialSeed seed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed, 16);
  if (text.size() > 16 || error != std::errc() || end != text.data() + text.size()) {
    throw WebRefusal(webExitInvalidInput, trf("--seed {}: expected up to 16 hexadecimal digits", text));
  }
  return seed;
}

// The window's seconds field is the option --seconds on the command line.
SettingsProblem optionNamed(SettingsProblem problem) {
  if (problem.field == "secondsAround") problem.field = "--seconds";
  return problem;
}

}  // namespace

WebCalibration calibrateConsole(const WebCalibrationRequest& request) {
  const SearchSettings settings = calibrationSettings(request);
  const CalibrationRequest calibration = calibrationRequest(
      settings, request.secondsAround, request.seed.empty() ? std::nullopt : std::optional(parsedSeed(request.seed)));
  if (auto problem = findCalibrationProblem(calibration)) {
    throw WebRefusal(webExitInvalidInput, describe(optionNamed(*problem)));
  }
  WebCalibration result;
  for (const SettingsWarning& warning : findSettingsWarnings(settings)) result.warnings.push_back(describe(warning));
  CalibrationOptions options;
  options.threads = 1;  // the browser's threads are its workers, each with its own module
  result.matches = calibrate(calibration, options);
  return result;
}

}  // namespace hanabira
