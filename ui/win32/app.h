// The program's start-up: the main window with its option dialogs, and the message loop.
#pragma once

#include "ui/model/main_window_layout.h"

namespace hanabira {

// Returns the exit code. The finished "result.txt" opens in the program Windows uses for
// text files unless the environment sets HANABIRA_NO_VIEWER=1 (for tests and scripts).
int runHanabira(EditFieldWidth editFieldWidth);

}  // namespace hanabira
