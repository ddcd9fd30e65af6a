#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <memory>

#include "cli/console.h"

namespace hanabira {
namespace {

std::atomic<bool>* interruptFlag = nullptr;
std::atomic<bool> interruptedOnce{false};

// Runs on a thread of its own. Returning FALSE passes the event on to the default
// handler, which ends the process.
BOOL WINAPI onConsoleEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  if (interruptedOnce.exchange(true)) return FALSE;
  interruptFlag->store(true);
  return TRUE;
}

std::string toUtf8(const wchar_t* wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
  return text;
}

}  // namespace

void stopOnFirstInterrupt(std::atomic<bool>& cancel) {
  interruptFlag = &cancel;
  // A process started in a new process group begins with Ctrl-C ignored.
  SetConsoleCtrlHandler(nullptr, FALSE);
  SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

bool errorStreamIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

std::vector<std::string> utf8Arguments(int /*argc*/, char** /*argv*/) {
  int count = 0;
  const std::unique_ptr<wchar_t*, decltype(&LocalFree)> wide(CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
  std::vector<std::string> arguments;
  for (int k = 0; k < count && wide; ++k) arguments.push_back(toUtf8(wide.get()[k]));
  return arguments;
}

void prepareStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
}

}  // namespace hanabira
