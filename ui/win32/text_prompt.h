// Small modal questions of the main window: a line of text (a profile's name), and a
// JSON file to open or save (profiles to import or export).
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace hanabira {

// The line typed, `text` to start with; nothing when the user cancels. The prompt's
// edit field has the id promptTextField.
std::optional<std::string> askLine(HWND owner, const std::string& title, const std::string& question,
                                   const std::string& text);
inline constexpr int promptTextField = 1001;

std::optional<std::filesystem::path> chooseJsonFile(HWND owner, bool forSaving);

}  // namespace hanabira
