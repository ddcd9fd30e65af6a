#include "engine/calibration_rules.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "evaluate/search_modes.h"

namespace hanabira {

std::vector<BootAround> bootsAround(const CalibrationRequest& request) {
  const SearchSettings& s = request.settings;
  constexpr int secondsPerDay = 24 * 60 * 60;
  const long long boot = static_cast<long long>(dayNumber({s.startYear, s.startMonth, s.startDay})) * secondsPerDay +
                         s.startHour * 3600 + s.startMinute * 60 + s.startSecond;
  std::vector<BootAround> boots;
  for (int off = -request.secondsAround; off <= request.secondsAround; ++off) {
    const long long at = boot + off;
    if (at < 0) continue;  // before 2000-01-01
    const auto day = static_cast<int>(at / secondsPerDay);
    const auto second = static_cast<int>(at % secondsPerDay);
    const Date date = dateFromDayNumber(day);
    if (date.year > 99) continue;
    boots.push_back({date, second / 3600, second / 60 % 60, second % 60, off});
  }
  return boots;
}

SearchSettings withFrame(const SearchSettings& settings, int frame) {
  SearchSettings s = settings;
  s.messageWord7 ^= byteSwap32(static_cast<std::uint32_t>(settings.frame ^ frame));
  s.frame = frame;
  return s;
}

SearchSettings observedValueSettings(const CalibrationRequest& request) {
  SearchSettings s = request.settings;
  for (const SearchModeDefinition& mode : searchModes()) {
    if (mode.flag != nullptr) s.*mode.flag = false;
  }
  s.hiddenPowerType = -1;
  s.hiddenPowerMinPower = 0;
  s.vcountRange = request.vcounts;
  s.timer0Range = request.timer0s;
  return s;
}

void rankMatches(const CalibrationRequest& request, std::vector<CalibrationMatch>& matches) {
  const std::optional<Edition>& edition = request.settings.edition;
  const auto key = [&](const CalibrationMatch& m) {
    bool otherFrame = false;
    bool outside = false;
    std::uint32_t distance = 0;
    if (edition) {
      const EditionFacts& facts = editionFacts(*edition);
      otherFrame = m.frame != facts.frame;
      distance = facts.typicalVcounts.distanceTo(m.vcount) + facts.typicalTimer0s.distanceTo(m.timer0);
      outside = distance > 0;
    }
    return std::tuple(otherFrame, outside, std::abs(m.secondsOff), distance, m.vcount, m.timer0, m.frame, m.secondsOff,
                      m.moment.keyMask, m.position);
  };
  std::sort(matches.begin(), matches.end(),
            [&](const CalibrationMatch& a, const CalibrationMatch& b) { return key(a) < key(b); });
}

}  // namespace hanabira
