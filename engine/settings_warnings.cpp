#include "engine/settings_warnings.h"

#include <fmt/format.h>

#include "core/search_mode.h"
#include "engine/settings_validation.h"
#include "evaluate/shiny_rules.h"

namespace hanabira {

namespace {

std::string_view certaintyText(Certainty certainty) {
  switch (certainty) {
    case Certainty::Disputed:
      return "disputed between sources";
    case Certainty::Unconfirmed:
      return "unconfirmed on a console";
    case Certainty::Placeholder:
      return "placeholders copied from another edition";
    case Certainty::Inferred:
      return "inferred, not measured";
    case Certainty::Reported:
      return "loosely reported";
    case Certainty::Confirmed:
      break;
  }
  return "confirmed";
}

// The modes written from Black and White's rules alone, by their settings flag.
const char* firstGamesModeFlag(SearchMode mode) {
  switch (mode) {
    case SearchMode::DeliverymanSearch:
      return "deliverymanSearch";
    case SearchMode::CometShardSearch:
      return "cometShardSearch";
    case SearchMode::DomeSearch:
      return "domeSearch";
    default:
      return nullptr;
  }
}

std::string editionText(const Edition& e) {
  return fmt::format("game {}, language {}, console {}", gameKey(e.game), languageKey(e.language),
                     consoleKey(e.console));
}

}  // namespace

std::string describe(const SettingsWarning& warning) {
  switch (warning.kind) {
    case SettingsWarning::Kind::PidConsumptionLowered:
      return fmt::format("pidConsumptionMax {} lowered to {}", warning.value, pidConsumptionLimit);
    case SettingsWarning::Kind::UncertainEditionWords:
      return fmt::format("{}: its message words W0 to W4 are {}; results may not be the game's",
                         editionText(warning.edition), certaintyText(static_cast<Certainty>(warning.value)));
    case SettingsWarning::Kind::FirstGamesRules:
      return fmt::format(
          "{} with game {}: the mode follows the rules of Black and White; results may not be the "
          "game's",
          firstGamesModeFlag(static_cast<SearchMode>(warning.value)), gameKey(warning.edition.game));
    case SettingsWarning::Kind::ConsoleContradictsIs3ds:
      return fmt::format("is3ds {} with console {}: the afternoon flag follows is3ds", warning.value != 0,
                         consoleKey(warning.edition.console));
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
  if (s.edition) {
    const EditionFacts& facts = editionFacts(*s.edition);
    if (facts.wordsCertainty != Certainty::Confirmed) {
      warnings.push_back(
          {SettingsWarning::Kind::UncertainEditionWords, static_cast<long long>(facts.wordsCertainty), *s.edition});
    }
    if (s.is3ds != dropsAfternoonFlag(s.edition->console)) {
      warnings.push_back({SettingsWarning::Kind::ConsoleContradictsIs3ds, s.is3ds, *s.edition});
    }
    const SearchMode mode = selectSearchMode(s);
    if (isSequel(s.edition->game) && firstGamesModeFlag(mode) != nullptr) {
      warnings.push_back({SettingsWarning::Kind::FirstGamesRules, static_cast<long long>(mode), *s.edition});
    }
  }
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
