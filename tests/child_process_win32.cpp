#include <windows.h>
// After windows.h, which they need.
#include <psapi.h>

#include <stdexcept>

#include "child_process.h"

namespace hanabira::testing {
namespace {

std::wstring wide(const std::string& utf8) {
  std::wstring text(utf8.size(), L'\0');
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                                         static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// One argument as the C runtime's parser reads it back: quoted, with the backslashes
// before a quote doubled.
void appendQuoted(std::wstring& line, const std::wstring& argument) {
  line += L'"';
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(2 * backslashes, L'\\');
  line += L'"';
}

HANDLE createOutputFile(const std::filesystem::path& path) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path.string());
  return file;
}

// Console events reach only the programs of one console, and under Wine only of a
// console that a program created (the one Wine gives a program started from a shell
// takes no events): the test opens its own, once, and its programs share it.
void openOwnConsole() {
  static const bool opened = [] {
    FreeConsole();
    return AllocConsole() != 0;
  }();
  if (!opened) throw std::runtime_error("cannot open a console");
}

}  // namespace

struct ChildProcess::Handle {
  PROCESS_INFORMATION process;
};

ChildProcess::ChildProcess(const std::vector<std::string>& command, const std::filesystem::path& directory,
                           const std::filesystem::path& standardOutput, const std::filesystem::path& standardError) {
  std::wstring line;
  for (const std::string& argument : command) {
    if (!line.empty()) line += L' ';
    appendQuoted(line, wide(argument));
  }
  openOwnConsole();
  const HANDLE out = createOutputFile(standardOutput);
  const HANDLE err = createOutputFile(standardError);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NEW_PROCESS_GROUP, nullptr,
                                      directory.c_str(), &startup, &process);
  CloseHandle(out);
  CloseHandle(err);
  if (!started) throw std::runtime_error("cannot start " + command.front());
  CloseHandle(process.hThread);
  handle_ = std::make_unique<Handle>(process);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept = default;

ChildProcess::~ChildProcess() {
  if (handle_ != nullptr) wait();
}

// The program runs in a process group of its own, so that the event reaches it alone.
void ChildProcess::interrupt() { GenerateConsoleCtrlEvent(CTRL_C_EVENT, handle_->process.dwProcessId); }

ChildProcess::Ended ChildProcess::wait() {
  const HANDLE process = handle_->process.hProcess;
  WaitForSingleObject(process, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(process, &exitCode);
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(process, &memory, sizeof memory);
  CloseHandle(process);
  handle_.reset();
  return {static_cast<int>(exitCode), static_cast<long>(memory.PeakWorkingSetSize / 1024)};
}

}  // namespace hanabira::testing
