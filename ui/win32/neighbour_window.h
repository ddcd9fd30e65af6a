// The neighbours of a hit of the results table (ui/model/neighbour_view.h): fields for
// how far around it to look and for what the player saw, a recompute button, and the
// table of the boots around it, the hit's line in bold and the lines that agree with what
// was seen shaded, first. A field refused is told under the fields. The window deletes
// itself when it is destroyed: closed, or with the results window that owns it.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <functional>

#include "ui/model/neighbour_view.h"
#include "ui/win32/ui_font.h"
#include "ui/win32/window_class.h"

namespace hanabira {

class NeighbourWindow final {
 public:
  static constexpr wchar_t className[] = L"HanabiraNeighbours";
  // The controls' ids; the six individual values' are ivFieldId + 0 to 5.
  enum ControlId : int {
    listId = 1,
    recomputeId,
    summaryId,
    correctTimerId,
    secondsId = 10,
    timer0sId,
    vcountsId,
    positionsId,
    keysOneAwayId,
    natureId,
    shinyId,
    ivFieldId = 20,
  };

  // Opens the window, the neighbours at the default fields shown.
  static NeighbourWindow* open(const SearchSettings& settings, const BootMoment& hit, HWND owner);
  HWND handle() const { return window_; }
  const NeighbourView& view() const { return view_; }
  // What the correct-the-timer button does with the seconds the likeliest agreeing boot
  // lies from the hit; the button shows only with a command and such a boot.
  void setTimerCorrection(std::function<void(int secondsLate)> command);

 private:
  NeighbourWindow(const SearchSettings& settings, const BootMoment& hit, HWND owner);
  NeighbourWindow(const NeighbourWindow&) = delete;
  NeighbourWindow& operator=(const NeighbourWindow&) = delete;

  template <class Window>
  friend LRESULT CALLBACK routeMessages(HWND, UINT, WPARAM, LPARAM);
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT customDraw(NMLVCUSTOMDRAW& draw) const;
  HWND control(const wchar_t* windowClass, const std::string& text, DWORD style, int id);
  void createFields();
  void createSeenFields();
  void placeChildren();
  NeighbourFields fields() const;
  void recompute();
  void showRows();
  void fitColumns() const;
  void showCorrectTimer() const;

  NeighbourView view_;
  UiFont font_{12};
  UiFont boldFont_{12, true};
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  int fieldsBottom_ = 0;
  std::function<void(int)> correctTimerCommand_;
};

}  // namespace hanabira
