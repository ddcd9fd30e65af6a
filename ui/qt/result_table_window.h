// The window that shows the last search's lines as a table, owned by the main window:
// opened by its button, kept while the program runs, filled as the search writes. A click
// on a column's header sorts by it; Ctrl+C and the context menu copy the selected rows
// as the result file's lines.
#pragma once

#include <QWidget>

#include "ui/model/result_table.h"

class QAction;
class QLabel;
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

 private:
  void rowsArrived(int first);
  void showCutNote();

  ResultTableModel* model_;
  QTableView* view_;
  QLabel* cutNote_;
  QAction* copy_;
};

}  // namespace hanabira
