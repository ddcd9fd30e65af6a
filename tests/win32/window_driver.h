// Drives the Win32 window as a user would, through window messages: typing into fields,
// clicking buttons, choosing items, and acting in a modal dialog or message box while
// it is open. The tests own the thread's message loop and pump it here.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace hanabira::testing {

// A fresh temporary folder as the working directory ("config.txt", "result.txt") for
// as long as it lives.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  std::filesystem::path path(std::string_view name) const;
  void write(std::string_view name, std::string_view bytes) const;
  std::string read(std::string_view name) const;

 private:
  std::filesystem::path dir_;
  std::filesystem::path previous_;
};

// Replaces the field's text by typing `text` (UTF-8) key by key, as the field takes it.
void type(HWND parent, int id, std::string_view text);
void click(HWND parent, int id);
void setChecked(HWND parent, int id, bool checked);
bool isChecked(HWND parent, int id);
// Selects the item with this text (UTF-8) and tells the owner, as a click on it does.
void choose(HWND parent, int id, std::string_view item);
std::string text(HWND parent, int id);

// Runs the thread's messages until `done` holds; false when `timeout` passed first.
bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(60));

// Runs `act` on the next modal dialog or message box of this thread, once it is open
// (from a timer that the dialog's own message loop runs). Closing it is up to `act`.
void whenDialogOpens(std::function<void(HWND dialog)> act);
// Whether the last whenDialogOpens ran.
bool dialogActed();

// A message box's text (UTF-8).
std::string messageBoxText(HWND box);

}  // namespace hanabira::testing
