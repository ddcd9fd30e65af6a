// The window that shows the last search's lines as a table, owned by the main window:
// opened by its button, hidden when closed, filled as the search writes. The list view
// holds no texts of its own: it asks for each cell as it draws it (owner data). A click
// on a column's header sorts by it (again: descending; a third time: the file's order);
// Ctrl+C and the context menu copy the selected rows as the result file's lines; Ctrl+S
// and the context menu save the shown lines to a file in any result format. The
// timer button opens the boot timer for the first selected line; the check boxes show
// the lines in the players' numbering of IV positions and with the game's own advances.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/search_settings.h"
#include "ui/model/boot_timer_panel.h"
#include "ui/model/result_table.h"
#include "ui/model/searched_lines.h"
#include "ui/win32/ui_font.h"
#include "ui/win32/window_class.h"

namespace hanabira {

class ResultTableWindow final : private ResultTableListener {
 public:
  ResultTableWindow(ResultTable& table, HWND owner);
  ~ResultTableWindow();
  ResultTableWindow(const ResultTableWindow&) = delete;
  ResultTableWindow& operator=(const ResultTableWindow&) = delete;

  HWND handle() const { return window_; }
  HWND list() const { return list_; }
  void show();
  // The selected rows to the clipboard.
  void copySelection() const;
  // The shown lines to a file the user chooses, in the format of its type or extension.
  void saveShownLines() const;
  // The window's own texts again, in the language just chosen.
  void showTexts();
  // The settings the table's lines were searched with (SearchCommand), which the
  // neighbours of a row are evaluated with; they outlive the window.
  void setSearched(const std::optional<SearchedLines>* searched) { searched_ = searched; }
  HWND neighboursButton() const { return neighbours_; }
  // Opens the neighbours of the focused row; nothing where there is none or the line is
  // not the last search's.
  void openNeighbours() const;

  // What the timer button does with the moment of the first selected line.
  void setTimerCommand(std::function<void(const BootTarget&)> command) { timerCommand_ = std::move(command); }
  // What a neighbours window's correct-the-timer button does: the timer for the row's
  // line, told that the boot came secondsLate seconds after it.
  using MissCommand = std::function<void(const BootTarget&, int secondsLate)>;
  void setMissCommand(MissCommand command) { missCommand_ = std::move(command); }
  static constexpr int timerButtonId = 2;
  void openTimer();
  static constexpr int playersNumberingId = 3;
  static constexpr int initialAdvancesId = 4;
  static constexpr int memoryLinkId = 5;

 private:
  template <class Window>
  friend LRESULT CALLBACK routeMessages(HWND, UINT, WPARAM, LPARAM);
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onNotify(const NMHDR& header);
  void showCell(NMLVDISPINFOW& cell);
  void sortByHeader(std::size_t column);
  void showSortArrows();
  void showColumns();
  void fitColumns();
  void placeChildren();
  void showContextMenu(LPARAM at);
  void createChoiceBoxes(HINSTANCE instance);
  void showChosenDisplay();
  std::vector<std::size_t> selectedRows() const;

  // ResultTableListener
  void tableReset() override;
  void rowsAppended(std::size_t first, std::size_t count) override;
  void orderChanging() override;
  void orderChanged() override;
  void tableCut() override;

  ResultTable& table_;
  UiFont font_{12};
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  HWND cutNote_ = nullptr;
  HWND timer_ = nullptr;
  std::function<void(const BootTarget&)> timerCommand_;
  MissCommand missCommand_;
  HWND neighbours_ = nullptr;
  const std::optional<SearchedLines>* searched_ = nullptr;
  std::wstring cellText_;  // the text of the cell the list asked for last
  // While the order changes: the selected rows' places in the file, and the focused one's.
  std::vector<std::size_t> selectedFileRows_;
  std::size_t focusedFileRow_ = 0;
  bool hadFocus_ = false;
};

}  // namespace hanabira
