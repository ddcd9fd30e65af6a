// Dates of the console clock: years 0 to 99 stand for 2000 to 2099, every fourth year
// (2000 included) is a leap year.
#pragma once

#include <compare>

namespace hanabira {

struct Date {
  int year = 0;  // 0 to 99
  int month = 1;
  int day = 1;

  friend auto operator<=>(const Date&, const Date&) = default;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);
bool isCalendarDate(const Date& date);

// Days since 2000-01-01 (day 0), and back. Only for calendar dates.
int dayNumber(const Date& date);
Date dateFromDayNumber(int days);

// 0 = Sunday to 6 = Saturday.
int weekday(const Date& date);

}  // namespace hanabira
