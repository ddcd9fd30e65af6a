// What the command-line program needs of the console it runs in, on each platform.
#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace hanabira {

// The first Ctrl-C, SIGTERM or SIGHUP (on Windows Ctrl-C, Ctrl-Break or the console
// closing) sets `exitCode` to 128 + the signal (130, 143, 129) and `cancel`, so that the
// search stops cleanly. A second one ends the process at once with exitStoppedAtOnce,
// the unfinished outputs settled first (settleOutputsAtOnce). A SIGHUP or SIGTERM the
// program was started to ignore (nohup) stays ignored.
void stopOnSignals(std::atomic<bool>& cancel, std::atomic<int>& exitCode);

bool errorStreamIsTerminal();

// The arguments in UTF-8. Windows hands main() its arguments in the ANSI code page,
// which loses any character outside it, so there they are read from the wide command
// line instead.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// Standard output passes the result file's bytes unchanged (no CR before each LF on
// Windows), and a Windows console shows the UTF-8 messages as text.
void prepareStandardStreams();

}  // namespace hanabira
