// The command-line front end: settings from a JSON file (and a config.txt), one search,
// the result file, progress and a summary on the error stream.
#pragma once

#include <atomic>
#include <ostream>

#include "core/search_settings.h"

namespace hanabira {

enum ExitCode : int {
  exitDone = 0,
  exitIoFailure = 1,      // a file, memory or a thread could not be had
  exitInvalidInput = 2,   // bad settings or usage
  exitStoppedAtOnce = 3,  // by a second stop signal: an output may end in a cut line
  exitAborted = 130,      // as a shell reports a process ended by Ctrl-C
};

struct CliEnvironment {
  std::ostream& out;
  std::ostream& err;
  bool errIsTerminal = false;
  const std::atomic<bool>* cancel = nullptr;
  // The exit code of a run `cancel` stopped: 128 + the signal that asked for the stop
  // (129 SIGHUP, 130 Ctrl-C, 143 SIGTERM); without one, exitAborted.
  const std::atomic<int>* stopExitCode = nullptr;
};

// What a run stopped by `cancel` exits with.
int abortedExitCode(const CliEnvironment& environment);

int runCli(int argc, const char* const* argv, const CliEnvironment& environment);

// The built-in example: a Black console (VCount 60, Timer0 C79, GxStat 6000000, Frame 8,
// MAC 00-11-22-33-44-55) booted on 2011-09-27 between 13:47:00 and 13:47:59 with key input.
SearchSettings exampleSettings();

}  // namespace hanabira
