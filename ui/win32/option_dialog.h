// A modal option dialog built from its design (ui/model/option_dialog_designs.h): it
// shows the settings' current values when it opens, stores what its controls hold on OK,
// and stores nothing on キャンセル, Escape or the close box. What it shows and does is
// the model's (OptionDialogFlow); its command buttons' work runs off the window's
// thread, and closing the dialog stops it.
#pragma once

#include <windows.h>

#include "ui/model/option_dialog_designs.h"

namespace hanabira {

class MainWindow;

// Runs the dialog modal to `window`, whose settings it shows and stores into, until it
// is closed; true when OK stored.
bool runOptionDialog(const OptionDialogDesign& design, MainWindow& window);

// The id of a design's note (a label, which has no id of its own).
inline constexpr int dialogNoteId = 1999;

// Lets the window's "設定" buttons (1103 to 1108) open their dialogs, and its console
// button (1109) the console dialog. The dialogs may be
// used while a search runs: the search works on the settings as they were at its start.
void installOptionDialogs(MainWindow& window);

}  // namespace hanabira
