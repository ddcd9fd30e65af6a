// The neighbours of a hit of the results table (ui/model/neighbour_view.h): fields for
// how far around it to look and for what the player saw, a recompute button (or Enter in
// a field), and the table of the boots around it, the hit's line in bold and the lines
// that agree with what was seen shaded, first. A field refused is told under the fields.
#pragma once

#include <QWidget>

#include <array>
#include <functional>

#include "ui/model/neighbour_view.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace hanabira {

class NeighbourWindow final : public QWidget {
  Q_OBJECT

 public:
  // Shows the neighbours at the default fields at once.
  NeighbourWindow(const SearchSettings& settings, const BootMoment& hit, QWidget* owner);

  const NeighbourView& view() const { return view_; }
  QTableWidget* table() const { return table_; }
  // Reads the fields and shows the neighbours anew, or why a field is refused.
  void recompute();
  // What the correct-the-timer button does with the seconds the likeliest agreeing boot
  // lies from the hit; the button shows only with a command and such a boot.
  void setTimerCorrection(std::function<void(int secondsLate)> command);
  QPushButton* correctTimerButton() const { return correctTimer_; }

 private:
  QWidget* fieldsRow();
  QWidget* seenRow();
  NeighbourFields fields() const;
  void showRows();

  NeighbourView view_;
  QLineEdit* seconds_;
  QLineEdit* timer0s_;
  QLineEdit* vcounts_;
  QLineEdit* positions_;
  QCheckBox* keysOneAway_;
  std::array<QLineEdit*, 6> ivs_{};
  QComboBox* nature_;
  QComboBox* shiny_;
  QPushButton* recompute_;
  QLabel* summary_;
  QPushButton* correctTimer_;
  QTableWidget* table_;
  std::function<void(int)> correctTimerCommand_;
};

}  // namespace hanabira
