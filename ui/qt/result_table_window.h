// The window that shows the last search's lines as a table, owned by the main window:
// opened by its button, kept while the program runs, filled as the search writes. A click
// on a column's header sorts by it; Ctrl+C and the context menu copy the selected rows
// as the result file's lines. The neighbours button and a double-click open the
// neighbours of the selected row's boot (NeighbourWindow); the timer button opens the
// boot timer for the first selected line; the check boxes show the lines in the players'
// numbering of IV positions and with the game's own advances (named playersNumbering,
// initialAdvances, memoryLink). The save button writes the shown lines to a file of the
// user's choice in any result format.
#pragma once

#include <QWidget>

#include <functional>
#include <optional>

#include "core/search_settings.h"
#include "ui/model/boot_timer_panel.h"
#include "ui/model/result_table.h"
#include "ui/model/searched_lines.h"

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace hanabira {

class ResultTableModel;

class ResultTableWindow final : public QWidget {
  Q_OBJECT

 public:
  ResultTableWindow(ResultTable& table, QWidget* owner);

  QTableView* view() const { return view_; }
  // The selected rows to the clipboard.
  void copySelection() const;
  // The window's own texts again, in the language just chosen.
  void showTexts();
  // The settings the table's lines were searched with (SearchCommand), which the
  // neighbours of a row are evaluated with; they outlive the window.
  void setSearched(const std::optional<SearchedLines>* searched) { searched_ = searched; }
  // Opens the neighbours of the current row; nothing where there is none or the line is
  // not the last search's.
  void openNeighbours();

  // What the timer button does with the moment of the first selected line.
  void setTimerCommand(std::function<void(const BootTarget&)> command) { timerCommand_ = std::move(command); }
  // What a neighbours window's correct-the-timer button does: the timer for the row's
  // line, told that the boot came secondsLate seconds after it.
  using MissCommand = std::function<void(const BootTarget&, int secondsLate)>;
  void setMissCommand(MissCommand command) { missCommand_ = std::move(command); }
  QPushButton* timerButton() const { return timer_; }

 private:
  void rowsArrived(int first);
  void showCutNote();
  void openTimer();
  void showChosenDisplay();
  void saveShownLines();

  ResultTableModel* model_;
  QTableView* view_;
  QLabel* cutNote_;
  QAction* copy_;
  QPushButton* timer_;
  QCheckBox* playersNumbering_;
  QCheckBox* initialAdvances_;
  QCheckBox* memoryLink_;
  QPushButton* neighbours_;
  QPushButton* save_;
  std::function<void(const BootTarget&)> timerCommand_;
  MissCommand missCommand_;
  const std::optional<SearchedLines>* searched_ = nullptr;
};

}  // namespace hanabira
