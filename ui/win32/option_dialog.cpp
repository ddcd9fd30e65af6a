#include "ui/win32/option_dialog.h"

#include <commctrl.h>

#include "ui/model/main_window_layout.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/main_window.h"
#include "ui/win32/ui_font.h"
#include "ui/win32/wide_text.h"

namespace hanabira {
namespace {

struct OpenDialog {
  const OptionDialogDesign& design;
  SearchSettings& settings;
};

WORD controlClass(DialogControlKind kind) {
  switch (kind) {
    case DialogControlKind::OkButton:
    case DialogControlKind::CancelButton:
    case DialogControlKind::CheckBox:
    case DialogControlKind::RadioButton:
      return DialogTemplate::button;
    case DialogControlKind::TextField:
      return DialogTemplate::edit;
    case DialogControlKind::ChoiceBox:
      return DialogTemplate::comboBox;
    case DialogControlKind::Label:
    case DialogControlKind::Note:
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
    case DialogControlKind::Label:
    case DialogControlKind::Note:
      break;
  }
  return SS_LEFT;
}

DialogTemplate buildTemplate(const OptionDialogDesign& design) {
  DialogTemplate dialog(wideFromUtf8(design.title), design.width, design.height, uiFontFace(), dialogFontPoints);
  DialogControlKind previous = DialogControlKind::Label;
  for (const DialogControl& control : design.controls) {
    DWORD style = controlStyle(control);
    // Consecutive radio buttons form a group, which the next control ends.
    const bool isRadio = control.kind == DialogControlKind::RadioButton;
    if (isRadio != (previous == DialogControlKind::RadioButton)) style |= WS_GROUP;
    previous = control.kind;
    const int id = control.kind == DialogControlKind::Note ? dialogNoteId : control.id != 0 ? control.id : -1;
    dialog.addControl(controlClass(control.kind), static_cast<DWORD>(id), style, 0, wideFromUtf8(control.label),
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

void showValues(HWND dialog, const OptionDialogDesign& design, const DialogState& state) {
  for (const DialogControl& control : design.controls) {
    if (control.id == 0) continue;
    const HWND item = GetDlgItem(dialog, control.id);
    switch (control.kind) {
      case DialogControlKind::TextField:
        SetWindowTextW(item, wideFromUtf8(state.text(control.id)).c_str());
        break;
      case DialogControlKind::ChoiceBox: {
        fillChoiceBox(item, control);
        const auto count = static_cast<int>(SendMessageW(item, CB_GETCOUNT, 0, 0));
        const int position = state.selection(control.id);
        SendMessageW(item, CB_SETCURSEL, static_cast<WPARAM>(position < count ? position : -1), 0);
        break;
      }
      case DialogControlKind::CheckBox:
      case DialogControlKind::RadioButton:
        CheckDlgButton(dialog, control.id, state.isChecked(control.id) ? BST_CHECKED : BST_UNCHECKED);
        break;
      case DialogControlKind::OkButton:
      case DialogControlKind::CancelButton:
      case DialogControlKind::Label:
      case DialogControlKind::Note:
        break;
    }
  }
}

void updateNote(HWND dialog, const OptionDialogDesign& design) {
  if (design.note == nullptr) return;
  SetDlgItemTextW(dialog, dialogNoteId, wideFromUtf8(design.note(optionDialogState(dialog, design))).c_str());
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      const auto* open = reinterpret_cast<const OpenDialog*>(lParam);
      showValues(dialog, open->design, open->design.shown(open->settings));
      updateNote(dialog, open->design);
      return TRUE;  // the focus goes to the first tab stop
    }
    case WM_COMMAND: {
      const auto* open = reinterpret_cast<const OpenDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
      if (open == nullptr) return FALSE;
      switch (LOWORD(wParam)) {
        case IDOK:
          open->design.store(optionDialogState(dialog, open->design), open->settings);
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:  // キャンセル, Escape and the close box
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          if (HIWORD(wParam) == EN_CHANGE || HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == CBN_SELCHANGE) {
            updateNote(dialog, open->design);
          }
          return FALSE;
      }
    }
    default:
      return FALSE;
  }
}

}  // namespace

DialogState optionDialogState(HWND dialog, const OptionDialogDesign& design) {
  DialogState state;
  for (const DialogControl& control : design.controls) {
    if (control.id == 0) continue;
    const HWND item = GetDlgItem(dialog, control.id);
    switch (control.kind) {
      case DialogControlKind::TextField:
        state.texts[control.id] = windowText(item);
        break;
      case DialogControlKind::ChoiceBox:
        state.selected[control.id] = static_cast<int>(SendMessageW(item, CB_GETCURSEL, 0, 0));
        break;
      case DialogControlKind::CheckBox:
      case DialogControlKind::RadioButton:
        if (IsDlgButtonChecked(dialog, control.id) == BST_CHECKED) state.checked.insert(control.id);
        break;
      case DialogControlKind::OkButton:
      case DialogControlKind::CancelButton:
      case DialogControlKind::Label:
      case DialogControlKind::Note:
        break;
    }
  }
  return state;
}

bool runOptionDialog(const OptionDialogDesign& design, SearchSettings& settings, HWND owner) {
  const DialogTemplate dialog = buildTemplate(design);
  OpenDialog open{design, settings};
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.data(), owner, dialogProc,
                                 reinterpret_cast<LPARAM>(&open)) == IDOK;
}

void installOptionDialogs(MainWindow& window) {
  for (const OptionDialogDesign& design : optionDialogDesigns) {
    window.setCommand(design.command,
                      [&design, &window] { runOptionDialog(design, window.settings(), window.handle()); });
  }
}

}  // namespace hanabira
