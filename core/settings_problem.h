// Why a search refuses its settings: the first field whose value it cannot use, with
// enough to say so in English here and in Japanese in the window.
#pragma once

#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/setting_choices.h"

namespace hanabira {

struct SettingsProblem {
  enum class Kind {
    OutOfRange,              // value lies outside [low, high]
    DayNotInMonth,           // value is not a day of month `month` of year `year`
    HiddenAbilityFromDitto,  // eggAbility 3 with a Ditto, which never passes it on
    BelowRangeStart,         // a range's upper end lies below its lower end, `low` (of `otherField`)
    TooManyPairs,            // an upper end past `high`, with which VCount and Timer0 make more than `pairLimit` pairs
  };

  std::string field;  // the SearchSettings field name
  long long value;
  Kind kind;
  int low = 0;
  int high = 0;
  int year = 0;                 // DayNotInMonth only
  int month = 0;                // DayNotInMonth only
  bool hexadecimal = false;     // the field is typed in hexadecimal, and so are its value and limits shown
  std::string otherField = {};  // BelowRangeStart only
  long long pairLimit = 0;      // TooManyPairs only
};

// One line, English, naming field and value: "startDay 31: 2011-04 has 30 days",
// "vcountMax 0x60: must not lie below vcountMin 0x70".
std::string describe(const SettingsProblem& problem);

class InvalidSettingsError : public std::invalid_argument {
 public:
  explicit InvalidSettingsError(SettingsProblem problem)
      : std::invalid_argument(describe(problem)), problem_(std::move(problem)) {}
  const SettingsProblem& problem() const { return problem_; }

 private:
  SettingsProblem problem_;
};

// Checks in field order that keep the first problem they find.
class SettingsCheck {
 public:
  static constexpr int unbounded = std::numeric_limits<int>::max();
  static constexpr int unboundedBelow = std::numeric_limits<int>::min();

  void range(const char* field, long long value, int low, int high);
  // The same for a field typed in hexadecimal.
  void hexRange(const char* field, long long value, int low, int high);
  void choice(const char* field, int value, ChoiceRange choices) { range(field, value, choices.low, choices.high); }
  void date(const char* yearField, const char* monthField, const char* dayField, int year, int month, int day);
  void refuse(bool refused, SettingsProblem problem) {
    if (!problem_ && refused) problem_ = std::move(problem);
  }

  const std::optional<SettingsProblem>& result() const { return problem_; }

 private:
  std::optional<SettingsProblem> problem_;
};

}  // namespace hanabira
