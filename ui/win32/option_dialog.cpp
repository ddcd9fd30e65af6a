#include "ui/win32/option_dialog.h"

#include <commctrl.h>

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/model/console_dialog.h"
#include "ui/model/dialog_commands.h"
#include "ui/model/main_window_layout.h"
#include "ui/model/window_fields.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/main_window.h"
#include "ui/win32/ui_font.h"
#include "ui/win32/wide_text.h"

namespace hanabira {
namespace {

// Posted to the dialog when a command's work has handed it a task.
constexpr UINT dialogTaskMessage = WM_APP + 2;

struct OpenDialog {
  OpenDialog(const OptionDialogDesign& d, SearchSettings& s, std::function<SearchSettings()> w)
      : design(d), settings(s), windowSettings(std::move(w)) {}

  const OptionDialogDesign& design;
  SearchSettings& settings;
  std::function<SearchSettings()> windowSettings;  // what the window's fields would start a search with
  HWND dialog = nullptr;
  bool showing = false;  // controls being filled, not edited by the user

  // Tasks of the command's work for the dialog's thread; those left when the dialog
  // closes are dropped with it.
  std::mutex mutex;
  std::deque<std::function<void()>> tasks;
  std::optional<DialogCommands> commands;  // last: its work stops before the rest goes
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
  DialogTemplate dialog(wideFromUtf8(design.title), design.width, design.height, uiFontFace(), dialogFontPoints);
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

// The table's columns, named by its label ("VCount,Timer0,..."), sharing its width.
void addTableColumns(HWND table, const DialogControl& control) {
  std::vector<std::string> names;
  for (std::string_view rest = control.label; !rest.empty();) {
    const std::size_t comma = rest.find(',');
    names.emplace_back(rest.substr(0, comma));
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  }
  RECT area;
  GetClientRect(table, &area);
  const int width = names.empty() ? 0 : (area.right - area.left) / static_cast<int>(names.size());
  for (std::size_t c = 0; c < names.size(); ++c) {
    std::wstring name = wideFromUtf8(names[c]);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width;
    column.pszText = name.data();
    SendMessageW(table, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }
  SendMessageW(table, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

// What never changes while the dialog is open: the lists' items and the tables' columns.
void prepareControls(HWND dialog, const OptionDialogDesign& design) {
  for (const DialogControl& control : design.controls) {
    if (control.kind == DialogControlKind::ChoiceBox) fillChoiceBox(GetDlgItem(dialog, control.id), control);
    if (control.kind == DialogControlKind::Table) addTableColumns(GetDlgItem(dialog, control.id), control);
  }
}

void showRows(HWND table, const DialogState& state, int id) {
  SendMessageW(table, LVM_DELETEALLITEMS, 0, 0);
  const auto found = state.rows.find(id);
  if (found == state.rows.end()) return;
  for (std::size_t r = 0; r < found->second.size(); ++r) {
    const std::vector<std::string>& row = found->second[r];
    for (std::size_t c = 0; c < row.size(); ++c) {
      std::wstring cell = wideFromUtf8(row[c]);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(r);
      item.iSubItem = static_cast<int>(c);
      item.pszText = cell.data();
      SendMessageW(table, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
    }
  }
  if (const int picked = state.selection(id); picked >= 0) {
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(table, LVM_SETITEMSTATE, static_cast<WPARAM>(picked), reinterpret_cast<LPARAM>(&item));
  }
}

std::vector<std::vector<std::string>> tableRows(HWND table) {
  const HWND header = reinterpret_cast<HWND>(SendMessageW(table, LVM_GETHEADER, 0, 0));
  const auto columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  const auto count = static_cast<int>(SendMessageW(table, LVM_GETITEMCOUNT, 0, 0));
  std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(count));
  for (int r = 0; r < count; ++r) {
    for (int c = 0; c < columns; ++c) {
      wchar_t buffer[256] = {};
      LVITEMW item{};
      item.iSubItem = c;
      item.pszText = buffer;
      item.cchTextMax = 256;
      SendMessageW(table, LVM_GETITEMTEXTW, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
      rows[static_cast<std::size_t>(r)].push_back(utf8FromWide(buffer));
    }
  }
  return rows;
}

void showValues(OpenDialog& open, const DialogState& state) {
  open.showing = true;
  for (const DialogControl& control : open.design.controls) {
    if (control.id == 0) continue;
    const HWND item = GetDlgItem(open.dialog, control.id);
    switch (control.kind) {
      case DialogControlKind::TextField:
      case DialogControlKind::Status:
        if (windowText(item) != state.text(control.id))
          SetWindowTextW(item, wideFromUtf8(state.text(control.id)).c_str());
        break;
      case DialogControlKind::ChoiceBox: {
        const auto count = static_cast<int>(SendMessageW(item, CB_GETCOUNT, 0, 0));
        const int position = state.selection(control.id);
        SendMessageW(item, CB_SETCURSEL, static_cast<WPARAM>(position < count ? position : -1), 0);
        break;
      }
      case DialogControlKind::CheckBox:
      case DialogControlKind::RadioButton:
        CheckDlgButton(open.dialog, control.id, state.isChecked(control.id) ? BST_CHECKED : BST_UNCHECKED);
        break;
      case DialogControlKind::Table:
        showRows(item, state, control.id);
        break;
      case DialogControlKind::OkButton:
      case DialogControlKind::CancelButton:
      case DialogControlKind::Label:
      case DialogControlKind::Note:
      case DialogControlKind::CommandButton:
        break;
    }
  }
  open.showing = false;
}

void updateNote(HWND dialog, const OptionDialogDesign& design) {
  if (design.note == nullptr) return;
  SetDlgItemTextW(dialog, dialogNoteId, wideFromUtf8(design.note(optionDialogState(dialog, design))).c_str());
}

void showCommandLabels(const OpenDialog& open) {
  for (const DialogControl& control : open.design.controls) {
    if (control.kind != DialogControlKind::CommandButton) continue;
    SetDlgItemTextW(open.dialog, control.id, wideFromUtf8(open.commands->label(control.id)).c_str());
  }
}

void runCommand(OpenDialog& open, int id) {
  DialogState state = optionDialogState(open.dialog, open.design);
  const std::string message = open.commands->press(id, state, open.windowSettings());
  showValues(open, state);
  updateNote(open.dialog, open.design);
  showCommandLabels(open);
  if (!message.empty()) {
    MessageBoxW(open.dialog, wideFromUtf8(message).c_str(), wideFromUtf8(open.design.title).c_str(),
                MB_OK | MB_ICONWARNING);
  }
}

void commandFinished(OpenDialog& open, const DialogUpdate& update) {
  if (update) {
    DialogState state = optionDialogState(open.dialog, open.design);
    update(state);
    showValues(open, state);
    updateNote(open.dialog, open.design);
  }
  showCommandLabels(open);
}

void runPostedTasks(OpenDialog& open) {
  std::deque<std::function<void()>> tasks;
  {
    const std::lock_guard lock(open.mutex);
    tasks.swap(open.tasks);
  }
  for (const std::function<void()>& task : tasks) task();
}

// On OK, after the settings: the window's fields the dialog sets.
void applyWindowChanges(const OpenDialog& open, const DialogState& state) {
  if (open.design.windowChanges == nullptr) return;
  const HWND window = GetParent(open.dialog);
  const WindowChanges changes = open.design.windowChanges(state);
  for (const auto& [id, text] : changes.texts) SetDlgItemTextW(window, id, wideFromUtf8(text).c_str());
  for (const auto& [id, checked] : changes.checked) CheckDlgButton(window, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool isCommandButton(const OptionDialogDesign& design, int id) {
  for (const DialogControl& control : design.controls) {
    if (control.id == id) return control.kind == DialogControlKind::CommandButton;
  }
  return false;
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* open = reinterpret_cast<OpenDialog*>(lParam);
    open->dialog = dialog;
    open->commands.emplace(
        open->design,
        [open](std::function<void()> task) {
          const std::lock_guard lock(open->mutex);
          open->tasks.push_back(std::move(task));
          PostMessageW(open->dialog, dialogTaskMessage, 0, 0);
        },
        [open](const DialogUpdate& update) { commandFinished(*open, update); });
    prepareControls(dialog, open->design);
    showValues(*open, open->design.shown(open->settings));
    updateNote(dialog, open->design);
    return TRUE;  // the focus goes to the first tab stop
  }
  auto* open = reinterpret_cast<OpenDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (open == nullptr) return FALSE;
  switch (message) {
    case dialogTaskMessage:
      runPostedTasks(*open);
      return TRUE;
    case WM_DESTROY:
      open->commands.reset();  // stops the work; what it had still to say is dropped
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      switch (id) {
        case IDOK: {
          const DialogState state = optionDialogState(dialog, open->design);
          open->design.store(state, open->settings);
          applyWindowChanges(*open, state);
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        case IDCANCEL:  // キャンセル, Escape and the close box
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          if (HIWORD(wParam) == BN_CLICKED && isCommandButton(open->design, id)) {
            runCommand(*open, id);
            return TRUE;
          }
          if (HIWORD(wParam) == CBN_SELCHANGE && open->design.changed != nullptr && !open->showing) {
            DialogState state = optionDialogState(dialog, open->design);
            open->design.changed(id, state);
            showValues(*open, state);
          }
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
      case DialogControlKind::Status:
        state.texts[control.id] = windowText(item);
        break;
      case DialogControlKind::ChoiceBox:
        state.selected[control.id] = static_cast<int>(SendMessageW(item, CB_GETCURSEL, 0, 0));
        break;
      case DialogControlKind::CheckBox:
      case DialogControlKind::RadioButton:
        if (IsDlgButtonChecked(dialog, control.id) == BST_CHECKED) state.checked.insert(control.id);
        break;
      case DialogControlKind::Table:
        state.rows[control.id] = tableRows(item);
        state.selected[control.id] =
            static_cast<int>(SendMessageW(item, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
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

bool runOptionDialog(const OptionDialogDesign& design, SearchSettings& settings, HWND owner,
                     std::function<SearchSettings()> windowSettings) {
  if (!windowSettings) windowSettings = [&settings] { return settings; };
  const DialogTemplate dialog = buildTemplate(design);
  OpenDialog open(design, settings, std::move(windowSettings));
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.data(), owner, dialogProc,
                                 reinterpret_cast<LPARAM>(&open)) == IDOK;
}

void installOptionDialogs(MainWindow& window) {
  auto open = [&window](const OptionDialogDesign& design) {
    runOptionDialog(design, window.settings(), window.handle(), [&window] {
      SearchSettings settings = window.settings();
      readStartFields(window.fields(), settings);
      return settings;
    });
  };
  for (const OptionDialogDesign& design : optionDialogDesigns) {
    window.setCommand(design.command, [open, &design] { open(design); });
  }
  window.setCommand(consoleDialogDesign.command, [open] { open(consoleDialogDesign); });
}

}  // namespace hanabira
