// What a user does in the main window and its dialogs, as data that the Qt tests and the
// Win32 tests both play through their toolkit: a step names a control by id and what is
// done to it. Each script says what must come of it: the settings file whose search the
// window's result file equals, or what the console dialog's calibration finds.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/edition.h"

namespace hanabira::testing {

struct ControlStep {
  enum class Action {
    Type,     // replaces the field's text with `text`
    Click,    // a button, check box or radio button
    Check,    // checks the check box, whatever it was
    Choose,   // selects the item `text` of the choice box
    Command,  // runs the main window's menu command `id`, answering `text` to what it asks
  };
  Action action;
  int id;
  std::string_view text = {};  // UTF-8
};
using ControlSteps = std::vector<ControlStep>;

// One minute of the README's example (2011-09-27 13:47) with key input, typed into the
// window, and the same as keys of a settings file (engine/settings_json.h).
extern const ControlSteps exampleMinute;
extern const char exampleMinuteJson[];

// Texts that the narrowest field of their kind shows in full: typed into a window of
// either program, each field holds all of it.
extern const ControlSteps wholeFieldTexts;

// A search of each mode after its dialog's OK, started from exampleMinute; the options
// are chosen so that every mode finds tens to hundreds of matches, not tens of thousands.
struct ModeScript {
  const char* name;     // the test's name: lower case and underscores
  ControlSteps window;  // the mode's check box and the window's own options
  int dialogButton;     // the "設定" button whose dialog the search needs
  ControlSteps dialog;  // before OK
  const char* options;  // what the search must then use, as keys of a settings file
};
extern const std::vector<ModeScript> modeScripts;

// The README's calibration: an English White 2 on a DS Lite that gave 15 29 10 9 9 29 at
// position 2 at about 2012-10-07 12:34:56. Its one result is `firstRow`, which OK puts
// into the window's console fields.
struct CalibrationScript {
  ControlSteps window;                       // the console's address and GxStat
  ControlSteps dialog;                       // every field; the calibration button is the test's to press
  std::array<std::string_view, 4> firstRow;  // VCount, Timer0, Frame, time
  std::string_view status;                   // the status line once it is done
  Edition edition;
};
extern const CalibrationScript consoleCalibration;

// A profile made of exampleMinute's console, other values typed over the fields, and the
// profile chosen again: the fields show its console.
struct ProfileScript {
  ControlSteps steps;
  std::vector<std::pair<int, std::string_view>> fields;  // what they show then
};
extern const ProfileScript profileChosenAgain;

// Two profiles, exampleMinute's console and another VCount and Timer0 typed over it, and
// the search over every profile checked; the result file its start writes is
// everyProfileResult(): each profile's lines of exampleMinute's search, led by its name.
extern const ControlSteps everyProfileSearch;
std::string everyProfileResult();

// The result file a search of these settings writes, searched in-process the way
// hanabira-cli searches a settings file: its keys over the defaults, the message words
// from "macAddress", the personality positions lowered to their limit.
std::string searchedResult(const std::string& settingsJson);

}  // namespace hanabira::testing
