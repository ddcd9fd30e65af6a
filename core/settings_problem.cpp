#include "core/settings_problem.h"

#include <fmt/format.h>

#include "core/calendar.h"

namespace hanabira {
namespace {

// A value as its field is typed: "0x5F" for a hexadecimal one (never negative).
std::string number(const SettingsProblem& problem, long long value) {
  return problem.hexadecimal ? fmt::format("0x{:X}", value) : std::to_string(value);
}

}  // namespace

std::string describe(const SettingsProblem& problem) {
  switch (problem.kind) {
    case SettingsProblem::Kind::DayNotInMonth:
      return fmt::format("{} {}: {:04}-{:02} has {} days", problem.field, problem.value, 2000 + problem.year,
                         problem.month, problem.high);
    case SettingsProblem::Kind::HiddenAbilityFromDitto:
      return fmt::format(
          "{} {}: a Ditto never passes on the hidden ability; set withoutDitto or choose another ability",
          problem.field, problem.value);
    case SettingsProblem::Kind::BelowRangeStart:
      return fmt::format("{} {}: must not lie below {} {}", problem.field, number(problem, problem.value),
                         problem.otherField, number(problem, problem.low));
    case SettingsProblem::Kind::TooManyPairs:
      return fmt::format("{} {}: must be {} to {}, as the VCount and Timer0 ranges may make at most {} pairs",
                         problem.field, number(problem, problem.value), number(problem, problem.low),
                         number(problem, problem.high), problem.pairLimit);
    case SettingsProblem::Kind::OutOfRange:
      break;
  }
  const std::string value = number(problem, problem.value);
  if (problem.high == SettingsCheck::unbounded) {
    return fmt::format("{} {}: must be {} or more", problem.field, value, number(problem, problem.low));
  }
  if (problem.low == SettingsCheck::unboundedBelow) {
    return fmt::format("{} {}: must be at most {}", problem.field, value, number(problem, problem.high));
  }
  return fmt::format("{} {}: must be {} to {}", problem.field, value, number(problem, problem.low),
                     number(problem, problem.high));
}

void SettingsCheck::range(const char* field, long long value, int low, int high) {
  if (!problem_ && (value < low || value > high)) {
    problem_ = SettingsProblem{field, value, SettingsProblem::Kind::OutOfRange, low, high};
  }
}

void SettingsCheck::hexRange(const char* field, long long value, int low, int high) {
  const bool found = problem_.has_value();
  range(field, value, low, high);
  if (!found && problem_) problem_->hexadecimal = true;
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
