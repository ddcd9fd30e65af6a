// The boot timer's window for a line of the results table, owned by the main window:
// the console's clock to set, the countdown shown large, beeps up to the launch, the
// calibration kept in config.txt and the correction after a miss. Space or Enter starts
// it, Esc stops it, whichever of its controls has the focus.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "ui/model/boot_timer_panel.h"
#include "ui/win32/ui_font.h"
#include "ui/win32/window_class.h"

namespace hanabira {

// The controls' ids.
inline constexpr int timerTargetId = 1;
inline constexpr int timerClockId = 2;
inline constexpr int timerCountdownId = 3;
inline constexpr int timerStartStopId = 4;
inline constexpr int timerCalibrationLabelId = 5;
inline constexpr int timerCalibrationId = 6;
inline constexpr int timerMissLabelId = 7;
inline constexpr int timerSecondsLateId = 8;
inline constexpr int timerProposalId = 9;
inline constexpr int timerApplyId = 10;

class BootTimerWindow final {
 public:
  // `beep` plays each beep; by default the timer's tone.
  BootTimerWindow(const BootTarget& target, CalibrationStore& store, HWND owner,
                  BootTimer::Clock clock = &std::chrono::steady_clock::now, std::function<void()> beep = {});
  ~BootTimerWindow();
  BootTimerWindow(const BootTimerWindow&) = delete;
  BootTimerWindow& operator=(const BootTimerWindow&) = delete;

  HWND handle() const { return window_; }
  void show();
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

 private:
  template <class Window>
  friend LRESULT CALLBACK routeMessages(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self);
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Space, Enter and Esc: true where the key was the timer's.
  bool onKey(WPARAM key);
  void createControls();
  void onCommand(int id, int code);
  void showState();
  void setText(int id, const std::string& text);
  void calibrationTyped();
  void secondsLateTyped();
  void applyProposal();
  void showKeepMessage(const std::optional<std::string>& message);
  void playBeep();

  BootTimerPanel panel_;
  std::function<void()> beep_;
  std::string wave_;  // the tone, made on the first beep
  UiFont font_{12};
  UiFont countdownFont_{64};
  HWND window_ = nullptr;
};

}  // namespace hanabira
