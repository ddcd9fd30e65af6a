#include "engine/settings_validation.h"

#include <fmt/format.h>

#include <limits>
#include <utility>

#include "core/calendar.h"
#include "core/search_mode.h"

namespace hanabira {
namespace {

constexpr int unbounded = std::numeric_limits<int>::max();
constexpr int unboundedBelow = std::numeric_limits<int>::min();

class ProblemFinder {
 public:
  void range(const char* field, int value, int low, int high) {
    if (!problem_ && (value < low || value > high)) {
      problem_ = SettingsProblem{field, value, SettingsProblem::Kind::OutOfRange, low, high};
    }
  }

  void date(const char* yearField, const char* monthField, const char* dayField, int year, int month, int day) {
    range(yearField, year, 0, 99);
    range(monthField, month, 1, 12);
    if (!problem_ && !isCalendarDate({year, month, day})) {
      problem_ = SettingsProblem{dayField, day,  SettingsProblem::Kind::DayNotInMonth, 1, daysInMonth(year, month),
                                 year,     month};
    }
  }

  void refuse(bool refused, SettingsProblem problem) {
    if (!problem_ && refused) problem_ = std::move(problem);
  }

  std::optional<SettingsProblem> result() const { return problem_; }

 private:
  std::optional<SettingsProblem> problem_;
};

bool readsIvPositions(SearchMode mode) {
  return mode == SearchMode::IvSearch || mode == SearchMode::ShinyPidSearch || mode == SearchMode::InheritanceSearch;
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
    case SettingsProblem::Kind::OutOfRange:
      break;
  }
  if (problem.high == unbounded)
    return fmt::format("{} {}: must be {} or more", problem.field, problem.value, problem.low);
  if (problem.low == unboundedBelow) {
    return fmt::format("{} {}: must be at most {}", problem.field, problem.value, problem.high);
  }
  return fmt::format("{} {}: must be {} to {}", problem.field, problem.value, problem.low, problem.high);
}

std::optional<SettingsProblem> findSettingsProblem(const SearchSettings& s) {
  ProblemFinder check;
  check.date("startYear", "startMonth", "startDay", s.startYear, s.startMonth, s.startDay);
  check.date("endYear", "endMonth", "endDay", s.endYear, s.endMonth, s.endDay);
  check.range("startHour", s.startHour, 0, 23);
  check.range("endHour", s.endHour, 0, 23);
  check.range("startMinute", s.startMinute, 0, 59);
  check.range("endMinute", s.endMinute, 0, 59);
  check.range("startSecond", s.startSecond, 0, 59);
  check.range("endSecond", s.endSecond, 0, 59);

  // Only the positions that the active mode reads are checked.
  const SearchMode mode = selectSearchMode(s);
  if (readsIvPositions(mode)) {
    check.range("ivConsumptionMin", s.ivConsumptionMin, 0, unbounded);
    check.range("ivConsumptionMax", s.ivConsumptionMax, unboundedBelow, ivConsumptionLimit);
  }
  if (mode != SearchMode::IvSearch) check.range("pidConsumptionMin", s.pidConsumptionMin, 0, unbounded);
  if (mode == SearchMode::DeliverymanSearch) {
    check.range("deliveryNaturePosition", s.deliveryNaturePosition, 0, unbounded);
  }

  // The options of the active mode that are choices from a list.
  switch (mode) {
    case SearchMode::ShinyPidSearch:
      check.range("shinyEncounterKind", s.shinyEncounterKind, 1, 3);
      check.range("shinyNature", s.shinyNature, 0, 25);
      break;
    case SearchMode::InheritanceSearch:
      check.range("eggNature", s.eggNature, -1, 25);
      check.range("eggAbility", s.eggAbility, 0, 3);
      check.refuse(s.eggAbility == 3 && !s.withoutDitto,
                   {"eggAbility", s.eggAbility, SettingsProblem::Kind::HiddenAbilityFromDitto});
      check.range("eggGenderRatio", s.eggGenderRatio, 0, 8);
      break;
    case SearchMode::DeliverymanSearch:
      check.range("deliveryNature", s.deliveryNature, 0, 25);
      break;
    case SearchMode::DomeSearch:
      for (int trainer : s.domeTrainers) check.range("domeTrainers", trainer, 0, 52);
      break;
    case SearchMode::IvSearch:
    case SearchMode::CometShardSearch:
      break;
  }
  return check.result();
}

bool clampPidConsumption(SearchSettings& settings) {
  if (settings.pidConsumptionMax <= pidConsumptionLimit) return false;
  settings.pidConsumptionMax = pidConsumptionLimit;
  return true;
}

}  // namespace hanabira
