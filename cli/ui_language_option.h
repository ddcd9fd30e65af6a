// --ui-language: the language hanabira-cli speaks in, over the one the locale names. It
// is read before the parser is built, so that the parser's own texts (--help) and its
// errors are in that language too.
#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace hanabira {

// The language of the program's texts: --ui-language where the arguments give one that
// it takes, else Japanese under a Japanese locale and English under any other or none.
std::string chosenUiLanguage(int argc, const char* const* argv, const std::vector<std::string>& localeLanguages);

// Declares --ui-language on `parser`: every command takes it.
void declareUiLanguageOption(CLI::App& parser, std::string& language);

}  // namespace hanabira
