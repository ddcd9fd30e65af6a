#include "core/settings_problem.h"

#include <fmt/format.h>

#include "core/calendar.h"

namespace hanabira {

std::string describe(const SettingsProblem& problem) {
  switch (problem.kind) {
    case SettingsProblem::Kind::DayNotInMonth:
      return fmt::format("{} {}: {:04}-{:02} has {} days", problem.field, problem.value, 2000 + problem.year,
                         problem.month, problem.high);
    case SettingsProblem::Kind::HiddenAbilityFromDitto:
      return fmt::format(
          "{} {}: a Ditto never passes on the hidden ability; set withoutDitto or choose another ability",
          problem.field, problem.value);
    case SettingsProblem::Kind::OutOfRange:
      break;
  }
  if (problem.high == SettingsCheck::unbounded) {
    return fmt::format("{} {}: must be {} or more", problem.field, problem.value, problem.low);
  }
  if (problem.low == SettingsCheck::unboundedBelow) {
    return fmt::format("{} {}: must be at most {}", problem.field, problem.value, problem.high);
  }
  return fmt::format("{} {}: must be {} to {}", problem.field, problem.value, problem.low, problem.high);
}

void SettingsCheck::range(const char* field, long long value, int low, int high) {
  if (!problem_ && (value < low || value > high)) {
    problem_ = SettingsProblem{field, value, SettingsProblem::Kind::OutOfRange, low, high};
  }
}

void SettingsCheck::date(const char* yearField, const char* monthField, const char* dayField, int year, int month,
                         int day) {
  range(yearField, year, 0, 99);
  range(monthField, month, 1, 12);
  if (!problem_ && !isCalendarDate({year, month, day})) {
    problem_ =
        SettingsProblem{dayField, day, SettingsProblem::Kind::DayNotInMonth, 1, daysInMonth(year, month), year, month};
  }
}

}  // namespace hanabira
