#include "ui/model/window_languages.h"

#include <algorithm>
#include <array>

#include "i18n/translate.h"
#include "i18n/ui_language.h"

namespace hanabira {
namespace {

// The menu's commands: a window language by its place among the catalogs', then the
// result languages.
constexpr int firstWindowLanguageCommand = 2000;
constexpr int firstResultLanguageCommand = 2100;
constexpr std::array resultLanguages = {ResultLanguage::Japanese, ResultLanguage::English};

// A language as its own speakers name it, so that each finds theirs whatever the window
// speaks; a code without a name here is shown as it is.
std::string_view autonym(std::string_view language) {
  constexpr std::array<std::pair<std::string_view, std::string_view>, 7> names = {{{"de", "Deutsch"},
                                                                                   {"en", "English"},
                                                                                   {"es", "Español"},
                                                                                   {"fr", "Français"},
                                                                                   {"it", "Italiano"},
                                                                                   {"ja", "日本語"},
                                                                                   {"ko", "한국어"}}};
  const auto found = std::find_if(names.begin(), names.end(), [&](const auto& name) { return name.first == language; });
  return found == names.end() ? language : found->second;
}

}  // namespace

std::string startLanguage(const std::optional<std::string>& chosen) {
  const std::vector<std::string> available = catalogLanguages();
  if (chosen && std::find(available.begin(), available.end(), *chosen) != available.end()) return *chosen;
  return windowLanguage(uiLanguageFromEnvironment(), available);
}

std::vector<Submenu> languageMenu(std::string_view window, ResultLanguage result) {
  Submenu texts{std::string(tr("Window")), {}};
  const std::vector<std::string> languages = catalogLanguages();
  for (std::size_t i = 0; i < languages.size(); ++i) {
    texts.items.push_back(
        {firstWindowLanguageCommand + static_cast<int>(i), std::string(autonym(languages[i])), languages[i] == window});
  }
  Submenu names{std::string(tr("Names in result files")), {}};
  for (std::size_t i = 0; i < resultLanguages.size(); ++i) {
    const std::string_view name = resultLanguages[i] == ResultLanguage::English ? tr("English") : tr("Japanese");
    names.items.push_back(
        {firstResultLanguageCommand + static_cast<int>(i), std::string(name), resultLanguages[i] == result});
  }
  return {texts, names};
}

bool chooseLanguage(int command, LanguageChoices& choices) {
  const std::vector<std::string> languages = catalogLanguages();
  const int language = command - firstWindowLanguageCommand;
  if (language >= 0 && language < static_cast<int>(languages.size())) {
    choices.window = languages[static_cast<std::size_t>(language)];
    return true;
  }
  const int names = command - firstResultLanguageCommand;
  if (names >= 0 && names < static_cast<int>(resultLanguages.size())) {
    choices.result = resultLanguages[static_cast<std::size_t>(names)];
    return true;
  }
  return false;
}

}  // namespace hanabira
