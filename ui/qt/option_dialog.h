// A modal option dialog drawn from its design (ui/model/option_dialog_designs.h): it
// shows the settings' current values when it opens, stores what its controls hold on OK,
// and stores nothing on キャンセル, Escape or the close box. Its command buttons' work
// runs off the window's thread (DialogCommands); closing the dialog stops it.
#pragma once

#include <QDialog>
#include <QLabel>

#include <map>

#include "core/search_settings.h"
#include "ui/model/dialog_commands.h"
#include "ui/model/option_dialog_designs.h"
#include "ui/model/option_values.h"

namespace hanabira {

class MainWindow;

class OptionDialog final : public QDialog {
  Q_OBJECT

 public:
  // `settings` must outlive the dialog; the owner's are (the dialog is its child).
  OptionDialog(const OptionDialogDesign& design, SearchSettings& settings, QWidget* owner);

  // What the controls hold now.
  DialogState state() const;

  // The design's note, or null for a dialog without one.
  const QLabel* note() const { return note_; }

  // OK: stores into the settings, then closes.
  void accept() override;

 private:
  void createControls();
  void showValues(const DialogState& state);
  void updateNoteOnEveryEdit();
  void updateNote();
  void reactToChoices();
  void runCommand(int id);
  void commandFinished(const DialogUpdate& update);
  void showCommandLabels();

  const OptionDialogDesign& design_;
  SearchSettings& settings_;
  std::map<int, QWidget*> controls_;  // by id; labels have none
  QLabel* note_ = nullptr;
  bool showing_ = false;     // controls being filled, not edited by the user
  DialogCommands commands_;  // destroyed first: its work stops before the rest goes
};

// Lets the window's "設定" buttons (1103 to 1108) open their dialogs, and its console
// button (1109) the console dialog. Each opens modal
// to the window and lives until it is closed. The dialogs may be used while a search
// runs: the search works on the settings as they were at its start.
void installOptionDialogs(MainWindow& window);

// Opens the dialog `design` for `window`, unless an option dialog is open already.
OptionDialog* openOptionDialog(const OptionDialogDesign& design, MainWindow& window);

}  // namespace hanabira
