// The window's language button: a menu of the languages of its texts, each named in
// itself, and of the names in its result files. A choice is kept in config.txt; until a
// user makes one, the window follows the system (i18n/ui_language.h) and writes the
// Japanese games' names.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/console_config.h"
#include "core/search_settings.h"

namespace hanabira {

// The language the window's texts start in: the one chosen where a catalog has it,
// otherwise the system's.
std::string startLanguage(const std::optional<std::string>& chosen);

struct MenuItem {
  int command;
  std::string text;
  bool checked;
};
struct Submenu {
  std::string title;
  std::vector<MenuItem> items;
};

// The menu while the window speaks `window` and writes names in `result`.
std::vector<Submenu> languageMenu(std::string_view window, ResultLanguage result);

// Puts what the menu's `command` chooses into `choices`; false for no item of the menu.
bool chooseLanguage(int command, LanguageChoices& choices);

}  // namespace hanabira
