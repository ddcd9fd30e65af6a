// A program the tests start as a user would: in a folder of its own, its standard output
// and error into files, and Ctrl-C sent to it as the console sends it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace hanabira::testing {

class ChildProcess {
 public:
  // `command` is the program and its arguments.
  ChildProcess(const std::vector<std::string>& command, const std::filesystem::path& directory,
               const std::filesystem::path& standardOutput, const std::filesystem::path& standardError);
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&&) = delete;
  // Waits for the program unless wait() did.
  ~ChildProcess();

  // Ctrl-C: SIGINT, or on Windows the console's Ctrl-C event.
  void interrupt();
#ifndef _WIN32
  void send(int signal);
#endif

  struct Ended {
    int exitCode;  // 128 + the signal for a program a signal ended
    long peakMemoryKb;
  };
  Ended wait();

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;  // until the program ended
};

}  // namespace hanabira::testing
