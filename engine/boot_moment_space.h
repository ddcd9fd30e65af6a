// The boot moments of a search as one numbered sequence, in search order: dates, then
// VCount, then Timer0, then hours, minutes and seconds, then key masks. A moment's number
// says where it stands, so a search can be cut into ranges that are worked on apart and
// committed in order. The moments of one date, VCount and Timer0 make a block: their
// boot messages differ only in the time and the keys, so one prepared SHA-1 state
// serves the whole block.
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

  std::uint64_t size() const { return blockCount() * momentsPerBlock(); }
  int dayCount() const { return dayCount_; }
  std::uint64_t blockCount() const {
    return static_cast<std::uint64_t>(dayCount_) * static_cast<std::uint64_t>(vcountCount_) *
           static_cast<std::uint64_t>(timer0Count_);
  }
  int timesPerDay() const { return hours_ * minutes_ * seconds_; }
  int masksPerTime() const { return static_cast<int>(keyMasks_.size()); }
  std::uint64_t momentsPerBlock() const { return static_cast<std::uint64_t>(timesPerDay()) * keyMasks_.size(); }

  // The first date is searched even when it lies after the last one.
  Date dateAt(int dayIndex) const { return dateFromDayNumber(firstDayNumber_ + dayIndex); }
  std::uint32_t vcountAt(int vcountIndex) const { return firstVcount_ + static_cast<std::uint32_t>(vcountIndex); }
  std::uint32_t timer0At(int timer0Index) const { return firstTimer0_ + static_cast<std::uint32_t>(timer0Index); }

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

  // Position of a moment as indices of each dimension.
  struct Coordinates {
    int day;
    int vcount;
    int timer0;
    int time;
    int mask;

    bool sameBlock(const Coordinates& other) const {
      return day == other.day && vcount == other.vcount && timer0 == other.timer0;
    }
  };
  Coordinates coordinatesOf(std::uint64_t index) const;
  // The first moment of the block after that of `at`.
  Coordinates nextBlock(Coordinates at) const;

  BootMoment momentAt(std::uint64_t index) const;
  // What a block shares: its date and weekday, VCount and Timer0 (the rest left unset).
  BootMoment blockMomentAt(const Coordinates& at) const;

 private:
  int firstDayNumber_;
  int dayCount_;
  std::uint32_t firstVcount_, firstTimer0_;
  int vcountCount_, timer0Count_;
  int startHour_, startMinute_, startSecond_;
  int hours_, minutes_, seconds_;
  std::vector<std::uint16_t> keyMasks_;
};

}  // namespace hanabira
