// The boot timer's window under Wine against a fake clock: the countdown, the beeps and
// the keys reaching it from its controls, and its calibration kept in config.txt.
#include "ui/win32/boot_timer_window.h"

#include <gtest/gtest.h>

#include "ui/model/control_ids.h"
#include "ui/win32/main_window.h"
#include "ui/win32/wide_text.h"
#include "window_driver.h"

namespace hanabira::testing {
namespace {

const std::string todaysConfig = "60\r\nc79\r\n6000000\r\n8\r\n00-11-22-33-44-55\r\n02215F10\r\n";
// Second 5 launches 63612 ms after the start with the default calibration.
const BootTarget timerTarget{{11, 3, 5}, 0, 0, 5};

struct FakeClock {
  std::chrono::steady_clock::time_point now{};
  BootTimer::Clock clock() {
    return [this] { return now; };
  }
  void at(int ms) { now = std::chrono::steady_clock::time_point{} + std::chrono::milliseconds(ms); }
};

void press(HWND control, WPARAM key) { SendMessageW(control, WM_KEYDOWN, key, 0); }

TEST(Win32BootTimer, CountsDownAndBeepsFromTheKeyboard) {
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  FakeClock fake;
  int beeps = 0;
  BootTimerWindow timer(timerTarget, window.commands(), window.handle(), fake.clock(), [&] { ++beeps; });
  const HWND w = timer.handle();
  timer.show();
  EXPECT_EQ(windowText(w), "起動タイマー");
  EXPECT_EQ(text(w, timerClockId), "本体の時計を 2011-03-04 23:59 に設定し、決定と同時にタイマーを開始してください。");
  EXPECT_EQ(text(w, timerCountdownId), "1:03.612");

  press(GetDlgItem(w, timerStartStopId), VK_SPACE);
  EXPECT_TRUE(timer.panel().running());
  fake.at(61112);
  timer.refresh();
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(text(w, timerCountdownId), "2.500");
  press(GetDlgItem(w, timerCalibrationId), VK_ESCAPE);
  EXPECT_FALSE(timer.panel().running());
  EXPECT_EQ(text(w, timerCountdownId), "1:03.612");

  fake.at(0);
  press(GetDlgItem(w, timerSecondsLateId), VK_RETURN);
  ASSERT_TRUE(timer.panel().running());
  for (int ms = 61000; ms <= 64000; ms += 100) {
    fake.at(ms);
    timer.refresh();
  }
  EXPECT_EQ(beeps, 7);
  EXPECT_FALSE(timer.panel().running());
  EXPECT_EQ(text(w, timerCountdownId), "0.000");
}

// Today's config.txt stays as it is until the calibration moves from the default; the
// proposal after a miss, applied, adds one line.
TEST(Win32BootTimer, ProposalAppliedIsKeptInConfig) {
  ScratchDirectory dir;
  dir.write("config.txt", todaysConfig);
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  FakeClock fake;
  BootTimerWindow timer(timerTarget, window.commands(), window.handle(), fake.clock(), [] {});
  const HWND w = timer.handle();
  timer.show();
  type(w, timerCalibrationId, "-1588");
  timer.start();
  timer.stop();
  EXPECT_EQ(dir.read("config.txt"), todaysConfig);

  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(w, timerApplyId)));
  timer.proposeAfterMiss(-1);
  EXPECT_EQ(text(w, timerProposalId), "1 秒早い: キャリブレーション -1088 ms");
  click(w, timerApplyId);
  EXPECT_EQ(text(w, timerCalibrationId), "-1088");
  EXPECT_EQ(text(w, timerCountdownId), "1:04.112");
  EXPECT_EQ(dir.read("config.txt"), "60\nc79\n6000000\n8\n00-11-22-33-44-55\n02215F10\ntimerCalibrationMs=-1088\n");
  EXPECT_EQ(window.commands().timerCalibrationMs(), -1088);
}

}  // namespace
}  // namespace hanabira::testing
