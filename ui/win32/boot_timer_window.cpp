#include "ui/win32/boot_timer_window.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <charconv>
#include <system_error>
#include <utility>

#include "i18n/translate.h"
#include "ui/model/beep_sound.h"
#include "ui/win32/wide_text.h"

namespace hanabira {
namespace {

constexpr wchar_t className[] = L"HanabiraBootTimer";
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int clientWidth = 360;
constexpr int clientHeight = 280;
// Often enough that the countdown's milliseconds run and a beep sounds on time.
constexpr UINT refreshMs = 10;
constexpr UINT_PTR refreshTimer = 1;
// The calibrations config.txt keeps, and the misses a player reports.
constexpr int calibrationLimitMs = 59999;
constexpr int missLimitSeconds = 59;

struct Place {
  int id;
  const wchar_t* windowClass;
  DWORD style;
  int x, y, width, height;
};

constexpr Place places[] = {
    {timerTargetId, WC_STATICW, 0, 12, 10, 336, 18},
    {timerClockId, WC_STATICW, 0, 12, 30, 336, 36},
    {timerCountdownId, WC_STATICW, SS_CENTER, 12, 68, 336, 76},
    {timerStartStopId, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 12, 150, 336, 28},
    {timerCalibrationLabelId, WC_STATICW, 0, 12, 192, 200, 20},
    {timerCalibrationId, WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 220, 190, 128, 22},
    {timerMissLabelId, WC_STATICW, 0, 12, 220, 200, 20},
    {timerSecondsLateId, WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 220, 218, 128, 22},
    {timerProposalId, WC_STATICW, 0, 12, 250, 200, 20},
    {timerApplyId, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 220, 246, 128, 26},
};

// A whole number within ±limit; none for anything else.
std::optional<int> fieldNumber(HWND field, int limit) {
  const int length = GetWindowTextLengthW(field);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(field, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  const std::string utf8 = utf8FromWide(text);
  int value = 0;
  const auto [end, error] = std::from_chars(utf8.data(), utf8.data() + utf8.size(), value);
  if (error != std::errc{} || end != utf8.data() + utf8.size() || value < -limit || value > limit) return std::nullopt;
  return value;
}

}  // namespace

BootTimerWindow::BootTimerWindow(const BootTarget& target, CalibrationStore& store, HWND owner, BootTimer::Clock clock,
                                 std::function<void()> beep)
    : panel_(target, store, std::move(clock)), beep_(std::move(beep)) {
  registerWindowClass(className, &routeMessages<BootTimerWindow>, dialogBackground());
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, windowStyle, FALSE, 0);
  CreateWindowExW(0, className, L"", windowStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                  frame.bottom - frame.top, owner, nullptr, GetModuleHandleW(nullptr), this);
  createControls();
  setText(timerCalibrationId, std::to_string(panel_.calibrationMs()));
  setText(timerSecondsLateId, "0");
  showTexts();
}

BootTimerWindow::~BootTimerWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void BootTimerWindow::createControls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const Place& place : places) {
    const HWND control = CreateWindowExW(0, place.windowClass, L"", WS_CHILD | WS_VISIBLE | place.style, place.x,
                                         place.y, place.width, place.height, window_,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), instance, nullptr);
    const HFONT font = place.id == timerCountdownId ? countdownFont_.handle() : font_.handle();
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowSubclass(control, &BootTimerWindow::controlProc, 0, reinterpret_cast<DWORD_PTR>(this));
  }
}

void BootTimerWindow::show() {
  ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(GetDlgItem(window_, timerStartStopId));
}

void BootTimerWindow::setTarget(const BootTarget& target) {
  KillTimer(window_, refreshTimer);
  panel_.setTarget(target);
  showState();
}

void BootTimerWindow::proposeAfterMiss(int secondsLate) {
  setText(timerSecondsLateId, std::to_string(secondsLate));  // shows the proposal
}

void BootTimerWindow::start() {
  if (panel_.running()) return;
  calibrationTyped();  // a value typed but not yet left counts
  panel_.start();
  SetTimer(window_, refreshTimer, refreshMs, nullptr);
  showState();
}

void BootTimerWindow::stop() {
  KillTimer(window_, refreshTimer);
  panel_.stop();
  showState();
}

void BootTimerWindow::refresh() {
  const BootTimer::Tick tick = panel_.poll();
  if (tick.beep) playBeep();
  if (!panel_.running()) KillTimer(window_, refreshTimer);
  setText(timerCountdownId, panel_.countdown());
  if (tick.launched) showState();
}

void BootTimerWindow::showTexts() {
  SetWindowTextW(window_, wideFromUtf8(tr("Boot timer")).c_str());
  setText(timerCalibrationLabelId, std::string(tr("Calibration (ms)")));
  setText(timerMissLabelId, std::string(tr("Seconds late (early: negative)")));
  setText(timerApplyId, std::string(tr("Apply")));
  showState();
}

void BootTimerWindow::showState() {
  setText(timerTargetId, trf("Target: {}", panel_.targetText()));
  setText(timerClockId, panel_.clockText());
  setText(timerCountdownId, panel_.countdown());
  setText(timerStartStopId, std::string(panel_.running() ? tr("Stop") : tr("Start")));
  EnableWindow(GetDlgItem(window_, timerCalibrationId), !panel_.running());
  setText(timerProposalId, panel_.proposalText());
  EnableWindow(GetDlgItem(window_, timerApplyId), panel_.proposedCalibrationMs().has_value() && !panel_.running());
}

void BootTimerWindow::setText(int id, const std::string& text) {
  SetDlgItemTextW(window_, id, wideFromUtf8(text).c_str());
}

void BootTimerWindow::calibrationTyped() {
  const std::optional<int> typed = fieldNumber(GetDlgItem(window_, timerCalibrationId), calibrationLimitMs);
  if (!typed) {
    setText(timerCalibrationId, std::to_string(panel_.calibrationMs()));
  } else if (*typed != panel_.calibrationMs()) {
    showKeepMessage(panel_.setCalibrationMs(*typed));
    showState();
  }
}

void BootTimerWindow::secondsLateTyped() {
  panel_.setSecondsLate(fieldNumber(GetDlgItem(window_, timerSecondsLateId), missLimitSeconds).value_or(0));
  showState();
}

void BootTimerWindow::applyProposal() {
  const std::optional<std::string> message = panel_.applyProposal();
  setText(timerCalibrationId, std::to_string(panel_.calibrationMs()));
  setText(timerSecondsLateId, "0");
  showKeepMessage(message);
  showState();
}

void BootTimerWindow::showKeepMessage(const std::optional<std::string>& message) {
  if (message)
    MessageBoxW(window_, wideFromUtf8(*message).c_str(), wideFromUtf8(tr("Boot timer")).c_str(), MB_ICONWARNING);
}

void BootTimerWindow::playBeep() {
  if (beep_) {
    beep_();
    return;
  }
  if (wave_.empty()) wave_ = beepWave();
  PlaySoundW(reinterpret_cast<LPCWSTR>(wave_.data()), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}

bool BootTimerWindow::onKey(WPARAM key) {
  if (key == VK_SPACE || key == VK_RETURN) {
    start();
    return true;
  }
  if (key == VK_ESCAPE) {
    stop();
    return true;
  }
  return false;
}

void BootTimerWindow::onCommand(int id, int code) {
  if (id == timerStartStopId && code == BN_CLICKED) {
    panel_.running() ? stop() : start();
  } else if (id == timerApplyId && code == BN_CLICKED) {
    applyProposal();
  } else if (id == timerCalibrationId && code == EN_KILLFOCUS) {
    calibrationTyped();
  } else if (id == timerSecondsLateId && code == EN_CHANGE) {
    secondsLateTyped();
  }
}

// The timer's keys reach it from every control; the edits would take Space as text and
// sound a bell on Enter.
LRESULT CALLBACK BootTimerWindow::controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR self) {
  auto* timer = reinterpret_cast<BootTimerWindow*>(self);
  if (message == WM_KEYDOWN && timer->onKey(wParam)) return 0;
  if (message == WM_CHAR && (wParam == L' ' || wParam == L'\r' || wParam == 0x1B)) return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, &BootTimerWindow::controlProc, 0);
  return DefSubclassProc(control, message, wParam, lParam);
}

LRESULT BootTimerWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == refreshTimer) refresh();
      return 0;
    case WM_KEYDOWN:
      return onKey(wParam) ? 0 : DefWindowProcW(window_, message, wParam, lParam);
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CLOSE:  // kept for the next line; a running count stops
      stop();
      ShowWindow(window_, SW_HIDE);
      return 0;
    case WM_NCDESTROY:  // with the main window, which owns it
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      window_ = nullptr;
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

}  // namespace hanabira
