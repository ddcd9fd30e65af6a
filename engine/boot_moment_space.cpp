#include "engine/boot_moment_space.h"

#include <algorithm>

#include "core/key_input.h"

namespace hanabira {
namespace {

int countOf(int first, int last) { return std::max(0, last - first + 1); }

}  // namespace

BootMomentSpace::BootMomentSpace(const SearchSettings& settings)
    : firstDayNumber_(dayNumber({settings.startYear, settings.startMonth, settings.startDay})),
      dayCount_(std::max(1, dayNumber({settings.endYear, settings.endMonth, settings.endDay}) - firstDayNumber_ + 1)),
      firstVcount_(searchedVcounts(settings).min),
      firstTimer0_(searchedTimer0s(settings).min),
      vcountCount_(static_cast<int>(searchedVcounts(settings).count())),
      timer0Count_(static_cast<int>(searchedTimer0s(settings).count())),
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
  const std::uint64_t block = index / masks / times;
  const auto timer0s = static_cast<std::uint64_t>(timer0Count_);
  const auto vcounts = static_cast<std::uint64_t>(vcountCount_);
  return {static_cast<int>(block / timer0s / vcounts), static_cast<int>(block / timer0s % vcounts),
          static_cast<int>(block % timer0s), static_cast<int>(index / masks % times), static_cast<int>(index % masks)};
}

BootMomentSpace::Coordinates BootMomentSpace::nextBlock(Coordinates at) const {
  at.time = 0;
  at.mask = 0;
  if (++at.timer0 < timer0Count_) return at;
  at.timer0 = 0;
  if (++at.vcount < vcountCount_) return at;
  at.vcount = 0;
  ++at.day;
  return at;
}

BootMoment BootMomentSpace::blockMomentAt(const Coordinates& at) const {
  const Date date = dateAt(at.day);
  BootMoment block;
  block.year = date.year;
  block.month = date.month;
  block.day = date.day;
  block.weekday = weekday(date);
  block.vcount = vcountAt(at.vcount);
  block.timer0 = timer0At(at.timer0);
  return block;
}

BootMoment BootMomentSpace::momentAt(std::uint64_t index) const {
  const Coordinates at = coordinatesOf(index);
  const Date date = dateAt(at.day);
  const TimeOfDay time = timeAt(at.time);
  return {date.year,   date.month,    date.day,           time.hour,           time.minute,
          time.second, weekday(date), keyMaskAt(at.mask), vcountAt(at.vcount), timer0At(at.timer0)};
}

}  // namespace hanabira
