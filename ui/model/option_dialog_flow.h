// An open option dialog, whatever draws it: what its controls show as it opens, how it
// follows the user's edits (the note, the choice boxes that change other controls), its
// command buttons, and what OK stores. The front end draws the controls (DialogView),
// forwards its events here and closes the dialog; キャンセル, Escape and the close box
// store nothing, so they never reach this.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/search_settings.h"
#include "ui/model/dialog_commands.h"
#include "ui/model/option_dialog_designs.h"
#include "ui/model/option_values.h"

namespace hanabira {

using DialogRows = std::vector<std::vector<std::string>>;

// A dialog's controls as the front end draws them. Each is named by its place in the
// design; the flow asks only what its kind holds. Texts are UTF-8.
class DialogView {
 public:
  virtual std::string text(const DialogControl& control) const = 0;  // a text field or a status
  virtual bool isChecked(const DialogControl& control) const = 0;    // a check box or a radio button
  // The chosen item of a choice box, or the picked row of a table; -1 for none.
  virtual int selection(const DialogControl& control) const = 0;
  virtual DialogRows rows(const DialogControl& control) const = 0;  // a table's cells

  virtual void showText(const DialogControl& control, std::string_view text) = 0;
  virtual void showChecked(const DialogControl& control, bool checked) = 0;
  virtual void showSelection(const DialogControl& control, int item) = 0;  // -1: none
  virtual void showRows(const DialogControl& control, const DialogRows& rows, int picked) = 0;
  virtual void showNote(std::string_view text) = 0;
  virtual void showCommandLabel(const DialogControl& control, std::string_view label) = 0;
  virtual void showMessage(const std::string& text) = 0;  // a warning the user closes

 protected:
  ~DialogView() = default;
};

// The main window, as a dialog opened from it sees it.
class DialogOwner {
 public:
  // What OK stores into.
  virtual SearchSettings& settings() = 0;
  // What the window's fields would start a search with; the commands work from it.
  virtual SearchSettings startSettings() const = 0;
  // The window's fields a dialog's OK sets.
  virtual void applyWindowChanges(const WindowChanges& changes) = 0;

 protected:
  ~DialogOwner() = default;
};

class OptionDialogFlow {
 public:
  // `post` runs a command's report on the window's thread (DialogCommands::Post).
  OptionDialogFlow(const OptionDialogDesign& design, DialogOwner& owner, DialogView& view, DialogCommands::Post post);

  // The controls exist: they show the settings' values, and the note what they say.
  void opened();
  // The user typed into a field, clicked a box or chose an item. Changes the dialog
  // makes itself while it fills its controls are no edits.
  void edited(int id);
  // A command button was pressed; false for any other control.
  bool pressed(int id);
  // OK: stores what the controls hold, then sets the window's fields it names.
  void confirmed();

  // What the controls hold now.
  DialogState state() const;

 private:
  void show(const DialogState& state);
  void showControl(const DialogControl& control, const DialogState& state);
  void showNote();
  void showCommandLabels();
  void commandFinished(const DialogUpdate& update);

  const OptionDialogDesign& design_;
  DialogOwner& owner_;
  DialogView& view_;
  bool showing_ = false;     // controls being filled, not edited by the user
  DialogCommands commands_;  // last: its work stops before the rest goes
};

}  // namespace hanabira
