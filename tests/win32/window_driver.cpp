#include "window_driver.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "core/utf8_path.h"
#include "ui/win32/wide_text.h"

namespace hanabira::testing {
namespace {

std::function<void(HWND)> pendingAct;
bool acted = false;

// A visible dialog or message box of this thread (their window class is "#32770").
HWND openDialog() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring_view(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK actOnOpenDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND dialog = openDialog();
  if (dialog == nullptr) return;
  KillTimer(nullptr, timer);
  acted = true;
  std::function<void(HWND)> act = std::move(pendingAct);
  act(dialog);
}

}  // namespace

ScratchDirectory::ScratchDirectory() : previous_(std::filesystem::current_path()) {
  std::random_device random;
  dir_ = std::filesystem::temp_directory_path() / ("hanabira-window-test-" + std::to_string(random()));
  std::filesystem::create_directories(dir_);
  std::filesystem::current_path(dir_);
}

ScratchDirectory::~ScratchDirectory() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

std::filesystem::path ScratchDirectory::path(std::string_view name) const { return dir_ / pathFromUtf8(name); }

void ScratchDirectory::write(std::string_view name, std::string_view bytes) const {
  std::ofstream(path(name), std::ios::binary) << bytes;
}

std::string ScratchDirectory::read(std::string_view name) const {
  std::ostringstream bytes;
  bytes << std::ifstream(path(name), std::ios::binary).rdbuf();
  return bytes.str();
}

void type(HWND parent, int id, std::string_view typed) {
  const HWND field = GetDlgItem(parent, id);
  if (field == nullptr) throw std::logic_error("no field " + std::to_string(id));
  SetFocus(field);
  SendMessageW(field, EM_SETSEL, 0, -1);
  SendMessageW(field, WM_CHAR, VK_BACK, 0);
  for (const wchar_t c : wideFromUtf8(typed)) SendMessageW(field, WM_CHAR, c, 0);
}

void click(HWND parent, int id) {
  const HWND button = GetDlgItem(parent, id);
  if (button == nullptr) throw std::logic_error("no button " + std::to_string(id));
  SendMessageW(button, BM_CLICK, 0, 0);
}

bool isChecked(HWND parent, int id) { return IsDlgButtonChecked(parent, id) == BST_CHECKED; }

void setChecked(HWND parent, int id, bool checked) {
  if (isChecked(parent, id) != checked) click(parent, id);
}

void choose(HWND parent, int id, std::string_view item) {
  const HWND box = GetDlgItem(parent, id);
  const auto position = SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(wideFromUtf8(item).c_str()));
  if (position == CB_ERR) throw std::logic_error("no item " + std::string(item));
  SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

std::string text(HWND parent, int id) { return windowText(GetDlgItem(parent, id)); }

bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

void whenDialogOpens(std::function<void(HWND dialog)> act) {
  pendingAct = std::move(act);
  acted = false;
  SetTimer(nullptr, 0, 20, actOnOpenDialog);
}

bool dialogActed() { return acted; }

std::string messageBoxText(HWND box) {
  constexpr int messageTextId = 0xFFFF;  // the static control of a message box
  return text(box, messageTextId);
}

}  // namespace hanabira::testing
