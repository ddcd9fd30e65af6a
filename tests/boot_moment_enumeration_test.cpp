#include <gtest/gtest.h>

#include <optional>
#include <tuple>
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
  SearchSettings settings = withKeyInput();
  EXPECT_TRUE(isKeyMaskSearched(settings, 0xFFF));   // nothing held
  EXPECT_TRUE(isKeyMaskSearched(settings, 0xFFE));   // A
  EXPECT_FALSE(isKeyMaskSearched(settings, 0xFCF));  // Right and Left
  EXPECT_FALSE(isKeyMaskSearched(settings, 0xF3F));  // Up and Down
  EXPECT_FALSE(isKeyMaskSearched(settings, 0xCF3));  // Select, Start, R and L
  EXPECT_TRUE(isKeyMaskSearched(settings, 0xCF7));   // Select, R and L only
  EXPECT_FALSE(isKeyMaskSearched(settings, 0xC00));  // the ten keys of the register
  EXPECT_FALSE(isKeyMaskSearched(settings, 0xBFF));  // X, which needs keyXYEnabled

  // X and Y take part in neither exclusion.
  settings.keyXYEnabled = true;
  EXPECT_TRUE(isKeyMaskSearched(settings, 0x3FF));   // X and Y
  EXPECT_TRUE(isKeyMaskSearched(settings, 0x3F7));   // X, Y and Start
  EXPECT_FALSE(isKeyMaskSearched(settings, 0x0F3));  // X, Y and the soft reset
  EXPECT_FALSE(isKeyMaskSearched(settings, 0x7CF));  // Y, Right and Left

  int rightAndLeftSearched = 0;
  for (int mask = 0; mask <= noKeysHeld; ++mask)
    rightAndLeftSearched += (mask & 0x30) == 0 && isKeyMaskSearched(settings, mask);
  EXPECT_EQ(rightAndLeftSearched, 0);
}

TEST(KeyFilter, WithoutExclusionEveryMaskIsSearched) {
  SearchSettings settings = withKeyInput();
  settings.excludeOppositeAndReset = false;
  EXPECT_EQ(searchedKeyMasks(settings).size(), 1024u);
  settings.keyXYEnabled = true;
  EXPECT_EQ(searchedKeyMasks(settings).size(), 4096u);
}

TEST(KeyFilter, DisallowedKeysAreNeverHeld) {
  SearchSettings settings = withKeyInput();
  settings.keyXYEnabled = true;
  settings.keyAllowed.fill(false);
  EXPECT_EQ(searchedKeyMasks(settings), std::vector<std::uint16_t>{noKeysHeld});

  settings.keyAllowed.fill(true);
  settings.keyAllowed[3] = false;  // Start
  settings.keyAllowed[keyY] = false;
  int withX = 0;
  for (std::uint16_t mask : searchedKeyMasks(settings)) {
    EXPECT_NE(mask & 0x8, 0) << mask;
    EXPECT_NE(mask & 1 << keyY, 0) << mask;
    withX += (mask & 1 << keyX) == 0;
  }
  EXPECT_GT(withX, 0);
}

TEST(KeyFilter, WithoutKeyInputOnlyNoKeyIsSearched) {
  SearchSettings settings;
  settings.keyAllowed.fill(false);
  settings.excludeOppositeAndReset = false;
  settings.keyXYEnabled = true;
  settings.keyCountMax = 0;
  EXPECT_EQ(searchedKeyMasks(settings), std::vector<std::uint16_t>{noKeysHeld});
}

TEST(KeyFilter, MasksAscendAndEndWithNoKey) {
  SearchSettings settings = withKeyInput();
  const std::vector<std::uint16_t> masks = searchedKeyMasks(settings);
  EXPECT_EQ(masks.size(), 540u);  // 1024 less 448 with opposite directions, less 36 more soft resets
  EXPECT_TRUE(std::is_sorted(masks.begin(), masks.end()));
  EXPECT_EQ(masks.back(), noKeysHeld);
  // With X and Y, the ten keys' masks are among them in the same order.
  settings.keyXYEnabled = true;
  const std::vector<std::uint16_t> twelve = searchedKeyMasks(settings);
  EXPECT_EQ(twelve.size(), 4 * 540u);
  EXPECT_TRUE(std::is_sorted(twelve.begin(), twelve.end()));
  EXPECT_EQ(std::vector<std::uint16_t>(twelve.end() - 540, twelve.end()), masks);
}

// The masks of a second counted apart from the filter: each key, or group of keys an
// exclusion ties, is a polynomial in t whose coefficient of t^n counts its ways of
// holding n keys; their product counts the masks of the second by keys held.
using Polynomial = std::vector<long>;

Polynomial operator*(const Polynomial& a, const Polynomial& b) {
  Polynomial product(a.size() + b.size() - 1);
  for (std::size_t i = 0; i < a.size(); ++i) {
    for (std::size_t j = 0; j < b.size(); ++j) product[i + j] += a[i] * b[j];
  }
  return product;
}

long masksHoldingAtMost(bool withXAndY, bool excluding, std::optional<int> keyCountMax) {
  const Polynomial key = {1, 1};
  const Polynomial oppositePair = excluding ? Polynomial{1, 2} : key * key;  // never both
  Polynomial resetFour = key * key * key * key;                              // Select, Start, R, L
  if (excluding) resetFour[4] = 0;
  Polynomial all = key * key * oppositePair * oppositePair * resetFour;  // A and B first
  if (withXAndY) all = all * key * key;
  long count = 0;
  for (std::size_t n = 0; n < all.size(); ++n) {
    if (!keyCountMax || static_cast<int>(n) <= *keyCountMax) count += all[n];
  }
  return count;
}

// Every combination of X and Y and the exclusions, with every limit: a second of the
// search has exactly the masks of the filter without a limit that hold at most that
// many keys, as many as the count apart says.
TEST(KeyFilter, KeyCountMaxKeepsExactlyTheMasksHoldingAtMostThatMany) {
  for (const bool withXAndY : {false, true}) {
    for (const bool excluding : {false, true}) {
      SearchSettings unlimited = withKeyInput();
      unlimited.startYear = unlimited.endYear = 11;
      unlimited.startMonth = unlimited.endMonth = 9;
      unlimited.startDay = unlimited.endDay = 27;
      unlimited.startHour = unlimited.endHour = 13;
      unlimited.startMinute = unlimited.endMinute = 47;
      unlimited.startSecond = unlimited.endSecond = 35;
      unlimited.keyXYEnabled = withXAndY;
      unlimited.excludeOppositeAndReset = excluding;
      std::vector<std::optional<int>> limits = {std::nullopt};
      for (int k = 0; k <= keyMaskBits; ++k) limits.push_back(k);
      for (const std::optional<int> limit : limits) {
        SearchSettings limited = unlimited;
        limited.keyCountMax = limit;
        const std::string what = ::testing::PrintToString(std::tuple(withXAndY, excluding, limit));
        EXPECT_EQ(BootMomentSpace(limited).size(),
                  static_cast<std::uint64_t>(masksHoldingAtMost(withXAndY, excluding, limit)))
            << what;
        for (int mask = 0; mask <= noKeysHeld; ++mask) {
          const bool expected = isKeyMaskSearched(unlimited, mask) && (!limit || heldKeyCount(mask) <= *limit);
          ASSERT_EQ(isKeyMaskSearched(limited, mask), expected) << what << ", mask " << mask;
        }
      }
    }
  }
  EXPECT_EQ(masksHoldingAtMost(false, true, std::nullopt), 540);
  EXPECT_EQ(masksHoldingAtMost(true, true, std::nullopt), 2160);
  // A peer that never holds more than eight keys counts 2,144 masks a second.
  EXPECT_EQ(masksHoldingAtMost(true, true, 8), 2144);
  EXPECT_EQ(masksHoldingAtMost(true, false, 12), 4096);
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
    EXPECT_EQ(moment.keyMask, noKeysHeld);
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
            (std::array<int, 5>{3, 1, 59, noKeysHeld, 4}));
  const BootMoment leapDay = space.momentAt(2 * 540 + 540 + 1);
  EXPECT_EQ((std::array<int, 4>{leapDay.month, leapDay.day, leapDay.second, leapDay.weekday}),
            (std::array<int, 4>{2, 29, 59, 3}));
}

}  // namespace
}  // namespace hanabira
