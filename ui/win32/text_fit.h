// Check boxes and radio buttons widened to their text, as far as the next control of
// their row, as the Qt dialogs do: a translation may be longer than the design's text.
#pragma once

#include <windows.h>

#include <span>

#include "ui/model/option_dialog_designs.h"

namespace hanabira {

void growToTexts(HWND dialog, std::span<const DialogControl> controls);

}  // namespace hanabira
