// Settings a search runs as given but whose results a player should hear about: a
// personality-value range lowered to what the game keeps, encounters the game treats
// otherwise than the settings say, and editions whose facts are not sure.
#pragma once

#include <string>
#include <vector>

#include "core/edition.h"
#include "core/search_settings.h"

namespace hanabira {

struct SettingsWarning {
  enum class Kind {
    PidConsumptionLowered,          // value: the pidConsumptionMax asked for, above pidConsumptionLimit
    StationaryWithoutIdCorrection,  // value: trainerId XOR secretId, which is odd
    UncertainEditionWords,          // value: the words' Certainty
    FirstGamesRules,                // value: the SearchMode whose rules are Black and White's
    ConsoleContradictsIs3ds,        // value: is3ds
  };

  Kind kind;
  long long value;
  Edition edition = {};  // the settings' edition, for the kinds about it
};

// One line, English, naming the field: "pidConsumptionMax 5000 lowered to 2800".
std::string describe(const SettingsWarning& warning);

// Every warning for the settings, in field order; options of modes that do not run
// give none.
std::vector<SettingsWarning> findSettingsWarnings(const SearchSettings& settings);

// The game applies the ID correction to stationary encounters. Their personality values
// already have bit 31 equal to bit 0, so leaving it out changes a value only when
// trainerId XOR secretId is odd: whether these shiny options do that, whatever the mode.
bool lacksStationaryIdCorrection(const SearchSettings& settings);

}  // namespace hanabira
