// A modal option dialog drawn from its design (ui/model/option_dialog_designs.h): it
// shows the settings' current values when it opens, stores what its controls hold on OK,
// and stores nothing on キャンセル, Escape or the close box. What it shows and does is
// the model's (OptionDialogFlow); its command buttons' work runs off the window's
// thread, and closing the dialog stops it.
#pragma once

#include <QDialog>
#include <QLabel>

#include <map>

#include "ui/model/option_dialog_designs.h"
#include "ui/model/option_dialog_flow.h"

namespace hanabira {

class MainWindow;

class OptionDialog final : public QDialog, private DialogView {
  Q_OBJECT

 public:
  // A child of `owner`, whose settings it shows and stores into.
  OptionDialog(const OptionDialogDesign& design, MainWindow& owner);

  // The design's note, or null for a dialog without one.
  const QLabel* note() const { return note_; }

  // OK: stores into the settings, then closes.
  void accept() override;

 private:
  void createControls();
  QWidget* createControl(const DialogControl& place);
  void forwardEdits(int id, QWidget* control);
  template <typename Control>
  Control* control(const DialogControl& place) const {
    return static_cast<Control*>(controls_.at(place.id));
  }

  // DialogView
  std::string text(const DialogControl& place) const override;
  bool isChecked(const DialogControl& place) const override;
  int selection(const DialogControl& place) const override;
  DialogRows rows(const DialogControl& place) const override;
  void showText(const DialogControl& place, std::string_view text) override;
  void showChecked(const DialogControl& place, bool checked) override;
  void showSelection(const DialogControl& place, int item) override;
  void showRows(const DialogControl& place, const DialogRows& rows, int picked) override;
  void showNote(std::string_view text) override;
  void showCommandLabel(const DialogControl& place, std::string_view label) override;
  void showMessage(const std::string& text) override;

  const OptionDialogDesign& design_;
  std::map<int, QWidget*> controls_;  // by id; labels have none
  QLabel* note_ = nullptr;
  OptionDialogFlow flow_;  // destroyed first: its commands' work stops before the rest goes
};

// Lets the window's "設定" buttons (1103 to 1108) open their dialogs, and its console
// button (1109) the console dialog. Each opens modal
// to the window and lives until it is closed. The dialogs may be used while a search
// runs: the search works on the settings as they were at its start.
void installOptionDialogs(MainWindow& window);

// Opens the dialog `design` for `window`, unless an option dialog is open already.
OptionDialog* openOptionDialog(const OptionDialogDesign& design, MainWindow& window);

}  // namespace hanabira
