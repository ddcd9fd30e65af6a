// The language a front end speaks in, from the system's settings. Languages are ISO 639
// codes, as translate.h names them.
#pragma once

#include <string>
#include <vector>

namespace hanabira {

// The variables in which a POSIX system names its user's languages; empty where unset.
struct LocaleVariables {
  std::string language = {};  // LANGUAGE: "de:en", most wanted first
  std::string lcAll = {};
  std::string lcMessages = {};
  std::string lang = {};
};

// The languages the variables name, most wanted first ("ja_JP.UTF-8" names "ja"), as
// gettext reads them: LANGUAGE's list, else the locale, which is the first set of LC_ALL,
// LC_MESSAGES and LANG. None where the locale is unset, "C" or "POSIX", which turn
// LANGUAGE off too.
std::vector<std::string> languagesFromLocaleVariables(const LocaleVariables& variables);

// The user's languages: those the environment's variables name; on Windows, where
// none of LC_ALL, LC_MESSAGES and LANG is set, the user's UI language.
std::vector<std::string> uiLanguageFromEnvironment();

// The first of the wanted languages that a catalog has; English where the user wants
// others only. Where the user names none, the window speaks Japanese and the command
// line English, as they always have.
std::string windowLanguage(const std::vector<std::string>& wanted, const std::vector<std::string>& available);
std::string commandLineLanguage(const std::vector<std::string>& wanted, const std::vector<std::string>& available);

}  // namespace hanabira
