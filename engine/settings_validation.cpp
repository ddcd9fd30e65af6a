#include "engine/settings_validation.h"

#include "core/search_mode.h"
#include "evaluate/search_modes.h"

namespace hanabira {

std::optional<SettingsProblem> findSettingsProblem(const SearchSettings& s) {
  SettingsCheck check;
  check.date("startYear", "startMonth", "startDay", s.startYear, s.startMonth, s.startDay);
  check.date("endYear", "endMonth", "endDay", s.endYear, s.endMonth, s.endDay);
  check.range("startHour", s.startHour, 0, 23);
  check.range("endHour", s.endHour, 0, 23);
  check.range("startMinute", s.startMinute, 0, 59);
  check.range("endMinute", s.endMinute, 0, 59);
  check.range("startSecond", s.startSecond, 0, 59);
  check.range("endSecond", s.endSecond, 0, 59);

  // Only the positions that the active mode reads are checked, then its own options.
  const SearchModeDefinition& mode = definitionOf(selectSearchMode(s));
  if (mode.readsIndividualValues) {
    check.range("ivConsumptionMin", s.ivConsumptionMin, 0, SettingsCheck::unbounded);
    check.range("ivConsumptionMax", s.ivConsumptionMax, SettingsCheck::unboundedBelow, ivConsumptionLimit);
  }
  if (mode.readsPersonalityValues) {
    check.range("pidConsumptionMin", s.pidConsumptionMin, 0, SettingsCheck::unbounded);
  }
  mode.checkOptions(s, check);
  return check.result();
}

bool clampPidConsumption(SearchSettings& settings) {
  if (settings.pidConsumptionMax <= pidConsumptionLimit) return false;
  settings.pidConsumptionMax = pidConsumptionLimit;
  return true;
}

}  // namespace hanabira
