// What the command-line program needs of the console it runs in, on each platform.
#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace hanabira {

// The first Ctrl-C (on Windows Ctrl-Break too) sets `cancel`, so that the search stops
// cleanly; a second one ends the process at once.
void stopOnFirstInterrupt(std::atomic<bool>& cancel);

bool errorStreamIsTerminal();

// The arguments in UTF-8. Windows hands main() its arguments in the ANSI code page,
// which loses any character outside it, so there they are read from the wide command
// line instead.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// Standard output passes the result file's bytes unchanged (no CR before each LF on
// Windows), and a Windows console shows the UTF-8 messages as text.
void prepareStandardStreams();

}  // namespace hanabira
