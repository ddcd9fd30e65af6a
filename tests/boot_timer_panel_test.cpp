// The timer window's course without a toolkit: the target read from a result line, the
// clock to set, the countdown against a fake clock, and the calibration kept and
// corrected after a miss. The texts are the window's Japanese, as in every test here.
#include "ui/model/boot_timer_panel.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/model/result_table.h"

namespace hanabira {
namespace {

using std::chrono::milliseconds;

class RecordingStore final : public CalibrationStore {
 public:
  int timerCalibrationMs() const override { return kept.empty() ? defaultBootCalibrationMs : kept.back(); }
  std::optional<std::string> keepTimerCalibration(int calibrationMs) override {
    kept.push_back(calibrationMs);
    return std::nullopt;
  }
  std::vector<int> kept;
};

struct FakeClock {
  std::chrono::steady_clock::time_point now{};
  BootTimer::Clock clock() {
    return [this] { return now; };
  }
  void at(int ms) { now = std::chrono::steady_clock::time_point{} + milliseconds(ms); }
};

TEST(BootTimerPanel, TargetIsTheLinesMoment) {
  ResultTable table;
  table.start(TextEncoding::Utf8);
  table.add(
      "年,月,日,時,分,秒,消費数\r\n"
      "2011,3,5,12,34,50,7\r\n"
      "11,2,29,0,0,0,7\r\n"  // no 29 February in 2011
      "11,1,1,24,0,0,7\r\n"
      "x,1,1,0,0,0,7\r\n"
      "99,12,31,23,59,59,7\r\n");
  EXPECT_EQ(bootTargetOfRow(table, 0), (BootTarget{{11, 3, 5}, 12, 34, 50}));
  EXPECT_EQ(bootTargetOfRow(table, 1), std::nullopt);
  EXPECT_EQ(bootTargetOfRow(table, 2), std::nullopt);
  EXPECT_EQ(bootTargetOfRow(table, 3), std::nullopt);
  EXPECT_EQ(bootTargetOfRow(table, 4), (BootTarget{{99, 12, 31}, 23, 59, 59}));
  EXPECT_EQ(bootTargetOfRow(table, 5), std::nullopt);  // no such row
}

TEST(BootTimerPanel, ClockAndCountdownAgainstAFakeClock) {
  RecordingStore store;
  FakeClock fake;
  // Second 5 launches at 63612 ms, so the clock is set a minute early, across midnight.
  BootTimerPanel panel({{11, 3, 5}, 0, 0, 5}, store, fake.clock());
  EXPECT_EQ(panel.targetText(), "2011-03-05 00:00:05");
  EXPECT_EQ(panel.clockText(), "本体の時計を 2011-03-04 23:59 に設定し、決定と同時にタイマーを開始してください。");
  EXPECT_EQ(panel.countdown(), "1:03.612");

  panel.start();
  fake.at(61111);
  EXPECT_FALSE(panel.poll().beep);
  EXPECT_EQ(panel.countdown(), "2.501");
  fake.at(61112);
  EXPECT_TRUE(panel.poll().beep);
  fake.at(70000);
  const BootTimer::Tick launch = panel.poll();
  EXPECT_TRUE(launch.launched);
  EXPECT_FALSE(panel.running());
  EXPECT_EQ(panel.countdown(), "0.000");  // until the next start

  panel.start();
  panel.stop();
  EXPECT_EQ(panel.countdown(), "1:03.612");
  EXPECT_TRUE(store.kept.empty());  // nothing kept unless the user sets a calibration

  panel.setTarget({{0, 1, 1}, 0, 0, 5});
  EXPECT_EQ(panel.clockText(), "この時刻に間に合うように本体の時計を設定できません。");
}

// A planted miss of one second either way proposes half a second back toward the target;
// applying it keeps it, moves the launch and forgets the miss.
TEST(BootTimerPanel, ProposalAfterAMissIsAppliedAndKept) {
  RecordingStore store;
  FakeClock fake;
  BootTimerPanel panel({{11, 3, 5}, 12, 34, 50}, store, fake.clock());
  EXPECT_EQ(panel.proposalText(), "");
  EXPECT_EQ(panel.applyProposal(), std::nullopt);
  EXPECT_TRUE(store.kept.empty());

  panel.setSecondsLate(1);
  EXPECT_EQ(panel.proposalText(), "1 秒遅れ: キャリブレーション -2088 ms");
  panel.applyProposal();
  EXPECT_EQ(store.kept, std::vector<int>{-2088});
  EXPECT_EQ(panel.calibrationMs(), -2088);
  EXPECT_EQ(panel.secondsLate(), 0);
  EXPECT_EQ(panel.countdown(), "48.112");

  panel.setSecondsLate(-1);
  EXPECT_EQ(panel.proposalText(), "1 秒早い: キャリブレーション -1588 ms");
  panel.applyProposal();
  EXPECT_EQ(store.kept, (std::vector<int>{-2088, -1588}));

  // A panel opened later starts from the kept calibration.
  BootTimerPanel next({{11, 3, 5}, 12, 34, 50}, store, fake.clock());
  EXPECT_EQ(next.calibrationMs(), -1588);
}

}  // namespace
}  // namespace hanabira
