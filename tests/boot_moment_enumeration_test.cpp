#include <gtest/gtest.h>

#include <vector>

#include "core/key_input.h"
#include "engine/boot_moment_space.h"

namespace hanabira {
namespace {

SearchSettings withKeyInput() {
  SearchSettings settings;
  settings.keyInputEnabled = true;
  return settings;
}

TEST(KeyFilter, ExcludesOppositeDirectionsAndTheSoftReset) {
  const SearchSettings settings = withKeyInput();
  EXPECT_TRUE(isKeyMaskSearched(settings, 0x3FF));   // nothing held
  EXPECT_TRUE(isKeyMaskSearched(settings, 0x3FE));   // A
  EXPECT_FALSE(isKeyMaskSearched(settings, 0x3CF));  // Right and Left
  EXPECT_FALSE(isKeyMaskSearched(settings, 0x33F));  // Up and Down
  EXPECT_FALSE(isKeyMaskSearched(settings, 0x0F3));  // Select, Start, R and L
  EXPECT_TRUE(isKeyMaskSearched(settings, 0x0F7));   // Select, R and L only
  EXPECT_FALSE(isKeyMaskSearched(settings, 0));      // everything

  int rightAndLeftSearched = 0;
  for (int mask = 0; mask < 1024; ++mask)
    rightAndLeftSearched += (mask & 0x30) == 0 && isKeyMaskSearched(settings, mask);
  EXPECT_EQ(rightAndLeftSearched, 0);
}

TEST(KeyFilter, WithoutExclusionEveryMaskIsSearched) {
  SearchSettings settings = withKeyInput();
  settings.excludeOppositeAndReset = false;
  EXPECT_EQ(searchedKeyMasks(settings).size(), 1024u);
}

TEST(KeyFilter, DisallowedKeysAreNeverHeld) {
  SearchSettings settings = withKeyInput();
  settings.keyAllowed.fill(false);
  EXPECT_EQ(searchedKeyMasks(settings), std::vector<std::uint16_t>{0x3FF});

  settings.keyAllowed.fill(true);
  settings.keyAllowed[3] = false;  // Start
  for (std::uint16_t mask : searchedKeyMasks(settings)) EXPECT_NE(mask & 0x8, 0) << mask;
}

TEST(KeyFilter, WithoutKeyInputOnlyNoKeyIsSearched) {
  SearchSettings settings;
  settings.keyAllowed.fill(false);
  settings.excludeOppositeAndReset = false;
  EXPECT_EQ(searchedKeyMasks(settings), std::vector<std::uint16_t>{0x3FF});
}

TEST(KeyFilter, MasksAscendAndEndWithNoKey) {
  const std::vector<std::uint16_t> masks = searchedKeyMasks(withKeyInput());
  EXPECT_EQ(masks.size(), 540u);  // 1024 less 448 with opposite directions, less 36 more soft resets
  EXPECT_TRUE(std::is_sorted(masks.begin(), masks.end()));
  EXPECT_EQ(masks.back(), 0x3FF);
}

SearchSettings dates(Date start, Date end) {
  SearchSettings settings;
  settings.startYear = start.year;
  settings.startMonth = start.month;
  settings.startDay = start.day;
  settings.endYear = end.year;
  settings.endMonth = end.month;
  settings.endDay = end.day;
  return settings;
}

std::vector<Date> datesOf(const BootMomentSpace& space) {
  std::vector<Date> result;
  for (int d = 0; d < space.dayCount(); ++d) result.push_back(space.dateAt(d));
  return result;
}

TEST(BootMomentSpace, DatesAcrossFebruaryAndTheYearsEnd) {
  EXPECT_EQ(datesOf(BootMomentSpace(dates({11, 2, 27}, {11, 3, 1}))),
            (std::vector<Date>{{11, 2, 27}, {11, 2, 28}, {11, 3, 1}}));
  // February 29 is a real boot date in leap years.
  EXPECT_EQ(datesOf(BootMomentSpace(dates({12, 2, 27}, {12, 3, 1}))),
            (std::vector<Date>{{12, 2, 27}, {12, 2, 28}, {12, 2, 29}, {12, 3, 1}}));
  EXPECT_EQ(datesOf(BootMomentSpace(dates({11, 12, 31}, {12, 1, 1}))), (std::vector<Date>{{11, 12, 31}, {12, 1, 1}}));
}

TEST(BootMomentSpace, StartAfterEndSearchesTheStartDateOnly) {
  EXPECT_EQ(datesOf(BootMomentSpace(dates({11, 5, 2}, {11, 5, 1}))), (std::vector<Date>{{11, 5, 2}}));
}

TEST(BootMomentSpace, HoursMinutesAndSecondsAreThreeRanges) {
  SearchSettings settings = dates({11, 1, 1}, {11, 1, 1});
  settings.startHour = 10;
  settings.endHour = 11;
  settings.startMinute = 0;
  settings.endMinute = 1;
  settings.startSecond = 5;
  settings.endSecond = 6;
  const BootMomentSpace space(settings);
  ASSERT_EQ(space.size(), 8u);
  const std::vector<std::array<int, 3>> expected = {{10, 0, 5}, {10, 0, 6}, {10, 1, 5}, {10, 1, 6},
                                                    {11, 0, 5}, {11, 0, 6}, {11, 1, 5}, {11, 1, 6}};
  for (std::uint64_t i = 0; i < 8; ++i) {
    const BootMoment moment = space.momentAt(i);
    EXPECT_EQ((std::array<int, 3>{moment.hour, moment.minute, moment.second}), expected[i]) << i;
    EXPECT_EQ(moment.keyMask, 0x3FF);
  }
}

TEST(BootMomentSpace, AnEmptyTimeRangeHasNoMoments) {
  SearchSettings settings = dates({11, 1, 1}, {11, 1, 3});
  settings.startMinute = 30;
  settings.endMinute = 29;
  EXPECT_EQ(BootMomentSpace(settings).size(), 0u);
}

TEST(BootMomentSpace, MomentsCountThroughKeysTimesAndDays) {
  SearchSettings settings = dates({12, 2, 28}, {12, 3, 1});
  settings.keyInputEnabled = true;
  settings.startHour = settings.endHour = 23;
  settings.startMinute = settings.endMinute = 59;
  settings.startSecond = 58;
  const BootMomentSpace space(settings);
  ASSERT_EQ(space.size(), 3u * 2 * 540);
  const BootMoment last = space.momentAt(space.size() - 1);
  EXPECT_EQ((std::array<int, 5>{last.month, last.day, last.second, last.keyMask, last.weekday}),
            (std::array<int, 5>{3, 1, 59, 0x3FF, 4}));
  const BootMoment leapDay = space.momentAt(2 * 540 + 540 + 1);
  EXPECT_EQ((std::array<int, 4>{leapDay.month, leapDay.day, leapDay.second, leapDay.weekday}),
            (std::array<int, 4>{2, 29, 59, 3}));
}

}  // namespace
}  // namespace hanabira
