#include "engine/search_space.h"

#include <algorithm>

#include "core/key_input.h"

namespace hanabira {
namespace {

int countOf(int first, int last) { return std::max(0, last - first + 1); }

}  // namespace

BootMomentSpace::BootMomentSpace(const SearchSettings& settings)
    : firstDayNumber_(dayNumber({settings.startYear, settings.startMonth, settings.startDay})),
      dayCount_(std::max(1, dayNumber({settings.endYear, settings.endMonth, settings.endDay}) - firstDayNumber_ + 1)),
      startHour_(settings.startHour),
      startMinute_(settings.startMinute),
      startSecond_(settings.startSecond),
      hours_(countOf(settings.startHour, settings.endHour)),
      minutes_(countOf(settings.startMinute, settings.endMinute)),
      seconds_(countOf(settings.startSecond, settings.endSecond)),
      keyMasks_(searchedKeyMasks(settings)) {}

BootMomentSpace::Coordinates BootMomentSpace::coordinatesOf(std::uint64_t index) const {
  const std::uint64_t masks = keyMasks_.size();
  const std::uint64_t times = static_cast<std::uint64_t>(timesPerDay());
  return {static_cast<int>(index / masks / times), static_cast<int>(index / masks % times),
          static_cast<int>(index % masks)};
}

SearchCursor BootMomentSpace::cursorAt(std::uint64_t index) const {
  const Coordinates at = coordinatesOf(index);
  const Date date = dateAt(at.day);
  const TimeOfDay time = timeAt(at.time);
  return {date.year, date.month, date.day, time.hour, time.minute, time.second, weekday(date), keyMaskAt(at.mask)};
}

}  // namespace hanabira
