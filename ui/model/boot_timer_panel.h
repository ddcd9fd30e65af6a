// The boot timer's window, whatever draws it: the boot moment of a result line, the
// console's clock to set for it, the countdown, the calibration the user keeps, and the
// calibration proposed after a miss. The front ends draw it, poll it on a short timer
// and play its beeps.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/calendar.h"
#include "ui/model/boot_timer.h"

namespace hanabira {

class ResultTable;

// The moment a result line names, to the second: its first six columns, after the
// profile's name where the lines lead with one.
struct BootTarget {
  Date date;
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const BootTarget&, const BootTarget&) = default;
};

// The target of the table's row (in the shown order); none where the row's first six
// cells (after a profile column) are not a moment.
std::optional<BootTarget> bootTargetOfRow(const ResultTable& table, std::size_t row);

// Where the calibration is kept between runs (config.txt).
class CalibrationStore {
 public:
  virtual int timerCalibrationMs() const = 0;
  // The message to show where the calibration could not be kept.
  virtual std::optional<std::string> keepTimerCalibration(int calibrationMs) = 0;

 protected:
  ~CalibrationStore() = default;
};

class BootTimerPanel {
 public:
  BootTimerPanel(const BootTarget& target, CalibrationStore& store, BootTimer::Clock clock);

  // Another line: the timer stops, and the clock to set changes.
  void setTarget(const BootTarget& target);
  const BootTarget& target() const { return target_; }

  // "2011-03-05 12:34:50"
  std::string targetText() const;
  // What to enter as the console's time, and when to start.
  std::string clockText() const;
  // The time left to the launch, the whole of it while the timer is stopped.
  std::string countdown() const;

  int calibrationMs() const { return settings_.calibrationMs; }
  // A calibration the user typed or applied, kept in the store; the timer stops. The
  // message to show where it could not be kept (it is used all the same).
  std::optional<std::string> setCalibrationMs(int calibrationMs);

  void start();
  void stop();
  bool running() const { return timer_.running(); }
  BootTimer::Tick poll();

  // After a launch that missed: the game read its clock this many seconds after the
  // target (negative: before). 0: no miss, nothing proposed.
  void setSecondsLate(int secondsLate) { secondsLate_ = secondsLate; }
  int secondsLate() const { return secondsLate_; }
  std::optional<int> proposedCalibrationMs() const;
  // "1 s late: calibration -2088 ms"; empty without a miss.
  std::string proposalText() const;
  // Takes the proposed calibration (setCalibrationMs) and forgets the miss.
  std::optional<std::string> applyProposal();

 private:
  void reschedule();

  BootTarget target_;
  CalibrationStore& store_;
  BootTimerSettings settings_;
  BootSchedule schedule_;
  BootTimer timer_;
  BootTimer::Clock clock_;
  std::chrono::milliseconds remaining_{0};
  int secondsLate_ = 0;
};

}  // namespace hanabira
