#include "engine/settings_warnings.h"

#include <fmt/format.h>

#include "engine/settings_validation.h"
#include "evaluate/search_modes.h"
#include "evaluate/shiny_rules.h"
#include "i18n/translate.h"

namespace hanabira {

namespace {

std::string_view certaintyText(Certainty certainty) {
  switch (certainty) {
    case Certainty::Disputed:
      return tr("disputed between sources");
    case Certainty::Unconfirmed:
      return tr("unconfirmed on a console");
    case Certainty::Placeholder:
      return tr("placeholders copied from another edition");
    case Certainty::Inferred:
      return tr("inferred, not measured");
    case Certainty::Reported:
      return tr("loosely reported");
    case Certainty::Confirmed:
      break;
  }
  return tr("confirmed");
}

std::string editionText(const Edition& e) {
  return trf("game {}, language {}, console {}", gameKey(e.game), languageKey(e.language), consoleKey(e.console));
}

// Bounds past the values there are: below 0 and above 31 they pass every value or none.
void addIvBoundWarnings(const SearchSettings& s, std::vector<SettingsWarning>& warnings) {
  using Kind = SettingsWarning::Kind;
  for (int k = 0; k < 6; ++k) {
    const int min = s.ivMin[static_cast<std::size_t>(k)];
    const int max = s.ivMax[static_cast<std::size_t>(k)];
    const bool minOutside = min < 0 || min > highestIv;
    const bool maxOutside = max < 0 || max > highestIv;
    if (minOutside) warnings.push_back({Kind::IvMinOutside, min, {}, k});
    if (maxOutside) warnings.push_back({Kind::IvMaxOutside, max, {}, k});
    if (!minOutside && !maxOutside && min > max) warnings.push_back({Kind::IvMinAboveIvMax, min, {}, k, max});
  }
  if (s.hiddenPowerMinPower < lowestHiddenPower || s.hiddenPowerMinPower > highestHiddenPower) {
    warnings.push_back({Kind::HiddenPowerOutside, s.hiddenPowerMinPower});
  }
}

std::string dateText(const Date& date) {
  return fmt::format("{:04}-{:02}-{:02}", 2000 + date.year, date.month, date.day);
}

// A bound outside the values there are: past them none passes, short of them it is the
// nearest value in effect.
std::string outsideText(std::string_view field, long long value, int low, int high, std::string_view values,
                        bool passesNone) {
  if (passesNone) return trf("{} {}: {} are {} to {}, so none passes", field, value, values, low, high);
  return trf("{} {}: {} are {} to {}, so it is {} in effect", field, value, values, low, high,
             value < low ? low : high);
}

}  // namespace

std::string describe(const SettingsWarning& warning) {
  switch (warning.kind) {
    case SettingsWarning::Kind::PidConsumptionLowered:
      return trf("pidConsumptionMax {} lowered to {}", warning.value, pidConsumptionLimit);
    case SettingsWarning::Kind::UncertainEditionWords:
      return trf("{}: its message words W0 to W4 are {}; results may not be the game's", editionText(warning.edition),
                 certaintyText(static_cast<Certainty>(warning.value)));
    case SettingsWarning::Kind::FirstGamesRules:
      return trf(
          "{} with game {}: the mode follows the rules of Black and White; results may not be the "
          "game's",
          definitionOf(static_cast<SearchMode>(warning.value)).settingsKey, gameKey(warning.edition.game));
    case SettingsWarning::Kind::ConsoleContradictsIs3ds:
      return trf("is3ds {} with console {}: the afternoon flag follows is3ds", warning.value != 0,
                 consoleKey(warning.edition.console));
    case SettingsWarning::Kind::IvMinOutside:
      return outsideText(fmt::format("ivMin[{}]", warning.stat), warning.value, 0, highestIv, tr("individual values"),
                         warning.value > highestIv);
    case SettingsWarning::Kind::IvMaxOutside:
      return outsideText(fmt::format("ivMax[{}]", warning.stat), warning.value, 0, highestIv, tr("individual values"),
                         warning.value < 0);
    case SettingsWarning::Kind::IvMinAboveIvMax:
      return trf("ivMin[{}] {} above ivMax[{}] {}: no individual value passes", warning.stat, warning.value,
                 warning.stat, warning.other);
    case SettingsWarning::Kind::HiddenPowerOutside:
      return outsideText("hiddenPowerMinPower", warning.value, lowestHiddenPower, highestHiddenPower,
                         tr("hidden powers"), warning.value > highestHiddenPower);
    case SettingsWarning::Kind::EndDateBeforeStart:
      return trf(
          "end date {} (endYear, endMonth, endDay) lies before the start date {}: only the start date is searched",
          dateText(warning.end), dateText(warning.start));
    case SettingsWarning::Kind::StationaryWithoutIdCorrection:
      break;
  }
  return trf(
      "idCorrection false with shinyEncounterKind 3: the game applies the ID correction to stationary encounters, "
      "which changes their personality values for trainerId XOR secretId odd ({}); some results may not be the game's",
      warning.value);
}

std::vector<SettingsWarning> findSettingsWarnings(const SearchSettings& s) {
  std::vector<SettingsWarning> warnings;
  const SearchModeDefinition& mode = selectedMode(s);
  if (s.edition) {
    const EditionFacts& facts = editionFacts(*s.edition);
    if (facts.wordsCertainty != Certainty::Confirmed) {
      warnings.push_back(
          {SettingsWarning::Kind::UncertainEditionWords, static_cast<long long>(facts.wordsCertainty), *s.edition});
    }
    if (s.is3ds != dropsAfternoonFlag(s.edition->console)) {
      warnings.push_back({SettingsWarning::Kind::ConsoleContradictsIs3ds, s.is3ds, *s.edition});
    }
    if (isSequel(s.edition->game) && mode.warnings.firstGamesRules) {
      warnings.push_back({SettingsWarning::Kind::FirstGamesRules, static_cast<long long>(mode.mode), *s.edition});
    }
  }
  const Date start{s.startYear, s.startMonth, s.startDay};
  const Date end{s.endYear, s.endMonth, s.endDay};
  if (end < start) warnings.push_back({SettingsWarning::Kind::EndDateBeforeStart, 0, {}, 0, 0, start, end});
  if (mode.warnings.ivBounds) addIvBoundWarnings(s, warnings);
  if (s.pidConsumptionMax > pidConsumptionLimit) {
    warnings.push_back({SettingsWarning::Kind::PidConsumptionLowered, s.pidConsumptionMax});
  }
  if (mode.warnings.stationaryIdCorrection && lacksStationaryIdCorrection(s)) {
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
