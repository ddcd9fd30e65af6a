#include "ui/win32/option_dialog.h"

#include <commctrl.h>

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "i18n/translate.h"
#include "ui/model/main_window_layout.h"
#include "ui/model/option_dialog_flow.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/list_view.h"
#include "ui/win32/main_window.h"
#include "ui/win32/text_fit.h"
#include "ui/win32/ui_font.h"
#include "ui/win32/wide_text.h"

namespace hanabira {
namespace {

// Posted to the dialog when a command's work has handed it a task.
constexpr UINT dialogTaskMessage = WM_APP + 2;

// An open dialog: its controls as the flow reads and sets them.
class OpenDialog final : private DialogView {
 public:
  OpenDialog(const OptionDialogDesign& design, DialogOwner& owner) : design_(design), owner_(owner) {}

  // WM_INITDIALOG: the controls exist.
  void opened(HWND dialog);
  INT_PTR onCommand(int id, int code);
  void runPostedTasks();
  // WM_DESTROY: stops the commands' work; what it had still to say is dropped.
  void closing() { flow_.reset(); }

 private:
  void post(std::function<void()> task);

  // DialogView
  std::string text(const DialogControl& control) const override;
  bool isChecked(const DialogControl& control) const override;
  int selection(const DialogControl& control) const override;
  DialogRows rows(const DialogControl& control) const override;
  void showText(const DialogControl& control, std::string_view text) override;
  void showChecked(const DialogControl& control, bool checked) override;
  void showSelection(const DialogControl& control, int item) override;
  void showRows(const DialogControl& control, const DialogRows& rows, int picked) override;
  void showNote(std::string_view text) override;
  void showCommandLabel(const DialogControl& control, std::string_view label) override;
  void showMessage(const std::string& text) override;

  HWND handleOf(const DialogControl& control) const { return GetDlgItem(dialog_, control.id); }

  const OptionDialogDesign& design_;
  DialogOwner& owner_;
  HWND dialog_ = nullptr;
  // Tasks of the command's work for the dialog's thread; those left when the dialog
  // closes are dropped with it.
  std::mutex mutex_;
  std::deque<std::function<void()>> tasks_;
  std::optional<OptionDialogFlow> flow_;  // last: its commands' work stops before the rest goes
};

WORD controlClass(DialogControlKind kind) {
  switch (kind) {
    case DialogControlKind::OkButton:
    case DialogControlKind::CancelButton:
    case DialogControlKind::CheckBox:
    case DialogControlKind::RadioButton:
    case DialogControlKind::CommandButton:
      return DialogTemplate::button;
    case DialogControlKind::TextField:
      return DialogTemplate::edit;
    case DialogControlKind::ChoiceBox:
      return DialogTemplate::comboBox;
    case DialogControlKind::Label:
    case DialogControlKind::Note:
    case DialogControlKind::Status:
    case DialogControlKind::Table:  // added by its class name
      break;
  }
  return DialogTemplate::staticText;
}

DWORD controlStyle(const DialogControl& control) {
  switch (control.kind) {
    case DialogControlKind::OkButton:
      return BS_DEFPUSHBUTTON | WS_TABSTOP;
    case DialogControlKind::CancelButton:
      return BS_PUSHBUTTON | WS_TABSTOP;
    case DialogControlKind::TextField: {
      // Without ES_AUTOHSCROLL a field takes only what its width shows.
      DWORD style = WS_BORDER | WS_TABSTOP;
      if (control.field.rightAligned) style |= ES_RIGHT;
      if (control.field.scrolls) style |= ES_AUTOHSCROLL;
      if (control.field.digitsOnly) style |= ES_NUMBER;
      return style;
    }
    case DialogControlKind::ChoiceBox:
      return CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    case DialogControlKind::CheckBox:
      return BS_AUTOCHECKBOX | WS_TABSTOP;
    case DialogControlKind::RadioButton:  // reached by a click or the arrow keys of its row, never by Tab
      return BS_AUTORADIOBUTTON;
    case DialogControlKind::CommandButton:
      return BS_PUSHBUTTON | WS_TABSTOP;
    case DialogControlKind::Table:
      return LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP;
    case DialogControlKind::Status:
      return SS_LEFT | SS_CENTERIMAGE;
    case DialogControlKind::Label:
    case DialogControlKind::Note:
      break;
  }
  return SS_LEFT;
}

DialogTemplate buildTemplate(const OptionDialogDesign& design) {
  DialogTemplate dialog(wideFromUtf8(tr(design.title)), design.width, design.height, uiFontFace(), dialogFontPoints);
  DialogControlKind previous = DialogControlKind::Label;
  for (const DialogControl& control : design.controls) {
    DWORD style = controlStyle(control);
    // Consecutive radio buttons form a group, which the next control ends.
    const bool isRadio = control.kind == DialogControlKind::RadioButton;
    if (isRadio != (previous == DialogControlKind::RadioButton)) style |= WS_GROUP;
    previous = control.kind;
    const int id = control.kind == DialogControlKind::Note ? dialogNoteId : control.id != 0 ? control.id : -1;
    if (control.kind == DialogControlKind::Table) {  // its label names the columns, not the control
      dialog.addControl(WC_LISTVIEWW, static_cast<DWORD>(id), style, 0, L"", control.x, control.y, control.width,
                        control.height);
      continue;
    }
    dialog.addControl(controlClass(control.kind), static_cast<DWORD>(id), style, 0, wideFromUtf8(tr(control.label)),
                      control.x, control.y, control.width, control.height);
  }
  return dialog;
}

void fillChoiceBox(HWND box, const DialogControl& control) {
  for (std::string_view item : choiceItems(control.choices)) {
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromUtf8(item).c_str()));
  }
  // Common controls 6 count the opened list's items; older ones take the design's height.
  SendMessageW(box, CB_SETMINVISIBLE, openedListItems, 0);
}

// What never changes while the dialog is open: the lists' items and the tables' columns.
void prepareControls(HWND dialog, const OptionDialogDesign& design) {
  for (const DialogControl& control : design.controls) {
    if (control.kind == DialogControlKind::ChoiceBox) fillChoiceBox(GetDlgItem(dialog, control.id), control);
    if (control.kind == DialogControlKind::Table) addListColumns(GetDlgItem(dialog, control.id), tr(control.label));
  }
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    reinterpret_cast<OpenDialog*>(lParam)->opened(dialog);
    return TRUE;  // the focus goes to the first tab stop
  }
  auto* open = reinterpret_cast<OpenDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (open == nullptr) return FALSE;
  switch (message) {
    case dialogTaskMessage:
      open->runPostedTasks();
      return TRUE;
    case WM_DESTROY:
      open->closing();
      return FALSE;
    case WM_COMMAND:
      return open->onCommand(LOWORD(wParam), HIWORD(wParam));
    default:
      return FALSE;
  }
}

void OpenDialog::opened(HWND dialog) {
  dialog_ = dialog;
  DialogView& view = *this;
  flow_.emplace(design_, owner_, view, [this](std::function<void()> task) { post(std::move(task)); });
  prepareControls(dialog_, design_);
  growToTexts(dialog_, design_.controls);
  flow_->opened();
}

INT_PTR OpenDialog::onCommand(int id, int code) {
  if (!flow_) return FALSE;
  switch (id) {
    case IDOK:
      flow_->confirmed();
      EndDialog(dialog_, IDOK);
      return TRUE;
    case IDCANCEL:  // キャンセル, Escape and the close box
      EndDialog(dialog_, IDCANCEL);
      return TRUE;
    default:
      if (code == BN_CLICKED && flow_->pressed(id)) return TRUE;
      if (code == EN_CHANGE || code == BN_CLICKED || code == CBN_SELCHANGE) flow_->edited(id);
      return FALSE;
  }
}

void OpenDialog::post(std::function<void()> task) {
  const std::lock_guard lock(mutex_);
  tasks_.push_back(std::move(task));
  PostMessageW(dialog_, dialogTaskMessage, 0, 0);
}

void OpenDialog::runPostedTasks() {
  std::deque<std::function<void()>> tasks;
  {
    const std::lock_guard lock(mutex_);
    tasks.swap(tasks_);
  }
  for (const std::function<void()>& task : tasks) task();
}

std::string OpenDialog::text(const DialogControl& control) const { return windowText(handleOf(control)); }

bool OpenDialog::isChecked(const DialogControl& control) const {
  return IsDlgButtonChecked(dialog_, control.id) == BST_CHECKED;
}

int OpenDialog::selection(const DialogControl& control) const {
  if (control.kind == DialogControlKind::ChoiceBox) {
    return static_cast<int>(SendMessageW(handleOf(control), CB_GETCURSEL, 0, 0));
  }
  return pickedListRow(handleOf(control));
}

DialogRows OpenDialog::rows(const DialogControl& control) const { return listRows(handleOf(control)); }

void OpenDialog::showText(const DialogControl& control, std::string_view text) {
  if (windowText(handleOf(control)) != text) SetWindowTextW(handleOf(control), wideFromUtf8(text).c_str());
}

void OpenDialog::showChecked(const DialogControl& control, bool checked) {
  CheckDlgButton(dialog_, control.id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void OpenDialog::showSelection(const DialogControl& control, int item) {
  SendDlgItemMessageW(dialog_, control.id, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

void OpenDialog::showRows(const DialogControl& control, const DialogRows& rows, int picked) {
  showListRows(handleOf(control), rows, picked);
}

void OpenDialog::showNote(std::string_view text) { SetDlgItemTextW(dialog_, dialogNoteId, wideFromUtf8(text).c_str()); }

void OpenDialog::showCommandLabel(const DialogControl& control, std::string_view label) {
  SetDlgItemTextW(dialog_, control.id, wideFromUtf8(label).c_str());
}

void OpenDialog::showMessage(const std::string& text) {
  MessageBoxW(dialog_, wideFromUtf8(text).c_str(), wideFromUtf8(tr(design_.title)).c_str(), MB_OK | MB_ICONWARNING);
}

}  // namespace

bool runOptionDialog(const OptionDialogDesign& design, MainWindow& window) {
  const DialogTemplate dialog = buildTemplate(design);
  OpenDialog open(design, window.commands());
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.data(), window.handle(), dialogProc,
                                 reinterpret_cast<LPARAM>(&open)) == IDOK;
}

void installOptionDialogs(MainWindow& window) {
  window.commands().setDialogCommands([&window](const OptionDialogDesign& design) { runOptionDialog(design, window); });
}

}  // namespace hanabira
