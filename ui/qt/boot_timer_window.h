// The boot timer's window for a line of the results table, owned by the main window:
// the console's clock to set, the countdown shown large, beeps up to the launch, the
// calibration kept in config.txt and the correction after a miss. Space or Enter starts
// it, Esc stops it.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>

#include "ui/model/boot_timer_panel.h"

class QLabel;
class QPushButton;
class QSoundEffect;
class QSpinBox;
class QTemporaryFile;
class QTimer;

namespace hanabira {

class BootTimerWindow final : public QWidget {
  Q_OBJECT

 public:
  // `beep` plays each beep; by default the timer's tone.
  BootTimerWindow(const BootTarget& target, CalibrationStore& store, QWidget* owner,
                  BootTimer::Clock clock = &std::chrono::steady_clock::now, std::function<void()> beep = {});
  ~BootTimerWindow() override;

  // Another line: the timer stops.
  void setTarget(const BootTarget& target);
  // After a launch that put the game secondsLate seconds after the target (negative:
  // early): the corrected calibration is proposed, for the user to apply.
  void proposeAfterMiss(int secondsLate);
  void start();
  void stop();
  // Polls the timer: the countdown, the beeps and the launch (the refresh's work).
  void refresh();
  // The window's own texts again, in the language just chosen.
  void showTexts();

  const BootTimerPanel& panel() const { return panel_; }
  QLabel* countdownLabel() const { return countdown_; }
  QSpinBox* calibrationField() const { return calibration_; }
  QPushButton* applyButton() const { return apply_; }

 protected:
  // Closing hides the window for the next line, and a running count stops.
  void closeEvent(QCloseEvent* event) override;

 private:
  void createShortcuts();
  void showState();
  void calibrationTyped();
  void applyProposal();
  void showKeepMessage(const std::optional<std::string>& message);
  void playBeep();

  BootTimerPanel panel_;
  std::function<void()> beep_;
  QLabel* target_;
  QLabel* clock_;
  QLabel* countdown_;
  QLabel* calibrationLabel_;
  QSpinBox* calibration_;
  QPushButton* startStop_;
  QLabel* missLabel_;
  QSpinBox* secondsLate_;
  QLabel* proposal_;
  QPushButton* apply_;
  QTimer* refresh_;
  // Made on the first beep, so that a window never started opens no sound device.
  std::unique_ptr<QTemporaryFile> waveFile_;
  QSoundEffect* sound_ = nullptr;
};

}  // namespace hanabira
