// The boot timer of the method players use for these games: they set the console's clock
// to a whole minute, start the timer at the moment they confirm that clock, and launch
// the game at the last of a few beeps, so that the game reads its clock in the target
// second. The rules and their defaults follow the timer most players use (its Gen 5
// "Standard" mode), so that a calibration found with it carries over; the window and
// its sounds live in the front ends.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/calendar.h"

namespace hanabira {

// The time from pressing launch to the moment the game reads the clock, negated; the
// players' common starting value (their timer's -95 frames).
inline constexpr int defaultBootCalibrationMs = -1588;

struct BootTimerSettings {
  int calibrationMs = defaultBootCalibrationMs;
  int beepCount = 6;
  int beepIntervalMs = 500;
  // The launch comes at least this long after the confirmation, a whole minute later if
  // need be, so that the player has time to get from the clock to the launch.
  int minimumLeadMs = 14000;
};

struct BootSchedule {
  int launchMs = 0;         // from confirming the console's clock to launching the game
  int minutesBefore = 0;    // the clock is set this many minutes before the target's minute
  std::vector<int> beepMs;  // from the confirmation, ascending; the last one is the launch
};

// The schedule for a boot in second targetSecond (0 to 59) of a minute: launch at
// targetSecond s + calibration + 200 ms after the confirmation, raised by whole minutes
// to the minimum lead; the 200 ms aim a little into the target second. Beeps come every
// beep interval up to the launch, beepCount of them at most, none before the start.
// The calibration and the minimum lead are expected within an hour either way.
BootSchedule bootSchedule(int targetSecond, const BootTimerSettings& settings);

// What the player enters as the console's time: the target's minute less minutesBefore
// minutes, confirmed at second 0. None before 2000-01-01 00:00, which the clock cannot
// show.
struct ConsoleClockSetting {
  Date date;
  int hour = 0;
  int minute = 0;

  friend bool operator==(const ConsoleClockSetting&, const ConsoleClockSetting&) = default;
};
std::optional<ConsoleClockSetting> consoleClockSetting(const Date& targetDate, int targetHour, int targetMinute,
                                                       int minutesBefore);

// The calibration to use after a launch that put the game secondsLate seconds after the
// target second (negative: early). It moves by the whole seconds less half a second, so a
// miss by one second moves it half a second, toward the target.
int correctedCalibrationMs(int calibrationMs, int secondsLate);

// A calibration in frames of the DS (59.8261 a second), the other timer's default unit,
// in milliseconds, rounded half to even as that timer rounds.
int calibrationMsFromFrames(int frames);

// The large countdown: "12.345", "1:02.345"; never below "0.000".
std::string countdownText(std::chrono::milliseconds remaining);

// Runs a schedule against a clock that the front end's refresh polls.
class BootTimer {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  struct Tick {
    std::chrono::milliseconds remaining{0};  // to the launch
    bool beep = false;                       // a beep fell due since the last poll
    bool launched = false;                   // the launch is due; the timer has stopped
  };

  BootTimer(BootSchedule schedule, Clock clock);

  // At the moment the player confirms the console's clock.
  void start();
  void stop();
  bool running() const { return startedAt_.has_value(); }

  // Beeps missed while the caller was late sound once, not several times at once.
  Tick poll();

 private:
  BootSchedule schedule_;
  Clock clock_;
  std::optional<std::chrono::steady_clock::time_point> startedAt_;
  std::size_t nextBeep_ = 0;
};

}  // namespace hanabira
