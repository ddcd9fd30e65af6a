#include "ui/model/boot_timer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include <fmt/format.h>

namespace hanabira {
namespace {

constexpr int msPerMinute = 60000;
constexpr int minutesPerDay = 1440;
// The aim into the target second, so that a launch a little early still lands in it.
constexpr int aimIntoSecondMs = 200;
// Frames a second of the DS, DSi and 3DS running these games.
constexpr double framesPerSecond = 59.8261;

std::vector<int> beepTimes(int launchMs, const BootTimerSettings& settings) {
  std::vector<int> beeps;
  for (std::int64_t i = 0; i < settings.beepCount; ++i) {
    const std::int64_t before = i * settings.beepIntervalMs;
    if (before >= launchMs || (i > 0 && settings.beepIntervalMs <= 0)) break;
    beeps.push_back(static_cast<int>(launchMs - before));
  }
  std::reverse(beeps.begin(), beeps.end());
  return beeps;
}

}  // namespace

BootSchedule bootSchedule(int targetSecond, const BootTimerSettings& settings) {
  int launchMs = targetSecond * 1000 + settings.calibrationMs + aimIntoSecondMs;
  if (launchMs < settings.minimumLeadMs) {
    launchMs += (settings.minimumLeadMs - launchMs + msPerMinute - 1) / msPerMinute * msPerMinute;
  }
  return {launchMs, launchMs / msPerMinute, beepTimes(launchMs, settings)};
}

std::optional<ConsoleClockSetting> consoleClockSetting(const Date& targetDate, int targetHour, int targetMinute,
                                                       int minutesBefore) {
  const std::int64_t minutes =
      std::int64_t{dayNumber(targetDate)} * minutesPerDay + targetHour * 60 + targetMinute - minutesBefore;
  if (minutes < 0) return std::nullopt;
  const int minuteOfDay = static_cast<int>(minutes % minutesPerDay);
  return ConsoleClockSetting{dateFromDayNumber(static_cast<int>(minutes / minutesPerDay)), minuteOfDay / 60,
                             minuteOfDay % 60};
}

int correctedCalibrationMs(int calibrationMs, int secondsLate) {
  if (secondsLate == 0) return calibrationMs;
  const int halfSecondBack = secondsLate > 0 ? 500 : -500;
  return calibrationMs - secondsLate * 1000 + halfSecondBack;
}

int calibrationMsFromFrames(int frames) {
  // nearbyint rounds ties to even in the default rounding mode.
  return static_cast<int>(std::nearbyint(frames * 1000.0 / framesPerSecond));
}

std::string countdownText(std::chrono::milliseconds remaining) {
  const std::int64_t ms = std::max<std::int64_t>(remaining.count(), 0);
  const std::int64_t minutes = ms / msPerMinute;
  const std::int64_t seconds = ms / 1000 % 60;
  if (minutes == 0) return fmt::format("{}.{:03}", seconds, ms % 1000);
  return fmt::format("{}:{:02}.{:03}", minutes, seconds, ms % 1000);
}

BootTimer::BootTimer(BootSchedule schedule, Clock clock) : schedule_(std::move(schedule)), clock_(std::move(clock)) {}

void BootTimer::start() {
  startedAt_ = clock_();
  nextBeep_ = 0;
}

void BootTimer::stop() { startedAt_.reset(); }

BootTimer::Tick BootTimer::poll() {
  if (!startedAt_) return {};
  using std::chrono::milliseconds;
  const auto elapsed = std::chrono::duration_cast<milliseconds>(clock_() - *startedAt_);
  Tick tick;
  tick.remaining = std::max(milliseconds(schedule_.launchMs) - elapsed, milliseconds(0));
  while (nextBeep_ < schedule_.beepMs.size() && milliseconds(schedule_.beepMs[nextBeep_]) <= elapsed) {
    tick.beep = true;
    ++nextBeep_;
  }
  if (elapsed >= milliseconds(schedule_.launchMs)) {
    tick.launched = true;
    stop();
  }
  return tick;
}

}  // namespace hanabira
