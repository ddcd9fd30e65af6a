// How the start and save commands read the main window. Numbers are typed as text, and
// each field counts only its first few characters (VCount three, a year two, ...), read
// in hexadecimal or decimal like the C library does: "1234" in a year field is 12, "0x5F"
// as VCount is 5, "12ab" is 12, and nothing is ever refused here.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "core/console_config.h"
#include "core/search_settings.h"

namespace hanabira {

// The state of the window's inputs, by control id.
struct WindowFields {
  std::map<int, std::string> texts;  // edit fields (UTF-8); an id not listed reads as empty
  std::set<int> checked;             // check boxes and radio buttons that are checked
  int hiddenPowerItem = 0;           // selected item of the combo box, 0 being "指定無し"

  std::string_view text(int id) const;
  bool isChecked(int id) const { return checked.contains(id); }
};

// The start command: every field of the window into `settings`, the message words
// derived from the address fields. What the window does not show (the options of the
// dialogs) stays as it is; so does the version word when neither version is checked,
// which happens only after "config.txt" or the console dialog named another one. The
// edition of the console dialog gives way to a version checked whose words differ.
void readStartFields(const WindowFields& fields, SearchSettings& settings);

// The save command: the console fields read as the start command reads them, and the
// version Black when "ブラック" is checked, White otherwise. What it saved goes into the
// settings too (applyConsoleParameters), so that a search after it uses the version
// even where the window does not show it.
// The edition and ranges saved are those of `choices`, as the start command keeps them.
ConsoleParameters readSavedConsole(const WindowFields& fields, const SearchSettings& choices = {});

// What "config.txt" puts into the window as it opens: the console fields' texts as
// written, and the version. Without a file or a version line, Black is checked; a version
// the window has no button for goes into the settings with neither button checked, and
// stays in force until the user picks one.
struct LoadedConsoleFields {
  std::map<int, std::string> texts;          // only the fields the file fills
  std::optional<std::uint32_t> versionWord;  // for the settings, when the file names one
  std::optional<int> versionRadio;           // the button to check
  std::optional<Edition> edition;            // for the settings, when the file names them
  std::optional<ParameterRange> vcountRange;
  std::optional<ParameterRange> timer0Range;
};
LoadedConsoleFields loadedConsoleFields(const std::optional<ConsoleConfigText>& config);

}  // namespace hanabira
