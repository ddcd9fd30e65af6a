#include "core/calendar.h"

#include <chrono>

namespace hanabira {
namespace {

std::chrono::year_month_day toChrono(const Date& date) {
  return std::chrono::year{2000 + date.year} / std::chrono::month(static_cast<unsigned>(date.month)) /
         std::chrono::day(static_cast<unsigned>(date.day));
}

constexpr std::chrono::sys_days epoch = std::chrono::sys_days{std::chrono::year{2000} / 1 / 1};

}  // namespace

bool isLeapYear(int year) { return std::chrono::year{2000 + year}.is_leap(); }

int daysInMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  const auto last =
      std::chrono::year{2000 + year} / std::chrono::month(static_cast<unsigned>(month)) / std::chrono::last;
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

bool isCalendarDate(const Date& date) {
  return date.year >= 0 && date.year <= 99 && date.day >= 1 && date.day <= daysInMonth(date.year, date.month);
}

int dayNumber(const Date& date) { return static_cast<int>((std::chrono::sys_days{toChrono(date)} - epoch).count()); }

Date dateFromDayNumber(int days) {
  const std::chrono::year_month_day ymd{epoch + std::chrono::days{days}};
  return {static_cast<int>(ymd.year()) - 2000, static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

int weekday(const Date& date) {
  return static_cast<int>(std::chrono::weekday{std::chrono::sys_days{toChrono(date)}}.c_encoding());
}

}  // namespace hanabira
