// The program's start-up, in one place: the main window with its option dialogs, and the
// event loop.
#pragma once

#include "ui/qt/edit_field.h"

namespace hanabira {

// Returns the exit code. The finished "result.txt" is handed to the user's viewer unless
// the environment sets HANABIRA_NO_VIEWER=1 (for tests and scripts).
int runHanabira(int argc, char** argv, EditFieldWidth editFieldWidth);

}  // namespace hanabira
