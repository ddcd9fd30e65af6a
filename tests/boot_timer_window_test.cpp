// The boot timer's window against a fake clock: the countdown, the beeps and the keys,
// and its calibration kept in config.txt through the main window's commands.
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "gui_test_support.h"
#include "ui/qt/boot_timer_window.h"

namespace hanabira {

using namespace hanabira::testing;

namespace {

const QByteArray todaysConfig = "60\r\nc79\r\n6000000\r\n8\r\n00-11-22-33-44-55\r\n02215F10\r\n";
// Second 5 launches 63612 ms after the start with the default calibration.
const BootTarget target{{11, 3, 5}, 0, 0, 5};

struct FakeClock {
  std::chrono::steady_clock::time_point now{};
  BootTimer::Clock clock() {
    return [this] { return now; };
  }
  void at(int ms) { now = std::chrono::steady_clock::time_point{} + std::chrono::milliseconds(ms); }
};

}  // namespace

class BootTimerWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void countsDownAndBeepsFromTheKeyboard() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    FakeClock fake;
    int beeps = 0;
    BootTimerWindow timer(target, window.commands(), &window, fake.clock(), [&] { ++beeps; });
    timer.show();
    timer.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&timer));
    QCOMPARE(timer.windowTitle(), QStringLiteral("起動タイマー"));
    QCOMPARE(timer.countdownLabel()->text(), QStringLiteral("1:03.612"));

    QTest::keyClick(&timer, Qt::Key_Space);
    QVERIFY(timer.panel().running());
    fake.at(61112);
    timer.refresh();
    QCOMPARE(beeps, 1);
    QCOMPARE(timer.countdownLabel()->text(), QStringLiteral("2.500"));
    QTest::keyClick(&timer, Qt::Key_Escape);
    QVERIFY(!timer.panel().running());
    QCOMPARE(timer.countdownLabel()->text(), QStringLiteral("1:03.612"));

    // Enter starts it from the calibration field too; the beeps come up to the launch.
    fake.at(0);
    timer.calibrationField()->setFocus();
    QTest::keyClick(timer.calibrationField(), Qt::Key_Return);
    QVERIFY(timer.panel().running());
    for (int ms = 61000; ms <= 64000; ms += 100) {
      fake.at(ms);
      timer.refresh();
    }
    QCOMPARE(beeps, 7);
    QVERIFY(!timer.panel().running());
    QCOMPARE(timer.countdownLabel()->text(), QStringLiteral("0.000"));
  }

  // Today's config.txt stays as it is until the calibration moves from the default; then
  // it gains one line, which the next start reads and a save keeps.
  void calibrationIsKeptOnceChanged() {
    ScratchDirectory dir;
    dir.write("config.txt", todaysConfig);
    {
      MainWindow window(EditFieldWidth::FitsVisibleWidth);
      FakeClock fake;
      BootTimerWindow timer(target, window.commands(), &window, fake.clock(), [] {});
      timer.calibrationField()->setValue(defaultBootCalibrationMs);
      timer.start();
      timer.stop();
      QCOMPARE(dir.read("config.txt"), todaysConfig);

      QVERIFY(!timer.applyButton()->isEnabled());
      timer.proposeAfterMiss(1);  // as the neighbours' window reports a second late
      QVERIFY(timer.applyButton()->isEnabled());
      QTest::mouseClick(timer.applyButton(), Qt::LeftButton);
      QCOMPARE(timer.calibrationField()->value(), -2088);
      QCOMPARE(timer.countdownLabel()->text(), QStringLiteral("1:03.112"));
      QCOMPARE(dir.read("config.txt"), QByteArray("60\nc79\n6000000\n8\n00-11-22-33-44-55\n02215F10\n"
                                                  "timerCalibrationMs=-2088\n"));
    }
    MainWindow next(EditFieldWidth::FitsVisibleWidth);
    QCOMPARE(next.commands().timerCalibrationMs(), -2088);
    click(next, saveButton);
    QVERIFY(dir.read("config.txt").endsWith("\ntimerCalibrationMs=-2088\n"));
  }
};

}  // namespace hanabira

QTEST_MAIN(hanabira::BootTimerWindowTest)
#include "boot_timer_window_test.moc"
