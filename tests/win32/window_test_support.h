// What the Win32 window's tests share: the README's example typed into the window, the
// same as a settings file, and the result a search of such a file writes.
#pragma once

#include <windows.h>

#include <string>

namespace hanabira::testing {

// One minute of the README's example (2011-09-27 13:47) with key input.
void typeExampleMinute(HWND window);
inline constexpr char exampleMinuteJson[] = R"(
    "versionWord": "02215F10", "vcount": "60", "timer0": "C79", "gxStat": "6000000", "frame": 8,
    "macAddress": "00-11-22-33-44-55",
    "startYear": 11, "startMonth": 9, "startDay": 27, "endYear": 11, "endMonth": 9, "endDay": 27,
    "startHour": 13, "endHour": 13, "startMinute": 47, "endMinute": 47, "keyInputEnabled": true)";

// The result file of a search of these settings, searched in-process the way
// hanabira-cli searches a settings file.
std::string searchedResult(const std::string& settingsJson);

// Two result files are the same bytes; a difference is told by its first line, not by
// the whole of two files of thousands of lines.
void expectSameBytes(const std::string& actual, const std::string& expected);

// The text on the bar under the start button.
std::string searchBarText(HWND window);

}  // namespace hanabira::testing
