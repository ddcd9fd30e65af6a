// Settings a search runs as given but whose results a player should hear about: a
// personality-value range lowered to what the game keeps, encounters the game treats
// otherwise than the settings say, editions whose facts are not sure, and filters and
// dates that the window's fields can hold but that mean less than they say (bounds past
// the values there are, an end date before the start date).
#pragma once

#include <string>
#include <vector>

#include "core/calendar.h"
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
    IvMinOutside,                   // value: ivMin[stat], outside 0 to 31
    IvMaxOutside,                   // value: ivMax[stat], outside 0 to 31
    IvMinAboveIvMax,                // value: ivMin[stat], above `other`, ivMax[stat] (both within 0 to 31)
    HiddenPowerOutside,             // value: hiddenPowerMinPower, outside 30 to 70
    EndDateBeforeStart,             // `start` and `end`: the two dates
  };

  Kind kind;
  long long value;
  Edition edition = {};  // the settings' edition, for the kinds about it
  int stat = 0;          // the individual-value kinds: 0 to 5, H A B C D S
  long long other = 0;
  Date start = {};
  Date end = {};
};

// The individual values and hidden powers the game makes.
inline constexpr int highestIv = 31;
inline constexpr int lowestHiddenPower = 30;
inline constexpr int highestHiddenPower = 70;

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
