// The option dialogs of the Win32 window under Wine: each opened, changed and confirmed
// before a search, whose file equals a search of the same options; キャンセル stores
// nothing; every label fits beside its box; the lists open ten items tall.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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

struct ModeCase {
  const char* name;
  int modeCheck;  // the main window's check box of the mode; 0 for the plain search
  std::function<void(HWND window)> setOptions;
  const char* options;  // the same options, as keys of a settings file
};

// As the Qt window's tests: one minute of the example, tens to hundreds of matches.
const std::vector<ModeCase> modeCases = {
    {"IndividualValues", 0,
     [](HWND w) {
       type(w, ivMinEdits + 5, "31");
       withDialog(w, keyInputOptionsButton, [](HWND d) {
         click(d, 1003);  // St
         click(d, 1005);  // L
         click(d, 1011);
       });
     },
     R"("ivMin": [0, 0, 0, 0, 0, 31],
        "keyAllowed": [true, true, true, false, true, true, true, true, true, false],
        "excludeOppositeAndReset": false)"},
    {"Shiny", shinyPidCheck,
     [](HWND w) {
       withDialog(w, shinyOptionsButton, [](HWND d) {
         type(d, 1005, "12345");
         type(d, 1006, "54321");
         choose(d, 1007, "ようき　　");
         click(d, 1003);
         click(d, 1001);
       });
     },
     R"("shinyPidSearch": true, "trainerId": 12345, "secretId": 54321, "shinyNature": 14,
        "shinyEncounterKind": 2, "idCorrection": true)"},
    {"Inheritance", inheritanceCheck,
     [](HWND w) {
       choose(w, hiddenPowerCombo, "じめん");
       withDialog(w, inheritanceOptionsButton, [](HWND d) {
         const char* first[] = {"31", "31", "31", "0", "0", "0"};
         for (std::size_t k = 0; k < 6; ++k) {
           type(d, firstParentIvFields[k], first[k]);
           type(d, secondParentIvFields[k], first[5 - k]);
         }
         click(d, 1003);
         choose(d, 1026, "がんばりや");
         choose(d, 1024, "夢");
         choose(d, 1025, "♀(1/8)");
       });
     },
     R"("inheritanceSearch": true, "firstParentIvs": [31, 31, 31, 0, 0, 0],
        "secondParentIvs": [0, 0, 0, 31, 31, 31], "withoutDitto": true, "eggNature": 1,
        "eggAbility": 3, "eggGenderRatio": 8, "hiddenPowerType": 3)"},
    {"Deliveryman", deliverymanCheck,
     [](HWND w) {
       withDialog(w, deliverymanOptionsButton, [](HWND d) {
         type(d, 1005, "3");
         choose(d, 1007, "ようき　　");
         click(d, 1001);
         type(d, 1006, "54321");
         type(d, 1023, "1");
       });
     },
     R"("deliverymanSearch": true, "deliveryNaturePosition": 3, "deliveryNature": 14,
        "deliveryShiny": true, "deliveryTrainerId": 54321, "deliverySecretId": 1)"},
    {"CometShard", cometShardCheck,
     [](HWND w) { withDialog(w, cometShardOptionsButton, [](HWND d) { click(d, 1001); }); },
     R"("cometShardSearch": true, "compoundEyes": false)"},
    {"Dome", domeCheck,
     [](HWND w) {
       withDialog(w, domeOptionsButton, [](HWND d) {
         choose(d, domeTrainerBoxes[0], "OLのアツコ");
         choose(d, domeTrainerBoxes[2], "パイロットのマサフミ");
         choose(d, domeTrainerBoxes[5], "えんじのマユコ");
         type(d, 1005, "1");
       });
     },
     R"("domeSearch": true, "domeTrainers": [1, 0, 31, 0, 0, 52], "domeConsumptionSlack": 1)"},
};

class EveryMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(EveryMode, SearchAfterOkUsesTheNewOptions) {
  const ModeCase& c = GetParam();
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  installOptionDialogs(window);
  const HWND w = window.handle();
  typeExampleMinute(w);
  if (c.modeCheck != 0) setChecked(w, c.modeCheck, true);
  c.setOptions(w);
  click(w, startButton);
  ASSERT_TRUE(pumpUntil([&] { return !window.isSearchRunning(); }));
  const std::string fromWindow = dir.read("result.txt");
  EXPECT_GT(std::count(fromWindow.begin(), fromWindow.end(), '\n'), 1);  // a header and a match
  expectSameBytes(fromWindow, searchedResult(std::string("{") + exampleMinuteJson + ",\n" + c.options + "}"));
}

INSTANTIATE_TEST_SUITE_P(Win32Dialogs, EveryMode, ::testing::ValuesIn(modeCases),
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

// The README's calibration: an English White 2 on a DS Lite that gave 15 29 10 9 9 29 at
// position 2 at about 2012-10-07 12:34:56. It runs off the window's thread, its one
// result lands in the list, and OK puts it into the window's console fields.
TEST(Win32Dialogs, ConsoleCalibrationFillsTheWindowsConsoleFields) {
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  installOptionDialogs(window);
  const HWND w = window.handle();
  const char* mac[] = {"00", "09", "BF", "12", "34", "56"};
  for (int k = 0; k < 6; ++k) type(w, macEdits + k, mac[k]);
  type(w, gxStatEdit, "6000000");

  std::string firstRow;
  whenDialogOpens([&](HWND d) {
    choose(d, consoleGameBox, "ホワイト2");
    choose(d, consoleLanguageBox, "英語");
    choose(d, consoleKindBox, "DS Lite");
    const char* boot[] = {"12", "10", "7", "12", "34", "56"};
    const char* ivs[] = {"15", "29", "10", "9", "9", "29"};
    for (int k = 0; k < 6; ++k) {
      type(d, consoleBootFields + k, boot[k]);
      type(d, consoleIvMinFields + k, ivs[k]);
      type(d, consoleIvMaxFields + k, ivs[k]);
    }
    type(d, consolePositionField, "2");
    click(d, consoleCalibrateButton);
    EXPECT_EQ(text(d, consoleCalibrateButton), "中止");
    EXPECT_TRUE(pumpUntil([&] { return text(d, consoleCalibrateButton) == "計算"; }));
    EXPECT_EQ(text(d, consoleCalibrationStatus), "1件見つかりました。");
    const HWND table = GetDlgItem(d, consoleResultTable);
    EXPECT_EQ(SendMessageW(table, LVM_GETITEMCOUNT, 0, 0), 1);
    for (int c = 0; c < 4; ++c) {
      wchar_t cell[64] = {};
      LVITEMW item{};
      item.iSubItem = c;
      item.pszText = cell;
      item.cchTextMax = 64;
      SendMessageW(table, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
      firstRow += utf8FromWide(cell) + " ";
    }
    click(d, IDOK);
  });
  click(w, consoleButton);
  ASSERT_TRUE(dialogActed());
  EXPECT_EQ(firstRow, "82 10F3 6 12:34:56 ");
  EXPECT_EQ(text(w, vcountEdit), "82");
  EXPECT_EQ(text(w, timer0Edit), "10F3");
  EXPECT_EQ(text(w, frameEdit), "6");
  EXPECT_EQ(window.settings().edition, (Edition{Game::White2, Language::English, ConsoleKind::DsLite}));
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
    runOptionDialog(design, window.settings(), window.handle());
    EXPECT_TRUE(dialogActed()) << design.title;
  }
}

}  // namespace
}  // namespace hanabira::testing
