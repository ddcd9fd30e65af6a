#include "engine/calibration_rules.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "core/key_input.h"
#include "evaluate/search_modes.h"

namespace hanabira {

std::vector<BootAround> bootsAround(const BootMoment& boot, int secondsAround) {
  constexpr int secondsPerDay = 24 * 60 * 60;
  const long long at = static_cast<long long>(dayNumber({boot.year, boot.month, boot.day})) * secondsPerDay +
                       boot.hour * 3600 + boot.minute * 60 + boot.second;
  std::vector<BootAround> boots;
  for (int off = -secondsAround; off <= secondsAround; ++off) {
    const long long second = at + off;
    if (second < 0) continue;  // before 2000-01-01
    const Date date = dateFromDayNumber(static_cast<int>(second / secondsPerDay));
    if (date.year > 99) continue;
    const auto time = static_cast<int>(second % secondsPerDay);
    boots.push_back({date, time / 3600, time / 60 % 60, time % 60, off});
  }
  return boots;
}

std::vector<BootAround> bootsAround(const CalibrationRequest& request) {
  const SearchSettings& s = request.settings;
  BootMoment boot;
  boot.year = s.startYear;
  boot.month = s.startMonth;
  boot.day = s.startDay;
  boot.hour = s.startHour;
  boot.minute = s.startMinute;
  boot.second = s.startSecond;
  return bootsAround(boot, request.secondsAround);
}

std::vector<std::uint16_t> triedKeyMasks(const CalibrationRequest& request) {
  return request.keyMasks.empty() ? searchedKeyMasks(request.settings) : request.keyMasks;
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

namespace {

std::uint32_t distance(std::uint32_t a, std::uint32_t b) { return a > b ? a - b : b - a; }

// What a player who aimed at `aimed` most likely hit: the nearest second, then the
// nearest parameters, then the fewest keys changed.
void rankAroundAimedBoot(const BootMoment& aimed, std::vector<CalibrationMatch>& matches) {
  const auto key = [&](const CalibrationMatch& m) {
    const int keysChanged = heldKeyCount(~(m.moment.keyMask ^ aimed.keyMask) & noKeysHeld);
    return std::tuple(std::abs(m.secondsOff), distance(m.vcount, aimed.vcount) + distance(m.timer0, aimed.timer0),
                      keysChanged, m.vcount, m.timer0, m.frame, m.secondsOff, m.moment.keyMask, m.position);
  };
  std::sort(matches.begin(), matches.end(),
            [&](const CalibrationMatch& a, const CalibrationMatch& b) { return key(a) < key(b); });
}

}  // namespace

void rankMatches(const CalibrationRequest& request, std::vector<CalibrationMatch>& matches) {
  if (request.aimedAt) {
    rankAroundAimedBoot(*request.aimedAt, matches);
    return;
  }
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
