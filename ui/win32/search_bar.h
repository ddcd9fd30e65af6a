// The slim bar under the start button (its texts: ui/model/progress_bar_text.h), drawn
// by hand: the system's progress bar has no text on it. Its window text is the bar's
// text; it never takes the focus.
#pragma once

#include <windows.h>

#include "ui/model/progress_bar_text.h"

namespace hanabira {

// Registers the window class once; `font` draws the text.
HWND createSearchBar(HWND parent, int x, int y, int width, int height, HFONT font);
void showOnSearchBar(HWND bar, const ProgressBarState& state);

}  // namespace hanabira
