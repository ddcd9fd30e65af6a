// The boot moments of a search as one numbered sequence, in search order: dates, then
// hours, minutes and seconds, then key masks. A moment's number says where it stands,
// so a search can be cut into ranges that are worked on apart and committed in order.
#pragma once

#include <cstdint>
#include <vector>

#include "core/boot_moment.h"
#include "core/calendar.h"
#include "core/search_settings.h"

namespace hanabira {

class BootMomentSpace {
 public:
  // The settings must have passed findSettingsProblem().
  explicit BootMomentSpace(const SearchSettings& settings);

  std::uint64_t size() const { return static_cast<std::uint64_t>(dayCount_) * momentsPerDay(); }
  int dayCount() const { return dayCount_; }
  int timesPerDay() const { return hours_ * minutes_ * seconds_; }
  int masksPerTime() const { return static_cast<int>(keyMasks_.size()); }
  std::uint64_t momentsPerDay() const { return static_cast<std::uint64_t>(timesPerDay()) * keyMasks_.size(); }

  // The first date is searched even when it lies after the last one.
  Date dateAt(int dayIndex) const { return dateFromDayNumber(firstDayNumber_ + dayIndex); }

  struct TimeOfDay {
    int hour;
    int minute;
    int second;
  };
  TimeOfDay timeAt(int timeIndex) const {
    return {startHour_ + timeIndex / (minutes_ * seconds_), startMinute_ + timeIndex / seconds_ % minutes_,
            startSecond_ + timeIndex % seconds_};
  }
  int keyMaskAt(int maskIndex) const { return keyMasks_[static_cast<std::size_t>(maskIndex)]; }

  // Position of moment `index` as day, time and mask indices.
  struct Coordinates {
    int day;
    int time;
    int mask;
  };
  Coordinates coordinatesOf(std::uint64_t index) const;

  SearchCursor cursorAt(std::uint64_t index) const;

 private:
  int firstDayNumber_;
  int dayCount_;
  int startHour_, startMinute_, startSecond_;
  int hours_, minutes_, seconds_;
  std::vector<std::uint16_t> keyMasks_;
};

}  // namespace hanabira
