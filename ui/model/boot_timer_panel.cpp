#include "ui/model/boot_timer_panel.h"

#include <array>
#include <charconv>
#include <system_error>
#include <utility>

#include <fmt/format.h>

#include "i18n/translate.h"
#include "ui/model/result_table.h"
#include "ui/model/searched_lines.h"

namespace hanabira {
namespace {

std::optional<int> number(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The lines name the year within the century the console's clock keeps (2000 to 2099).
std::string dateText(const Date& date) { return fmt::format("20{:02}-{:02}-{:02}", date.year, date.month, date.day); }

}  // namespace

std::optional<BootTarget> bootTargetOfRow(const ResultTable& table, std::size_t row) {
  if (row >= table.rowCount()) return std::nullopt;
  const std::size_t first = firstSearchColumn(table);
  std::array<int, 6> fields{};
  for (std::size_t column = 0; column < fields.size(); ++column) {
    const std::optional<int> value = number(table.cell(row, first + column));
    if (!value) return std::nullopt;
    fields[column] = *value;
  }
  const auto [year, month, day, hour, minute, second] = fields;
  const Date date{year >= 2000 ? year - 2000 : year, month, day};
  if (date.year < 0 || date.year > 99 || month < 1 || month > 12 || day < 1 || day > daysInMonth(date.year, month) ||
      hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
    return std::nullopt;
  }
  return BootTarget{date, hour, minute, second};
}

BootTimerPanel::BootTimerPanel(const BootTarget& target, CalibrationStore& store, BootTimer::Clock clock)
    : target_(target), store_(store), timer_({}, clock), clock_(std::move(clock)) {
  settings_.calibrationMs = store_.timerCalibrationMs();
  reschedule();
}

void BootTimerPanel::reschedule() {
  schedule_ = bootSchedule(target_.second, settings_);
  timer_ = BootTimer(schedule_, clock_);
  remaining_ = std::chrono::milliseconds(schedule_.launchMs);
}

void BootTimerPanel::setTarget(const BootTarget& target) {
  target_ = target;
  reschedule();
}

std::string BootTimerPanel::targetText() const {
  return fmt::format("{} {:02}:{:02}:{:02}", dateText(target_.date), target_.hour, target_.minute, target_.second);
}

std::string BootTimerPanel::clockText() const {
  const std::optional<ConsoleClockSetting> clock =
      consoleClockSetting(target_.date, target_.hour, target_.minute, schedule_.minutesBefore);
  if (!clock) return std::string(tr("The console's clock cannot be set early enough for this moment."));
  return trf("Set the console's clock to {} {:02}:{:02}; start the timer as you confirm it.", dateText(clock->date),
             clock->hour, clock->minute);
}

std::string BootTimerPanel::countdown() const { return countdownText(remaining_); }

std::optional<std::string> BootTimerPanel::setCalibrationMs(int calibrationMs) {
  settings_.calibrationMs = calibrationMs;
  reschedule();
  return store_.keepTimerCalibration(calibrationMs);
}

void BootTimerPanel::start() {
  timer_.start();
  remaining_ = std::chrono::milliseconds(schedule_.launchMs);
}

void BootTimerPanel::stop() {
  timer_.stop();
  remaining_ = std::chrono::milliseconds(schedule_.launchMs);
}

BootTimer::Tick BootTimerPanel::poll() {
  if (!timer_.running()) return {remaining_, false, false};
  const BootTimer::Tick tick = timer_.poll();
  remaining_ = tick.remaining;
  return tick;
}

std::optional<int> BootTimerPanel::proposedCalibrationMs() const {
  if (secondsLate_ == 0) return std::nullopt;
  return correctedCalibrationMs(settings_.calibrationMs, secondsLate_);
}

std::string BootTimerPanel::proposalText() const {
  const std::optional<int> proposal = proposedCalibrationMs();
  if (!proposal) return {};
  if (secondsLate_ > 0) return trf("{} s late: calibration {} ms", secondsLate_, *proposal);
  return trf("{} s early: calibration {} ms", -secondsLate_, *proposal);
}

std::optional<std::string> BootTimerPanel::applyProposal() {
  const std::optional<int> proposal = proposedCalibrationMs();
  if (!proposal) return std::nullopt;
  secondsLate_ = 0;
  return setCalibrationMs(*proposal);
}

}  // namespace hanabira
