// What the Win32 window's tests share: the scripts of window_scripts.h played in the
// window or a dialog, result files compared, and the search bar's text.
#pragma once

#include <windows.h>

#include <string>

#include "window_scripts.h"

namespace hanabira::testing {

// Does the steps to the controls of the window or dialog `parent`, typing as a user does.
void play(HWND parent, const ControlSteps& steps);

// Two result files are the same bytes; a difference is told by its first line, not by
// the whole of two files of thousands of lines.
void expectSameBytes(const std::string& actual, const std::string& expected);

// The text on the bar under the start button.
std::string searchBarText(HWND window);

}  // namespace hanabira::testing
