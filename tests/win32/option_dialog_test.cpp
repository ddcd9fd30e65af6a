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

#include "ui/model/console_dialog.h"
#include "ui/model/control_ids.h"
#include "ui/model/dialog_control_ids.h"
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
// box within the control, and the control ends before the next one of its row begins.
void expectLabelsFit(HWND dialog, const OptionDialogDesign& design) {
  const HDC dc = GetDC(dialog);
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  const int box = GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2;
  for (const DialogControl& control : design.controls) {
    if (control.kind != DialogControlKind::CheckBox && control.kind != DialogControlKind::RadioButton) continue;
    RECT place{control.x, control.y, control.x + control.width, control.y + control.height};
    MapDialogRect(dialog, &place);
    const std::wstring label = wideFromUtf8(control.label);
    SIZE size;
    GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
    EXPECT_LE(box + size.cx, place.right - place.left) << design.title << ": " << control.label;
    for (const DialogControl& other : design.controls) {
      const bool sameRow = other.y < control.y + control.height && control.y < other.y + closedHeight(other);
      if (&other == &control || !sameRow || other.x <= control.x) continue;
      EXPECT_LT(control.x + control.width, other.x) << design.title << ": " << control.label;
    }
  }
  SelectObject(dc, previous);
  ReleaseDC(dialog, dc);
}

TEST(Win32Dialogs, LabelsFitAndListsOpenTenItemsTall) {
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  for (const OptionDialogDesign& design : optionDialogDesigns) {
    whenDialogOpens([&](HWND d) {
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
}

}  // namespace
}  // namespace hanabira::testing
