// The program: the main window and its event loop.
#pragma once

#include "ui/main/edit_field.h"

namespace hanabira {

// Returns the exit code. The finished "result.txt" is handed to the user's viewer unless
// the environment sets HANABIRA_NO_VIEWER=1 (for tests and scripts).
int runHanabira(int argc, char** argv, EditFieldWidth editFieldWidth);

}  // namespace hanabira
