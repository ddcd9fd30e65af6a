#include "core/calendar.h"

#include <gtest/gtest.h>

namespace hanabira {
namespace {

TEST(Calendar, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(isLeapYear(0));  // 2000
  EXPECT_TRUE(isLeapYear(12));
  EXPECT_FALSE(isLeapYear(11));
  EXPECT_EQ(daysInMonth(12, 2), 29);
  EXPECT_EQ(daysInMonth(11, 2), 28);
  EXPECT_EQ(daysInMonth(11, 4), 30);
  EXPECT_EQ(daysInMonth(11, 12), 31);
  EXPECT_EQ(daysInMonth(11, 13), 0);
  EXPECT_EQ(daysInMonth(11, 0), 0);
}

TEST(Calendar, CalendarDates) {
  EXPECT_TRUE(isCalendarDate({12, 2, 29}));
  EXPECT_FALSE(isCalendarDate({11, 2, 29}));
  EXPECT_FALSE(isCalendarDate({11, 4, 31}));
  EXPECT_FALSE(isCalendarDate({11, 1, 0}));
  EXPECT_FALSE(isCalendarDate({100, 1, 1}));
  EXPECT_FALSE(isCalendarDate({-1, 1, 1}));
  EXPECT_TRUE(isCalendarDate({99, 12, 31}));
}

TEST(Calendar, Weekdays) {
  EXPECT_EQ(weekday({11, 9, 27}), 2);  // a Tuesday
  EXPECT_EQ(weekday({0, 1, 1}), 6);    // a Saturday
  EXPECT_EQ(weekday({12, 2, 29}), 3);  // a Wednesday
  EXPECT_EQ(weekday({99, 12, 31}), 4);
}

TEST(Calendar, DayNumbersWalkEveryDateOfTheCentury) {
  Date expected{0, 1, 1};
  int dates = 0;
  for (int days = 0; days < dayNumber({99, 12, 31}) + 1; ++days, ++dates) {
    const Date date = dateFromDayNumber(days);
    ASSERT_TRUE(isCalendarDate(date)) << days;
    ASSERT_EQ(dayNumber(date), days);
    ASSERT_GE(date, expected);
    expected = date;
  }
  EXPECT_EQ(dates, 36525);  // 100 years, 25 of them leap years
}

}  // namespace
}  // namespace hanabira
