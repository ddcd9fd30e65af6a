// The Win32 window under Wine: the window as it opens, typed fields searched, the
// search's end on the bar, the table of the lines and a row's neighbours, config.txt
// saved and loaded, messages, and the two programs' edit fields.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/utf8_path.h"
#include "engine/result_sink.h"
#include "engine/search_engine.h"
#include "engine/settings_json.h"
#include "engine/settings_validation.h"
#include "ui/model/control_ids.h"
#include "ui/win32/boot_timer_window.h"
#include "ui/win32/list_view.h"
#include "ui/win32/main_window.h"
#include "ui/win32/neighbour_window.h"
#include "ui/win32/option_dialog.h"
#include "ui/win32/ui_font.h"
#include "ui/win32/wide_text.h"
#include "vocab/cp932.h"
#include "window_driver.h"
#include "window_test_support.h"

namespace hanabira::testing {
namespace {

TEST(Win32Window, OpensAsTheModelDescribesIt) {
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  const HWND w = window.handle();
  RECT client;
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, mainWindowWidth);
  EXPECT_EQ(client.bottom, mainWindowHeight);
  EXPECT_EQ(windowText(w), mainWindowTitle());
  for (const ControlPlace& place : mainWindowControls) {
    const HWND control = GetDlgItem(w, place.id);
    ASSERT_NE(control, nullptr) << place.id;
    // The system makes the checked radio button of a group a tab stop itself.
    if (place.kind == ControlKind::RadioButton) continue;
    EXPECT_EQ((GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0, isTabStop(place.kind)) << place.id;
  }
  EXPECT_EQ(text(w, endHourEdit), "23");
  EXPECT_TRUE(isChecked(w, blackRadio));
  EXPECT_TRUE(uiFontFace() == L"Yu Gothic UI" || uiFontFace() == L"Meiryo UI" || uiFontFace() == L"MS UI Gothic");

  // The hidden-power list opens ten items tall and scrolls.
  const HWND combo = GetDlgItem(w, hiddenPowerCombo);
  EXPECT_EQ(SendMessageW(combo, CB_GETMINVISIBLE, 0, 0), openedListItems);
  ShowWindow(w, SW_SHOWNORMAL);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(combo, &info);
  RECT list;
  GetWindowRect(info.hwndList, &list);
  const auto itemHeight = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
  EXPECT_LE(list.bottom - list.top, (openedListItems + 1) * itemHeight);
  EXPECT_GE(list.bottom - list.top, (openedListItems - 1) * itemHeight);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST(Win32Window, AProfileKeepsTheConsoleAndFillsTheFieldsWhenChosen) {
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  const HWND w = window.handle();
  play(w, profileChosenAgain.steps);
  for (const auto& [id, expected] : profileChosenAgain.fields) EXPECT_EQ(text(w, id), expected) << id;
  EXPECT_EQ(SendDlgItemMessageW(w, profileCombo, CB_GETCOUNT, 0, 0), 2);
  EXPECT_NE(dir.read(profilesFileName).find("\"DS Lite\""), std::string::npos);
}

// Two profiles and every profile checked: each profile's lines, led by its name.
TEST(Win32Window, EveryProfileSearchesEachProfilesConsole) {
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  const HWND w = window.handle();
  play(w, everyProfileSearch);
  click(w, startButton);
  ASSERT_TRUE(pumpUntil([&] { return !window.isSearchRunning(); }));
  const std::string result = dir.read("result.txt");
  EXPECT_NE(result.find("\r\nDS Lite,"), std::string::npos);
  EXPECT_NE(result.find("\r\n3DS,"), std::string::npos);
  expectSameBytes(result, everyProfileResult());
}

TEST(Win32Window, TypedFieldsSearchAndTheBarSaysTheEnd) {
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  const HWND w = window.handle();
  play(w, exampleMinute);
  click(w, startButton);
  EXPECT_EQ(text(w, startButton), "中断");
  ASSERT_TRUE(pumpUntil([&] { return !window.isSearchRunning(); }));
  EXPECT_EQ(text(w, startButton), "検索開始");
  const std::string result = dir.read("result.txt");
  EXPECT_NE(result.find("\r\n11,9,27,13,47,35,7,4,21,9,26,18,11,"), std::string::npos);  // the README's line
  expectSameBytes(result, searchedResult(std::string("{") + exampleMinuteJson + "}"));
  EXPECT_EQ(searchBarText(w), "検索完了");

  // A whole day with every key, aborted at once: the bar says so.
  type(w, startHourEdit, "0");
  type(w, endHourEdit, "23");
  type(w, endMinuteEdit, "59");
  click(w, startButton);
  click(w, startButton);
  ASSERT_TRUE(pumpUntil([&] { return !window.isSearchRunning(); }));
  EXPECT_TRUE(searchBarText(w).ends_with("%で中断")) << searchBarText(w);
}

// A list view's header and rows as a result file's text.
std::string listText(HWND list) {
  const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  std::string text;
  for (int column = 0; column < static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)); ++column) {
    wchar_t name[64] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = name;
    item.cchTextMax = 64;
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    if (column > 0) text += ',';
    text += utf8FromWide(name);
  }
  text += "\r\n";
  for (const std::vector<std::string>& row : listRows(list)) {
    for (std::size_t column = 0; column < row.size(); ++column) {
      if (column > 0) text += ',';
      text += row[column];
    }
    text += "\r\n";
  }
  return text;
}

std::string clipboardText() {
  if (!OpenClipboard(nullptr)) return "(no clipboard)";
  std::string text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = utf8FromWide(static_cast<const wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// The table of the last search's lines: the file's, sorted by a click on a column's
// header, and the selected rows copied as the file's lines.
TEST(Win32Window, ResultsTableHoldsTheFilesLines) {
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  const HWND w = window.handle();
  play(w, exampleMinute);
  type(w, ivMinEdits + 5, "31");  // a thousand lines, not thirty thousand
  click(w, resultsButton);
  ResultTableWindow* results = window.resultsWindow();
  ASSERT_NE(results, nullptr);
  EXPECT_TRUE(IsWindowVisible(results->handle()));
  EXPECT_EQ(windowText(results->handle()), "結果一覧");
  click(w, startButton);
  ASSERT_TRUE(pumpUntil([&] { return !window.isSearchRunning(); }));
  const HWND list = results->list();
  EXPECT_EQ(listText(list), cp932ToUtf8(dir.read("result.txt")));

  // Twice on the seeds' header: descending.
  NMLISTVIEW columnClick{};
  columnClick.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), LVN_COLUMNCLICK};
  columnClick.iSubItem = 15;
  for (int i = 0; i < 2; ++i) SendMessageW(results->handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&columnClick));
  const DialogRows rows = listRows(list);
  ASSERT_GT(rows.size(), 2u);
  for (std::size_t row = 1; row < rows.size(); ++row) {
    EXPECT_GE(std::stoull(rows[row - 1][15], nullptr, 16), std::stoull(rows[row][15], nullptr, 16)) << row;
  }

  for (int row : {2, 0}) {
    LVITEMW item{};
    item.state = item.stateMask = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
  results->copySelection();
  const std::string copied = clipboardText();
  const std::string file = cp932ToUtf8(dir.read("result.txt"));
  auto lineOf = [&](const std::vector<std::string>& row) {
    std::string line;
    for (const std::string& cell : row) {
      if (!line.empty()) line += ',';
      line += cell;
    }
    return line += "\r\n";
  };
  EXPECT_EQ(copied, lineOf(rows[0]) + lineOf(rows[2]));
  EXPECT_NE(file.find(lineOf(rows[2])), std::string::npos);

  // The timer for the first selected line.
  click(results->handle(), ResultTableWindow::timerButtonId);
  ASSERT_NE(window.timerWindow(), nullptr);
  EXPECT_TRUE(IsWindowVisible(window.timerWindow()->handle()));
  const BootTarget& target = window.timerWindow()->panel().target();
  EXPECT_EQ((std::vector<int>{target.date.year, target.date.month, target.date.day, target.hour, target.minute,
                              target.second}),
            (std::vector<int>{std::stoi(rows[0][0]) % 100, std::stoi(rows[0][1]), std::stoi(rows[0][2]),
                              std::stoi(rows[0][3]), std::stoi(rows[0][4]), std::stoi(rows[0][5])}));

  // The game's own advances as a column; the file stays as written.
  click(results->handle(), ResultTableWindow::initialAdvancesId);
  const std::string withAdvances = listText(list);
  EXPECT_NE(withAdvances.substr(0, withAdvances.find('\r')).find(",初期消費"), std::string::npos);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(results->handle(), ResultTableWindow::memoryLinkId)));
  click(results->handle(), ResultTableWindow::initialAdvancesId);
  EXPECT_EQ(listText(list), cp932ToUtf8(dir.read("result.txt")));
}

// The neighbours windows the results window opened, newest first.
std::vector<HWND> neighbourWindows() {
  std::vector<HWND> found;
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, NeighbourWindow::className, nullptr));) {
    found.push_back(window);
  }
  return found;
}

// A row of the results opens its neighbours, by the button and by a double-click: the
// row's own line is the target's; the fields recompute them; a refused field is told.
TEST(Win32Window, NeighboursOfASelectedRow) {
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  const HWND w = window.handle();
  play(w, exampleMinute);
  type(w, ivMinEdits + 5, "31");
  click(w, startButton);
  ASSERT_TRUE(pumpUntil([&] { return !window.isSearchRunning(); }));
  click(w, resultsButton);
  ResultTableWindow* results = window.resultsWindow();
  const DialogRows rows = listRows(results->list());
  ASSERT_GT(rows.size(), 2u);

  LVITEMW item{};
  item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(results->list(), LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&item));
  SendMessageW(results->neighboursButton(), BM_CLICK, 0, 0);
  ASSERT_EQ(neighbourWindows().size(), 1u);
  const HWND neighbours = neighbourWindows()[0];
  EXPECT_TRUE(IsWindowVisible(neighbours));
  const HWND list = GetDlgItem(neighbours, NeighbourWindow::listId);
  std::vector<std::string> target = {"*", "0", "0", "0"};
  target.insert(target.end(), rows[2].begin(), rows[2].end());
  const DialogRows shown = listRows(list);
  EXPECT_NE(std::find(shown.begin(), shown.end(), target), shown.end());

  for (int id : {NeighbourWindow::secondsId, NeighbourWindow::timer0sId, NeighbourWindow::vcountsId}) {
    type(neighbours, id, "0");
  }
  click(neighbours, NeighbourWindow::recomputeId);
  const DialogRows aimed = listRows(list);
  ASSERT_FALSE(aimed.empty());
  for (const std::vector<std::string>& row : aimed) EXPECT_EQ(row[1] + row[2] + row[3], "000");
  type(neighbours, NeighbourWindow::secondsId, "61");
  click(neighbours, NeighbourWindow::recomputeId);
  EXPECT_EQ(listRows(list), aimed);
  const std::string told = text(neighbours, NeighbourWindow::summaryId);
  EXPECT_TRUE(told.find("±秒") != std::string::npos && told.find("60") != std::string::npos) << told;

  // The values a boot a second late gave, seen: the timer opens for the row's line with
  // the calibration that miss asks for.
  type(neighbours, NeighbourWindow::secondsId, "1");
  click(neighbours, NeighbourWindow::recomputeId);
  const HWND correctTimer = GetDlgItem(neighbours, NeighbourWindow::correctTimerId);
  EXPECT_FALSE(IsWindowVisible(correctTimer));
  const DialogRows around = listRows(list);
  const auto late = std::find_if(around.begin(), around.end(), [](const auto& row) { return row[1] == "+1"; });
  ASSERT_NE(late, around.end());
  const std::size_t firstIv = late->size() - 10;  // H A B C D S, hidden power, power, seed, keys
  for (int stat = 0; stat < 6; ++stat) type(neighbours, NeighbourWindow::ivFieldId + stat, (*late)[firstIv + stat]);
  click(neighbours, NeighbourWindow::recomputeId);
  EXPECT_TRUE(IsWindowVisible(correctTimer));
  click(neighbours, NeighbourWindow::correctTimerId);
  ASSERT_NE(window.timerWindow(), nullptr);
  EXPECT_EQ(window.timerWindow()->panel().proposalText(), "1 秒遅れ: キャリブレーション -2088 ms");

  NMITEMACTIVATE doubleClick{};
  doubleClick.hdr = {results->list(), static_cast<UINT_PTR>(GetDlgCtrlID(results->list())), NM_DBLCLK};
  doubleClick.iItem = 2;
  SendMessageW(results->handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&doubleClick));
  EXPECT_EQ(neighbourWindows().size(), 2u);
}

TEST(Win32Window, ClosingDuringASearchEndsIt) {
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  play(window.handle(), exampleMinute);
  type(window.handle(), startHourEdit, "0");
  type(window.handle(), endHourEdit, "23");
  type(window.handle(), endMinuteEdit, "59");
  click(window.handle(), startButton);
  ASSERT_TRUE(window.isSearchRunning());
  SendMessageW(window.handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(window.handle(), nullptr);
  EXPECT_FALSE(window.isSearchRunning());
  EXPECT_TRUE(dir.read("result.txt").ends_with("\r\n"));
}

TEST(Win32Window, SaveWritesConfigAndARestartLoadsIt) {
  ScratchDirectory dir;
  {
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    const HWND w = window.handle();
    play(w, exampleMinute);
    type(w, frameEdit, "-8");
    setChecked(w, whiteRadio, true);
    click(w, saveButton);
    EXPECT_EQ(window.settings().versionWord, whiteVersionWord);
  }
  EXPECT_EQ(dir.read("config.txt"), "60\nc79\n6000000\n-8\n00-11-22-33-44-55\n02215F30\n");
  MainWindow restarted(EditFieldWidth::FitsVisibleWidth);
  const HWND w = restarted.handle();
  EXPECT_EQ(text(w, vcountEdit), "60");
  EXPECT_EQ(text(w, timer0Edit), "c79");
  EXPECT_EQ(text(w, frameEdit), "-8");
  EXPECT_EQ(text(w, macEdits + 5), "55");
  EXPECT_TRUE(isChecked(w, whiteRadio));
  EXPECT_FALSE(isChecked(w, blackRadio));
}

TEST(Win32Window, FilesThatCannotBeUsedAreToldInJapanese) {
  ScratchDirectory dir;
  std::filesystem::create_directory(dir.path("config.txt"));
  std::string message;
  whenDialogOpens([&](HWND box) {
    message = messageBoxText(box);
    click(box, IDOK);
  });
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  EXPECT_TRUE(dialogActed());
  EXPECT_TRUE(message.starts_with("config.txt を読み込めません。\n")) << message;
  EXPECT_TRUE(message.ends_with("\n同じ名前のフォルダーがあります。")) << message;

  // A result file where a folder is.
  std::filesystem::create_directory(dir.path("result.txt"));
  play(window.handle(), exampleMinute);
  whenDialogOpens([&](HWND box) {
    message = messageBoxText(box);
    click(box, IDOK);
  });
  click(window.handle(), startButton);
  EXPECT_TRUE(dialogActed());
  EXPECT_TRUE(message.starts_with("検索を開始できません。\n結果ファイルを作成できません。\n")) << message;
  EXPECT_FALSE(window.isSearchRunning());
}

TEST(Win32Window, LoweredPidRangeIsSaidAndSearched) {
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  const HWND w = window.handle();
  play(w, exampleMinute);
  type(w, pidConsumptionMaxEdit, "5000");
  std::string message;
  whenDialogOpens([&](HWND box) {
    message = messageBoxText(box);
    click(box, IDOK);
  });
  click(w, startButton);
  ASSERT_TRUE(pumpUntil([&] { return dialogActed() && !window.isSearchRunning(); }));
  EXPECT_NE(message.find("2800 までを検索します"), std::string::npos) << message;
  EXPECT_EQ(window.settings().pidConsumptionMax, 2800);
  EXPECT_EQ(searchBarText(w), "検索完了");
}

TEST(Win32Window, ResultNoViewerOpensIsShownByItsPath) {
  ScratchDirectory dir;
  MainWindow window(EditFieldWidth::FitsVisibleWidth);
  std::filesystem::path opened;
  window.setResultViewer([&](const std::filesystem::path& path) {
    opened = path;
    return false;
  });
  play(window.handle(), exampleMinute);
  setChecked(window.handle(), keyInputCheck, false);
  std::string message;
  whenDialogOpens([&](HWND box) {
    message = messageBoxText(box);
    click(box, IDOK);
  });
  click(window.handle(), startButton);
  ASSERT_TRUE(pumpUntil([&] { return dialogActed(); }));
  EXPECT_EQ(opened, dir.path("result.txt"));
  const std::string path = utf8FromPath(dir.path("result.txt"));
  EXPECT_TRUE(message.ends_with(path) && message[message.size() - path.size() - 1] == '\n') << message;
}

// hanabira takes only what a field shows; hanabira-hscroll takes more, and a field it
// leaves shows the beginning of its text, the part that counts.
TEST(Win32Window, FieldsOfTheTwoPrograms) {
  ScratchDirectory dir;
  MainWindow fits(EditFieldWidth::FitsVisibleWidth);
  // Each field shows in full what its value takes.
  for (const ControlStep& step : wholeFieldTexts) {
    type(fits.handle(), step.id, step.text);
    EXPECT_EQ(text(fits.handle(), step.id), step.text);
  }
  type(fits.handle(), startYearEdit, "20110");
  EXPECT_LT(text(fits.handle(), startYearEdit).size(), 5u);
  EXPECT_TRUE(text(fits.handle(), startYearEdit).starts_with("20"));

  MainWindow scrolls(EditFieldWidth::ScrollsHorizontally);
  const HWND w = scrolls.handle();
  ShowWindow(w, SW_SHOWNORMAL);
  type(w, startYearEdit, "2011012345");
  EXPECT_EQ(text(w, startYearEdit), "2011012345");
  const HWND year = GetDlgItem(w, startYearEdit);
  EXPECT_GT(SendMessageW(year, EM_GETFIRSTVISIBLELINE, 0, 0), 0);  // scrolled to the cursor at the end
  SetFocus(GetDlgItem(w, startMonthEdit));
  EXPECT_EQ(SendMessageW(year, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

// The window follows the language the system names: here the locale variables, which
// Windows programs take before the user's language (and Wine hands over from Linux).
TEST(Win32Window, SpeaksTheSystemsLanguage) {
  const struct {
    const char* lang;
    const char* startText;
  } systems[] = {{"ja_JP.UTF-8", "検索開始"}, {"en_US.UTF-8", "Start search"}, {"C.UTF-8", "検索開始"}};
  for (const auto& system : systems) {
    SetEnvironmentVariableA("LANG", system.lang);
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    EXPECT_EQ(text(window.handle(), startButton), system.startText) << system.lang;
  }
  SetEnvironmentVariableA("LANG", "C.UTF-8");
}

}  // namespace
}  // namespace hanabira::testing
