#include "i18n/ui_language.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

namespace hanabira {
namespace {

// "ja_JP.UTF-8@mod" and Windows' "ja-JP" name the language "ja".
std::string languageCode(std::string_view locale) {
  return std::string(locale.substr(0, locale.find_first_of("_-.@")));
}

bool namesNoLanguage(std::string_view locale) {
  return locale.empty() || locale == "POSIX" || languageCode(locale) == "C";  // "C" and "C.UTF-8"
}

std::string chooseLanguage(const std::vector<std::string>& wanted, const std::vector<std::string>& available,
                           std::string_view unnamed) {
  if (wanted.empty()) return std::string(unnamed);
  for (const std::string& language : wanted) {
    if (std::find(available.begin(), available.end(), language) != available.end()) return language;
  }
  return "en";
}

std::string variable(const char* name) {
#ifdef _WIN32
  // The ANSI environment: a locale's name is ASCII.
  char value[256] = {};
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : "";
#else
  const char* value = std::getenv(name);
  return value ? value : "";
#endif
}

LocaleVariables localeVariables() {
  return {variable("LANGUAGE"), variable("LC_ALL"), variable("LC_MESSAGES"), variable("LANG")};
}

}  // namespace

std::vector<std::string> languagesFromLocaleVariables(const LocaleVariables& variables) {
  std::string_view locale;
  for (const std::string* candidate : {&variables.lcAll, &variables.lcMessages, &variables.lang}) {
    if (!candidate->empty()) {
      locale = *candidate;
      break;
    }
  }
  if (namesNoLanguage(locale)) return {};
  std::vector<std::string> languages;
  std::string_view list = variables.language;
  while (!list.empty()) {
    const std::size_t end = std::min(list.find(':'), list.size());
    if (!namesNoLanguage(list.substr(0, end))) languages.push_back(languageCode(list.substr(0, end)));
    list.remove_prefix(std::min(end + 1, list.size()));
  }
  if (languages.empty()) languages.push_back(languageCode(locale));
  return languages;
}

std::vector<std::string> uiLanguageFromEnvironment() {
  const LocaleVariables variables = localeVariables();
#ifdef _WIN32
  // As gettext's programs on Windows: a locale named in the environment (MSYS2, Cygwin,
  // Wine) over the user's UI language.
  if (variables.lcAll.empty() && variables.lcMessages.empty() && variables.lang.empty()) {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) == 0) {
      return {};
    }
    std::string locale;
    for (const wchar_t* c = name; *c != L'\0'; ++c) locale += static_cast<char>(*c);  // ASCII: "ja-JP"
    if (namesNoLanguage(locale)) return {};
    return {languageCode(locale)};
  }
#endif
  return languagesFromLocaleVariables(variables);
}

std::string windowLanguage(const std::vector<std::string>& wanted, const std::vector<std::string>& available) {
  return chooseLanguage(wanted, available, "ja");
}

std::string commandLineLanguage(const std::vector<std::string>& wanted, const std::vector<std::string>& available) {
  return chooseLanguage(wanted, available, "en");
}

}  // namespace hanabira
