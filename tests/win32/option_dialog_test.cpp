// The option dialogs of the Win32 window under Wine: each opened, changed and confirmed
// before a search, whose file equals a search of the same options; キャンセル stores
// nothing; every label fits beside its box; the lists open ten items tall.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "i18n/translate.h"
#include "ui/model/console_dialog.h"
#include "ui/model/control_ids.h"
#include "ui/model/dialog_control_ids.h"
#include "ui/model/main_window_layout.h"
#include "ui/win32/main_window.h"
#include "ui/win32/option_dialog.h"
#include "ui/win32/wide_text.h"
#include "window_driver.h"
#include "window_test_support.h"

namespace hanabira::testing {
namespace {

// Opens the dialog of the "設定" button `command`, runs `edit` in it and presses OK.
void withDialog(HWND window, int command, const std::function<void(HWND)>& edit) {
  whenDialogOpens([&](HWND dialog) {
    edit(dialog);
    click(dialog, IDOK);
  });
  click(window, command);
  EXPECT_TRUE(dialogActed());
}

// Every mode's script (window_scripts.h), as the Qt window's tests play it.
class EveryMode : public ::testing::TestWithParam<ModeScript> {};

TEST_P(EveryMode, SearchAfterOkUsesTheNewOptions) {
  const ModeScript& script = GetParam();
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  installOptionDialogs(window);
  const HWND w = window.handle();
  play(w, exampleMinute);
  play(w, script.window);
  withDialog(w, script.dialogButton, [&](HWND d) { play(d, script.dialog); });
  click(w, startButton);
  ASSERT_TRUE(pumpUntil([&] { return !window.isSearchRunning(); }));
  const std::string fromWindow = dir.read("result.txt");
  EXPECT_GT(std::count(fromWindow.begin(), fromWindow.end(), '\n'), 1);  // a header and a match
  expectSameBytes(fromWindow, searchedResult(std::string("{") + exampleMinuteJson + ",\n" + script.options + "}"));
}

INSTANTIATE_TEST_SUITE_P(Win32Dialogs, EveryMode, ::testing::ValuesIn(modeScripts),
                         [](const auto& mode) { return std::string(mode.param.name); });

TEST(Win32Dialogs, CancelStoresNothing) {
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  installOptionDialogs(window);
  whenDialogOpens([](HWND d) {
    type(d, shinyTrainerIdField, "777");
    click(d, IDCANCEL);
  });
  click(window.handle(), shinyOptionsButton);
  EXPECT_TRUE(dialogActed());
  EXPECT_EQ(window.settings().trainerId, 0);
}

// The README's calibration (window_scripts.h). It runs off the window's thread, its one
// result lands in the list, and OK puts it into the window's console fields.
TEST(Win32Dialogs, ConsoleCalibrationFillsTheWindowsConsoleFields) {
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  installOptionDialogs(window);
  const HWND w = window.handle();
  const CalibrationScript& script = consoleCalibration;
  play(w, script.window);

  std::vector<std::string> firstRow;
  whenDialogOpens([&](HWND d) {
    play(d, script.dialog);
    click(d, consoleCalibrateButton);
    EXPECT_EQ(text(d, consoleCalibrateButton), "中止");
    EXPECT_TRUE(pumpUntil([&] { return text(d, consoleCalibrateButton) == "計算"; }));
    EXPECT_EQ(text(d, consoleCalibrationStatus), script.status);
    const HWND table = GetDlgItem(d, consoleResultTable);
    EXPECT_EQ(SendMessageW(table, LVM_GETITEMCOUNT, 0, 0), 1);
    for (int c = 0; c < 4; ++c) {
      wchar_t cell[64] = {};
      LVITEMW item{};
      item.iSubItem = c;
      item.pszText = cell;
      item.cchTextMax = 64;
      SendMessageW(table, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
      firstRow.push_back(utf8FromWide(cell));
    }
    click(d, IDOK);
  });
  click(w, consoleButton);
  ASSERT_TRUE(dialogActed());
  EXPECT_EQ(firstRow, std::vector<std::string>(script.firstRow.begin(), script.firstRow.end()));
  EXPECT_EQ(text(w, vcountEdit), script.firstRow[0]);
  EXPECT_EQ(text(w, timer0Edit), script.firstRow[1]);
  EXPECT_EQ(text(w, frameEdit), script.firstRow[2]);
  EXPECT_EQ(window.settings().edition, script.edition);
}

// A closed choice box is about as high as a text field; its design's height is its list's.
int closedHeight(const DialogControl& control) {
  return control.kind == DialogControlKind::ChoiceBox ? 14 : control.height;
}

// A check box's or radio button's text, measured in the dialog's font, fits beside its
// box within the control, widened where the text needs it, and the control ends before
// the next one of its row begins.
void expectLabelsFit(HWND dialog, const OptionDialogDesign& design) {
  const HDC dc = GetDC(dialog);
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  const int box = GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2;
  for (const DialogControl& control : design.controls) {
    if (control.kind != DialogControlKind::CheckBox && control.kind != DialogControlKind::RadioButton) continue;
    RECT place;
    GetWindowRect(GetDlgItem(dialog, control.id), &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    const std::wstring label = wideFromUtf8(tr(control.label));
    SIZE size;
    GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
    EXPECT_LE(box + size.cx, place.right - place.left) << design.title << ": " << control.label;
    for (const DialogControl& other : design.controls) {
      const bool sameRow = other.y < control.y + control.height && control.y < other.y + closedHeight(other);
      if (&other == &control || !sameRow || other.x <= control.x) continue;
      RECT next{other.x, other.y, other.x + other.width, other.y + closedHeight(other)};
      MapDialogRect(dialog, &next);
      EXPECT_LT(place.right, next.left) << design.title << ": " << control.label;
    }
  }
  SelectObject(dc, previous);
  ReleaseDC(dialog, dc);
}

// The main window's texts in its font: a check box's or radio button's beside its box, a
// push button's within its frame, a painted label's short of what stands to its right.
void expectWindowTextsFit(HWND window) {
  const HDC dc = GetDC(window);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HFONT>(SendDlgItemMessageW(window, startButton, WM_GETFONT, 0, 0)));
  const auto width = [&](std::string_view utf8) {
    const std::wstring text = wideFromUtf8(utf8);
    SIZE size;
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  const int box = GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2;
  for (const ControlPlace& place : mainWindowControls) {
    const int room = place.kind == ControlKind::PushButton ? place.width - 2 * GetSystemMetrics(SM_CXEDGE)
                     : place.kind == ControlKind::CheckBox || place.kind == ControlKind::RadioButton ? place.width - box
                                                                                                     : place.width;
    if (place.kind != ControlKind::Edit && place.kind != ControlKind::ComboBox) {
      EXPECT_LE(width(tr(place.text)), room) << place.text;
    }
  }
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);
  for (const PaintedLabel& label : mainWindowLabels) {
    int limit = mainWindowWidth;
    const auto stopAt = [&](int x, int top, int bottom) {
      if (x > label.x && top < label.y + metrics.tmHeight && bottom > label.y) limit = std::min(limit, x);
    };
    for (const ControlPlace& place : mainWindowControls) stopAt(place.x, place.y, place.y + place.height);
    for (const PaintedLabel& other : mainWindowLabels) stopAt(other.x, other.y, other.y + metrics.tmHeight);
    EXPECT_LE(label.x + width(tr(label.text)), limit) << label.text;
  }
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
}

// Opens the dialog: its title in English where the window speaks English, its labels
// fitting, its lists ten items tall.
void expectDialogFits(MainWindow& window, const OptionDialogDesign& design, bool english) {
  whenDialogOpens([&](HWND d) {
    if (english) {
      const std::string title = windowText(d);
      EXPECT_TRUE(std::none_of(title.begin(), title.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0xE3;
      })) << title;
    }
    expectLabelsFit(d, design);
    for (const DialogControl& control : design.controls) {
      if (control.kind != DialogControlKind::ChoiceBox) continue;
      EXPECT_EQ(SendMessageW(GetDlgItem(d, control.id), CB_GETMINVISIBLE, 0, 0), openedListItems) << design.title;
    }
    click(d, IDCANCEL);
  });
  runOptionDialog(design, window);
  EXPECT_TRUE(dialogActed()) << design.title;
}

// In the window's language as the system names it (the tests run in Japanese), and in
// English as config.txt chooses it.
TEST(Win32Dialogs, LabelsFitAndListsOpenTenItemsTall) {
  for (const char* chosen : {"", "uiLanguage=en\n"}) {
    ScratchDirectory dir;
    dir.write("config.txt", std::string("60\nc79\n6000000\n8\n00-11-22-33-44-55\n02215F10\n") + chosen);
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    const bool english = *chosen != '\0';
    EXPECT_EQ(text(window.handle(), startButton), english ? "Start search" : "検索開始");
    expectWindowTextsFit(window.handle());
    for (const OptionDialogDesign& design : optionDialogDesigns) expectDialogFits(window, design, english);
  }
}

}  // namespace
}  // namespace hanabira::testing
