// Settings a search refuses before it writes anything: dates that are not on the
// calendar, times off the clock, positions the generators do not have, options of the
// active mode that are not among its choices, and eggs the game never makes.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "core/search_settings.h"

namespace hanabira {

// The game keeps room for personality-value positions up to this one; a larger upper
// bound is lowered to it.
inline constexpr int pidConsumptionLimit = 2800;
// The largest individual-value position the main window can express (four digits).
inline constexpr int ivConsumptionLimit = 9999;

struct SettingsProblem {
  enum class Kind {
    OutOfRange,              // value lies outside [low, high]
    DayNotInMonth,           // value is not a day of month `month` of year `year`
    HiddenAbilityFromDitto,  // eggAbility 3 with a Ditto, which never passes it on
  };

  std::string field;  // the SearchSettings field name
  long long value;
  Kind kind;
  int low = 0;
  int high = 0;
  int year = 0;   // DayNotInMonth only
  int month = 0;  // DayNotInMonth only
};

// One line, English, naming field and value: "startDay 31: 2011-04 has 30 days".
std::string describe(const SettingsProblem& problem);

// The first problem in field order, or none.
std::optional<SettingsProblem> findSettingsProblem(const SearchSettings& settings);

class InvalidSettingsError : public std::invalid_argument {
 public:
  explicit InvalidSettingsError(SettingsProblem problem)
      : std::invalid_argument(describe(problem)), problem_(std::move(problem)) {}
  const SettingsProblem& problem() const { return problem_; }

 private:
  SettingsProblem problem_;
};

// Lowers pidConsumptionMax to the limit; returns whether it did.
bool clampPidConsumption(SearchSettings& settings);

}  // namespace hanabira
