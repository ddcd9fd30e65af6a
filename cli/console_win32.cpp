#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "cli/cli_app.h"
#include "cli/console.h"
#include "cli/output_file.h"

namespace hanabira {
namespace {

std::atomic<bool>* cancelFlag = nullptr;
std::atomic<int>* stopCode = nullptr;
std::atomic<bool> stoppedOnce{false};

// The exit code a console event asks for, as its POSIX signal would: Ctrl-C and
// Ctrl-Break as SIGINT, the console closing (or the session ending) as SIGHUP; 0 for
// others.
int exitCodeOf(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      return exitAborted;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      return 128 + 1;
    default:
      return 0;
  }
}

// Runs on a thread of its own. Returning FALSE passes the event on to the default
// handler, which ends the process.
BOOL WINAPI onConsoleEvent(DWORD event) {
  const int code = exitCodeOf(event);
  if (code == 0) return FALSE;
  if (stoppedOnce.exchange(true)) {
    const std::string message = settleOutputsAtOnce();
    std::fputs(message.c_str(), stderr);
    std::_Exit(exitStoppedAtOnce);
  }
  stopCode->store(code);
  cancelFlag->store(true);
  // The process ends when the handler of a closing console returns: the search stops
  // cleanly meanwhile, in the seconds Windows waits.
  if (code != exitAborted) Sleep(INFINITE);
  return TRUE;
}

std::string toUtf8(const wchar_t* wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
  return text;
}

}  // namespace

void stopOnSignals(std::atomic<bool>& cancel, std::atomic<int>& exitCode) {
  cancelFlag = &cancel;
  stopCode = &exitCode;
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
