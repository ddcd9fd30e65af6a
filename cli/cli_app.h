// The command-line front end: its commands (cli/command.h) on one parser, their one
// error type and the exit codes the program ends with.
#pragma once

#include <atomic>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace hanabira {

enum ExitCode : int {
  exitDone = 0,
  exitIoFailure = 1,      // a file, memory or a thread could not be had
  exitInvalidInput = 2,   // bad settings or usage
  exitStoppedAtOnce = 3,  // by a second stop signal: an output may end in a cut line
  exitAborted = 130,      // as a shell reports a process ended by Ctrl-C
};

// What ends a command with "error: MESSAGE" and its exit code.
class CliError : public std::runtime_error {
 public:
  CliError(int exitCode, const std::string& message) : std::runtime_error(message), exitCode_(exitCode) {}
  int exitCode() const { return exitCode_; }

 private:
  int exitCode_;
};

struct CliEnvironment {
  std::ostream& out;
  std::ostream& err;
  bool errIsTerminal = false;
  const std::atomic<bool>* cancel = nullptr;
  // The exit code of a run `cancel` stopped: 128 + the signal that asked for the stop
  // (129 SIGHUP, 130 Ctrl-C, 143 SIGTERM); without one, exitAborted.
  const std::atomic<int>* stopExitCode = nullptr;
  // The languages the user's system names (i18n/ui_language.h), most wanted first; where
  // it names none, the program speaks English.
  std::vector<std::string> localeLanguages = {};
};

// What a run stopped by `cancel` exits with.
int abortedExitCode(const CliEnvironment& environment);

// Whether what was printed reached standard output: a full disk or a closed pipe shows
// only when the stream is flushed.
bool flushed(std::ostream& out);
// What a command ends with where that failed.
std::string outputFailure();

int runCli(int argc, const char* const* argv, const CliEnvironment& environment);

}  // namespace hanabira
