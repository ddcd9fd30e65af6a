#include "ui/model/boot_timer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace hanabira {
namespace {

using std::chrono::milliseconds;

struct ScheduleCase {
  int targetSecond;
  BootTimerSettings settings;
  BootSchedule expected;
};

TEST(BootSchedule, LaunchMinutesBeforeAndBeeps) {
  const BootTimerSettings standard;
  const std::vector<ScheduleCase> cases = {
      {50, standard, {48612, 0, {46112, 46612, 47112, 47612, 48112, 48612}}},
      // Too soon after the confirmation: a minute later, the clock set a minute earlier.
      {5, standard, {63612, 1, {61112, 61612, 62112, 62612, 63112, 63612}}},
      {0, {0, 1, 500, 14000}, {60200, 1, {60200}}},
      {14, {-200, 2, 500, 14000}, {14000, 0, {13500, 14000}}},  // exactly the minimum lead
      {13, {-200, 2, 500, 14000}, {73000, 1, {72500, 73000}}},
      {59, {0, 3, 1000, 14000}, {59200, 0, {57200, 58200, 59200}}},
      // No beep before the start, none at all, and one for a zero interval.
      {1, {-1000, 6, 500, 0}, {200, 0, {200}}},
      {50, {-1588, 0, 500, 14000}, {48612, 0, {}}},
      {50, {-1588, 4, 0, 14000}, {48612, 0, {48612}}},
  };
  for (const ScheduleCase& c : cases) {
    const BootSchedule schedule = bootSchedule(c.targetSecond, c.settings);
    EXPECT_EQ(schedule.launchMs, c.expected.launchMs) << c.targetSecond;
    EXPECT_EQ(schedule.minutesBefore, c.expected.minutesBefore) << c.targetSecond;
    EXPECT_EQ(schedule.beepMs, c.expected.beepMs) << c.targetSecond;
  }
}

TEST(BootSchedule, ConsoleClockIsSetMinutesBeforeTheTarget) {
  const auto setting = [](int year, int month, int day, int hour, int minute) {
    return ConsoleClockSetting{{year, month, day}, hour, minute};
  };
  EXPECT_EQ(consoleClockSetting({11, 9, 27}, 13, 47, 0), setting(11, 9, 27, 13, 47));
  EXPECT_EQ(consoleClockSetting({11, 9, 27}, 13, 47, 1), setting(11, 9, 27, 13, 46));
  EXPECT_EQ(consoleClockSetting({11, 1, 1}, 0, 0, 1), setting(10, 12, 31, 23, 59));
  EXPECT_EQ(consoleClockSetting({12, 3, 1}, 0, 1, 2), setting(12, 2, 29, 23, 59));
  EXPECT_EQ(consoleClockSetting({0, 1, 1}, 0, 0, 1), std::nullopt);  // before 2000
}

// A console whose game reads its clock latencyMs after the launch: the second it reads
// when the player follows the schedule for targetSecond.
int secondRead(int targetSecond, int calibrationMs, int latencyMs) {
  BootTimerSettings settings;
  settings.calibrationMs = calibrationMs;
  return (bootSchedule(targetSecond, settings).launchMs + latencyMs) / 1000 % 60;
}

TEST(BootCalibration, ProposalsAfterMisses) {
  EXPECT_EQ(correctedCalibrationMs(-1588, 1), -2088);
  EXPECT_EQ(correctedCalibrationMs(-1588, -1), -1088);
  EXPECT_EQ(correctedCalibrationMs(-1588, 0), -1588);
  EXPECT_EQ(correctedCalibrationMs(-1588, 3), -4088);
  EXPECT_EQ(correctedCalibrationMs(0, -2), 1500);

  // Planted misses of one second: each proposal moves toward the target, and one or two
  // proposals reach it.
  const int latencyMs = 1588;
  for (int plantedErrorMs : {-1200, -1000, -400, 800, 1000, 1600}) {
    int calibrationMs = -latencyMs + plantedErrorMs;
    const int firstMiss = secondRead(50, calibrationMs, latencyMs) - 50;
    EXPECT_EQ(firstMiss, plantedErrorMs > 0 ? 1 : -1) << plantedErrorMs;
    int tries = 0;
    for (int late = firstMiss; late != 0 && tries < 2; ++tries) {
      const int next = correctedCalibrationMs(calibrationMs, late);
      EXPECT_LT(std::abs(next + latencyMs), std::abs(calibrationMs + latencyMs)) << plantedErrorMs;
      calibrationMs = next;
      late = secondRead(50, calibrationMs, latencyMs) - 50;
    }
    EXPECT_EQ(secondRead(50, calibrationMs, latencyMs), 50) << plantedErrorMs;
  }
}

TEST(BootCalibration, FramesOfTheOtherTimer) {
  EXPECT_EQ(calibrationMsFromFrames(-95), -1588);
  EXPECT_EQ(calibrationMsFromFrames(30), 501);
  EXPECT_EQ(calibrationMsFromFrames(1), 17);
  EXPECT_EQ(calibrationMsFromFrames(0), 0);
}

TEST(BootTimer, CountdownText) {
  EXPECT_EQ(countdownText(milliseconds(12345)), "12.345");
  EXPECT_EQ(countdownText(milliseconds(62345)), "1:02.345");
  EXPECT_EQ(countdownText(milliseconds(5)), "0.005");
  EXPECT_EQ(countdownText(milliseconds(-5)), "0.000");
}

TEST(BootTimer, BeepsAndLaunchAgainstAFakeClock) {
  std::chrono::steady_clock::time_point now{};
  BootTimer timer({2000, 0, {1000, 1500, 2000}}, [&now] { return now; });
  const auto at = [&](int ms) {
    now = std::chrono::steady_clock::time_point{} + milliseconds(ms);
    return timer.poll();
  };
  EXPECT_FALSE(at(0).beep);  // not started
  timer.start();
  struct Expected {
    int atMs;
    int remainingMs;
    bool beep;
    bool launched;
  };
  for (const Expected& e : std::vector<Expected>{
           {999, 1001, false, false},
           {1000, 1000, true, false},
           {1200, 800, false, false},
           {1999, 1, true, false},  // the beep at 1500, polled late
           {2000, 0, true, true},
       }) {
    const BootTimer::Tick tick = at(e.atMs);
    EXPECT_EQ(tick.remaining, milliseconds(e.remainingMs)) << e.atMs;
    EXPECT_EQ(tick.beep, e.beep) << e.atMs;
    EXPECT_EQ(tick.launched, e.launched) << e.atMs;
  }
  EXPECT_FALSE(timer.running());

  // Started again and stalled past every beep: one beep, then the launch.
  at(5000);
  timer.start();
  const BootTimer::Tick stalled = at(9000);
  EXPECT_TRUE(stalled.beep);
  EXPECT_TRUE(stalled.launched);

  // Stopped from the keyboard: nothing more sounds.
  at(10000);
  timer.start();
  timer.stop();
  EXPECT_FALSE(at(11000).beep);
  EXPECT_FALSE(timer.running());
}

}  // namespace
}  // namespace hanabira
