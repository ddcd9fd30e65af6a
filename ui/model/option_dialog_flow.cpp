#include "ui/model/option_dialog_flow.h"

#include <utility>

namespace hanabira {
namespace {

const DialogControl* findControl(const OptionDialogDesign& design, int id) {
  for (const DialogControl& control : design.controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

bool isKind(const DialogControl* control, DialogControlKind kind) {
  return control != nullptr && control->kind == kind;
}

}  // namespace

OptionDialogFlow::OptionDialogFlow(const OptionDialogDesign& design, DialogOwner& owner, DialogView& view,
                                   DialogCommands::Post post)
    : design_(design),
      owner_(owner),
      view_(view),
      commands_(design, std::move(post), [this](const DialogUpdate& update) { commandFinished(update); }) {}

void OptionDialogFlow::opened() { show(design_.shown(owner_.settings())); }

void OptionDialogFlow::edited(int id) {
  if (showing_) return;
  if (design_.changed != nullptr && isKind(findControl(design_, id), DialogControlKind::ChoiceBox)) {
    DialogState current = state();
    design_.changed(id, current);
    show(current);
    return;
  }
  showNote();
}

bool OptionDialogFlow::pressed(int id) {
  if (!isKind(findControl(design_, id), DialogControlKind::CommandButton)) return false;
  DialogState current = state();
  const std::string message = commands_.press(id, current, owner_.startSettings());
  show(current);
  showCommandLabels();
  if (!message.empty()) view_.showMessage(message);
  return true;
}

void OptionDialogFlow::confirmed() {
  const DialogState current = state();
  design_.store(current, owner_.settings());
  if (design_.windowChanges != nullptr) owner_.applyWindowChanges(design_.windowChanges(current));
}

DialogState OptionDialogFlow::state() const {
  DialogState state;
  for (const DialogControl& control : design_.controls) {
    if (control.id == 0) continue;
    switch (control.kind) {
      case DialogControlKind::TextField:
      case DialogControlKind::Status:
        state.texts[control.id] = view_.text(control);
        break;
      case DialogControlKind::ChoiceBox:
        state.selected[control.id] = view_.selection(control);
        break;
      case DialogControlKind::CheckBox:
      case DialogControlKind::RadioButton:
        if (view_.isChecked(control)) state.checked.insert(control.id);
        break;
      case DialogControlKind::Table:
        state.rows[control.id] = view_.rows(control);
        state.selected[control.id] = view_.selection(control);
        break;
      case DialogControlKind::OkButton:
      case DialogControlKind::CancelButton:
      case DialogControlKind::Label:
      case DialogControlKind::Note:
      case DialogControlKind::CommandButton:
        break;
    }
  }
  return state;
}

void OptionDialogFlow::show(const DialogState& state) {
  showing_ = true;
  for (const DialogControl& control : design_.controls) {
    if (control.id != 0) showControl(control, state);
  }
  showing_ = false;
  showNote();
}

void OptionDialogFlow::showControl(const DialogControl& control, const DialogState& state) {
  switch (control.kind) {
    case DialogControlKind::TextField:
    case DialogControlKind::Status:
      view_.showText(control, state.text(control.id));
      break;
    case DialogControlKind::ChoiceBox: {
      // A stored value the list has no item for shows no selection.
      const int item = state.selection(control.id);
      view_.showSelection(control, item < static_cast<int>(choiceItems(control.choices).size()) ? item : -1);
      break;
    }
    case DialogControlKind::CheckBox:
    case DialogControlKind::RadioButton:
      view_.showChecked(control, state.isChecked(control.id));
      break;
    case DialogControlKind::Table: {
      const auto found = state.rows.find(control.id);
      view_.showRows(control, found == state.rows.end() ? DialogRows{} : found->second, state.selection(control.id));
      break;
    }
    case DialogControlKind::OkButton:
    case DialogControlKind::CancelButton:
    case DialogControlKind::Label:
    case DialogControlKind::Note:
    case DialogControlKind::CommandButton:
      break;
  }
}

void OptionDialogFlow::showNote() {
  if (design_.note != nullptr) view_.showNote(design_.note(state()));
}

void OptionDialogFlow::showCommandLabels() {
  for (const DialogControl& control : design_.controls) {
    if (control.kind == DialogControlKind::CommandButton) view_.showCommandLabel(control, commands_.label(control.id));
  }
}

void OptionDialogFlow::commandFinished(const DialogUpdate& update) {
  if (update) {
    DialogState current = state();
    update(current);
    show(current);
  }
  showCommandLabels();
}

}  // namespace hanabira
