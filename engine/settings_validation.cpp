#include "engine/settings_validation.h"

#include <algorithm>

#include "evaluate/search_modes.h"

namespace hanabira {
namespace {

// A range's upper end may not lie below its lower one, nor make more pairs than the
// limit with the other parameter's values.
void checkRange(SettingsCheck& check, const char* minField, const char* maxField, const ParameterRange& range,
                std::uint64_t otherCount) {
  check.hexRange(minField, range.min, 0, parameterValueLimit);
  const auto low = static_cast<int>(std::min<std::uint32_t>(range.min, parameterValueLimit));
  SettingsProblem problem{maxField, range.max, SettingsProblem::Kind::BelowRangeStart, low, parameterValueLimit};
  problem.hexadecimal = true;
  problem.otherField = minField;
  check.refuse(range.max < range.min, problem);
  check.hexRange(maxField, range.max, low, parameterValueLimit);

  const std::uint64_t widest = std::max<std::uint64_t>(1, parameterPairLimit / std::max<std::uint64_t>(1, otherCount));
  problem.kind = SettingsProblem::Kind::TooManyPairs;
  problem.high = static_cast<int>(std::min<std::uint64_t>(parameterValueLimit, range.min + widest - 1));
  problem.pairLimit = static_cast<long long>(parameterPairLimit);
  check.refuse(range.max > static_cast<std::uint32_t>(problem.high), problem);
}

void checkParameterRanges(const SearchSettings& s, SettingsCheck& check) {
  if (s.vcountRange) checkRange(check, "vcountMin", "vcountMax", *s.vcountRange, 1);
  if (s.timer0Range) checkRange(check, "timer0Min", "timer0Max", *s.timer0Range, searchedVcounts(s).count());
}

}  // namespace

std::optional<SettingsProblem> findParameterRangeProblem(const SearchSettings& s) {
  SettingsCheck check;
  checkParameterRanges(s, check);
  return check.result();
}

std::optional<SettingsProblem> findSettingsProblem(const SearchSettings& s) {
  SettingsCheck check;
  checkParameterRanges(s, check);
  check.date("startYear", "startMonth", "startDay", s.startYear, s.startMonth, s.startDay);
  check.date("endYear", "endMonth", "endDay", s.endYear, s.endMonth, s.endDay);
  check.range("startHour", s.startHour, 0, 23);
  check.range("endHour", s.endHour, 0, 23);
  check.range("startMinute", s.startMinute, 0, 59);
  check.range("endMinute", s.endMinute, 0, 59);
  check.range("startSecond", s.startSecond, 0, 59);
  check.range("endSecond", s.endSecond, 0, 59);
  if (s.keyCountMax) check.range("keyCountMax", *s.keyCountMax, 0, keyMaskBits);

  // Only the positions that the active mode reads are checked, then its own options.
  const SearchModeDefinition& mode = selectedMode(s);
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
