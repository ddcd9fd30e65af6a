#include "ui/win32/text_prompt.h"

#include <commdlg.h>

#include <array>

#include "i18n/translate.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/ui_font.h"
#include "ui/win32/wide_text.h"

namespace hanabira {
namespace {

struct Prompt {
  std::wstring text;
  bool confirmed = false;
};

INT_PTR CALLBACK promptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    SetDlgItemTextW(dialog, promptTextField, reinterpret_cast<Prompt*>(lParam)->text.c_str());
    return TRUE;  // the focus to the field
  }
  if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
  auto* prompt = reinterpret_cast<Prompt*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (LOWORD(wParam) == IDOK) {
    const HWND field = GetDlgItem(dialog, promptTextField);
    std::wstring typed(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    typed.resize(static_cast<std::size_t>(GetWindowTextW(field, typed.data(), static_cast<int>(typed.size()))));
    prompt->text = typed;
    prompt->confirmed = true;
  }
  EndDialog(dialog, LOWORD(wParam));
  return TRUE;
}

}  // namespace

std::optional<std::string> askLine(HWND owner, const std::string& title, const std::string& question,
                                   const std::string& text) {
  DialogTemplate dialog(wideFromUtf8(title), 200, 62, uiFontFace(), dialogFontPoints);
  const DWORD child = WS_CHILD | WS_VISIBLE;
  dialog.addControl(DialogTemplate::staticText, static_cast<DWORD>(-1), child | SS_LEFT, 0, wideFromUtf8(question), 8,
                    8, 184, 10);
  dialog.addControl(DialogTemplate::edit, promptTextField, child | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, L"", 8,
                    20, 184, 12);
  dialog.addControl(DialogTemplate::button, IDOK, child | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, L"OK", 86, 40, 50, 14);
  dialog.addControl(DialogTemplate::button, IDCANCEL, child | WS_TABSTOP | BS_PUSHBUTTON, 0, wideFromUtf8(tr("Cancel")),
                    142, 40, 50, 14);
  Prompt prompt{wideFromUtf8(text)};
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.data(), owner, promptProc,
                          reinterpret_cast<LPARAM>(&prompt));
  if (!prompt.confirmed) return std::nullopt;
  return utf8FromWide(prompt.text);
}

std::optional<std::filesystem::path> chooseJsonFile(HWND owner, bool forSaving) {
  std::array<wchar_t, MAX_PATH * 4> path{};
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = L"JSON (*.json)\0*.json\0";
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrDefExt = L"json";
  dialog.Flags = OFN_NOCHANGEDIR | (forSaving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!(forSaving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return std::nullopt;
  return std::filesystem::path(path.data());
}

}  // namespace hanabira
