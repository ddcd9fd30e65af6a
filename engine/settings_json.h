// Search settings as a JSON object whose keys are the SearchSettings field names, plus
// "macAddress" ("00-11-22-33-44-55" or with ":"), from which the two message words are
// derived. The edition is three keys, "game", "language" and "console" (which sets
// is3ds), and each range two, "vcountMin" and "vcountMax", "timer0Min" and "timer0Max":
// given whole or not at all, and printed only when set; "resultLanguage" is "ja" or "en",
// printed only when "en"; "ivNumbering" is "positions" or "players", printed only when
// "players"; "initialAdvances" and "memoryLink" are printed only when true; "resultFormat" ("txt", "csv", "tsv" or
// "jsonl") is the command line's, which settingsToJson() leaves out. "keyAllowed" holds the ten keys of the key
// register; X and Y are "keyXYEnabled", "keyAllowedX" and "keyAllowedY", and "keyCountMax" the most keys held at once:
// each printed only when it differs from a fresh start. Every key is optional but the six date fields; unknown keys,
// wrong types and values outside a field's choices are errors that name the field.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/search_settings.h"
#include "evaluate/result_formats.h"

namespace hanabira {

class SettingsFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SettingsFromJson {
  SearchSettings settings;
  std::optional<MacAddress> mac;   // "macAddress", when given
  bool messageWordsGiven = false;  // "messageWord6" and "messageWord7", when given
  std::optional<ResultFormat> resultFormat;
};

// A settings file's text as JSON, comments allowed. Throws SettingsFileError when it is
// not JSON, or holds a number no double can hold (1e400).
nlohmann::json parseSettingsText(std::string_view text);

// Fields the object does not name keep their values from `base`.
SettingsFromJson settingsFromJson(const nlohmann::json& object, const SearchSettings& base);

// Every field, with the 32-bit console words as hexadecimal text.
nlohmann::ordered_json settingsToJson(const SearchSettings& settings);

// "00-11-22-33-44-55" or "00:11:22:33:44:55".
std::optional<MacAddress> parseMacAddress(std::string_view text);

}  // namespace hanabira
