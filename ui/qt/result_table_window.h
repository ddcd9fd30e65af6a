// The window that shows the last search's lines as a table, owned by the main window:
// opened by its button, kept while the program runs, filled as the search writes. A click
// on a column's header sorts by it; Ctrl+C and the context menu copy the selected rows
// as the result file's lines. The timer button opens the boot timer for the first
// selected line; the check boxes show the lines in the players' numbering of IV
// positions and with the game's own advances (named playersNumbering, initialAdvances,
// memoryLink).
#pragma once

#include <QWidget>

#include <functional>

#include "ui/model/boot_timer_panel.h"
#include "ui/model/result_table.h"

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

  // What the timer button does with the moment of the first selected line.
  void setTimerCommand(std::function<void(const BootTarget&)> command) { timerCommand_ = std::move(command); }
  QPushButton* timerButton() const { return timer_; }

 private:
  void rowsArrived(int first);
  void showCutNote();
  void openTimer();
  void showChosenDisplay();

  ResultTableModel* model_;
  QTableView* view_;
  QLabel* cutNote_;
  QAction* copy_;
  QPushButton* timer_;
  QCheckBox* playersNumbering_;
  QCheckBox* initialAdvances_;
  QCheckBox* memoryLink_;
  std::function<void(const BootTarget&)> timerCommand_;
};

}  // namespace hanabira
