#include "cli/ui_language_option.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "i18n/translate.h"
#include "i18n/ui_language.h"

namespace hanabira {
namespace {

constexpr std::string_view optionName = "--ui-language";
constexpr std::array<std::string_view, 2> offered = {"ja", "en"};

// The value of the last --ui-language (as "--ui-language ja" or "--ui-language=ja"),
// before "--", which ends the options.
std::optional<std::string> languageArgument(int argc, const char* const* argv) {
  std::optional<std::string> value;
  for (int k = 1; k < argc; ++k) {
    const std::string_view argument = argv[k];
    if (argument == "--") break;
    if (argument == optionName && k + 1 < argc) {
      value = argv[++k];
    } else if (argument.starts_with(optionName) && argument.substr(optionName.size()).starts_with('=')) {
      value = std::string(argument.substr(optionName.size() + 1));
    }
  }
  return value;
}

}  // namespace

std::string chosenUiLanguage(int argc, const char* const* argv, const std::vector<std::string>& localeLanguages) {
  const std::optional<std::string> given = languageArgument(argc, argv);
  if (given && std::find(offered.begin(), offered.end(), *given) != offered.end()) return *given;
  // A value it does not take is refused by the parser, in the locale's language.
  return commandLineLanguage(localeLanguages, catalogLanguages());
}

void declareUiLanguageOption(CLI::App& parser, std::string& language) {
  parser
      .add_option(std::string(optionName), language,
                  std::string(tr("Language of the messages and of --help: ja or en (default: Japanese under a "
                                 "Japanese locale, else English)")))
      ->check(CLI::IsMember({std::string(offered[0]), std::string(offered[1])}));
}

}  // namespace hanabira
