#include "engine/settings_warnings.h"

#include <fmt/format.h>

#include "core/search_mode.h"
#include "engine/settings_validation.h"
#include "evaluate/shiny_rules.h"

namespace hanabira {

std::string describe(const SettingsWarning& warning) {
  switch (warning.kind) {
    case SettingsWarning::Kind::PidConsumptionLowered:
      return fmt::format("pidConsumptionMax {} lowered to {}", warning.value, pidConsumptionLimit);
    case SettingsWarning::Kind::StationaryWithoutIdCorrection:
      break;
  }
  return fmt::format(
      "idCorrection false with shinyEncounterKind 3: the game applies the ID correction to stationary encounters, "
      "which changes their personality values for trainerId XOR secretId odd ({}); some results may not be the game's",
      warning.value);
}

std::vector<SettingsWarning> findSettingsWarnings(const SearchSettings& s) {
  std::vector<SettingsWarning> warnings;
  if (s.pidConsumptionMax > pidConsumptionLimit) {
    warnings.push_back({SettingsWarning::Kind::PidConsumptionLowered, s.pidConsumptionMax});
  }
  if (selectSearchMode(s) == SearchMode::ShinyPidSearch && lacksStationaryIdCorrection(s)) {
    warnings.push_back(
        {SettingsWarning::Kind::StationaryWithoutIdCorrection, trainerShinyValue(s.trainerId, s.secretId)});
  }
  return warnings;
}

bool lacksStationaryIdCorrection(const SearchSettings& s) {
  return s.shinyEncounterKind == stationaryEncounter && !s.idCorrection &&
         (trainerShinyValue(s.trainerId, s.secretId) & 1) != 0;
}

}  // namespace hanabira
