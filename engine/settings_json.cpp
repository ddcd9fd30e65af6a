#include "engine/settings_json.h"

#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <limits>
#include <unordered_set>
#include <variant>
#include <vector>

#include "core/field_text.h"
#include "core/setting_choices.h"
#include "evaluate/search_modes.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

using nlohmann::json;

// How a field is written in JSON and which values it takes.
struct HexWord {
  std::uint32_t SearchSettings::*member;
};
struct Integer {
  int SearchSettings::*member;
  ChoiceRange range = {std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
};
struct Id16 {
  std::uint16_t SearchSettings::*member;
};
struct Flag {
  bool SearchSettings::*member;
};
struct StatValues {
  StatArray SearchSettings::*member;
  ChoiceRange range = {std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
};
// The flags of the key register's ten keys; X and Y have keys of their own (keyAllowedX,
// keyAllowedY), so that files written before them keep their meaning.
struct KeyFlags {
  std::array<bool, keyMaskBits> SearchSettings::*member;
};
constexpr std::size_t registerKeys = 10;
using FieldKind = std::variant<HexWord, Integer, Id16, Flag, StatValues, KeyFlags>;

struct Field {
  std::string_view name;
  FieldKind kind;
};

using S = SearchSettings;

// In the order of the settings record, with the modes' flags after these; also the order
// of settingsToJson.
const Field fieldsBeforeModes[] = {
    {"versionWord", HexWord{&S::versionWord}},
    {"vcount", HexWord{&S::vcount}},
    {"timer0", HexWord{&S::timer0}},
    {"gxStat", HexWord{&S::gxStat}},
    {"frame", Integer{&S::frame}},
    {"messageWord6", HexWord{&S::messageWord6}},
    {"messageWord7", HexWord{&S::messageWord7}},
    {"is3ds", Flag{&S::is3ds}},
    {"startYear", Integer{&S::startYear}},
    {"startMonth", Integer{&S::startMonth}},
    {"startDay", Integer{&S::startDay}},
    {"endYear", Integer{&S::endYear}},
    {"endMonth", Integer{&S::endMonth}},
    {"endDay", Integer{&S::endDay}},
    {"startHour", Integer{&S::startHour}},
    {"endHour", Integer{&S::endHour}},
    {"startMinute", Integer{&S::startMinute}},
    {"endMinute", Integer{&S::endMinute}},
    {"startSecond", Integer{&S::startSecond}},
    {"endSecond", Integer{&S::endSecond}},
    {"keyInputEnabled", Flag{&S::keyInputEnabled}},
    {"keyAllowed", KeyFlags{&S::keyAllowed}},
    {"excludeOppositeAndReset", Flag{&S::excludeOppositeAndReset}},
};

const Field fieldsAfterModes[] = {
    {"roaming", Flag{&S::roaming}},
    {"ivMax", StatValues{&S::ivMax}},
    {"ivMin", StatValues{&S::ivMin}},
    {"hiddenPowerType", Integer{&S::hiddenPowerType, hiddenPowerTypeChoices}},
    {"hiddenPowerMinPower", Integer{&S::hiddenPowerMinPower}},
    {"ivConsumptionMin", Integer{&S::ivConsumptionMin}},
    {"ivConsumptionMax", Integer{&S::ivConsumptionMax}},
    {"pidConsumptionMin", Integer{&S::pidConsumptionMin}},
    {"pidConsumptionMax", Integer{&S::pidConsumptionMax}},
    {"trainerId", Id16{&S::trainerId}},
    {"secretId", Id16{&S::secretId}},
    {"shinyNature", Integer{&S::shinyNature, natureChoices}},
    {"shinyEncounterKind", Integer{&S::shinyEncounterKind, encounterKindChoices}},
    {"idCorrection", Flag{&S::idCorrection}},
    {"firstParentIvs", StatValues{&S::firstParentIvs}},
    {"secondParentIvs", StatValues{&S::secondParentIvs}},
    {"withoutDitto", Flag{&S::withoutDitto}},
    {"eggNature", Integer{&S::eggNature, eggNatureChoices}},
    {"eggAbility", Integer{&S::eggAbility, eggAbilityChoices}},
    {"eggGenderRatio", Integer{&S::eggGenderRatio, eggGenderRatioChoices}},
    {"compoundEyes", Flag{&S::compoundEyes}},
    {"domeTrainers", StatValues{&S::domeTrainers, domeTrainerChoices}},
    {"domeConsumptionSlack", Integer{&S::domeConsumptionSlack}},
    {"deliveryNaturePosition", Integer{&S::deliveryNaturePosition}},
    {"deliveryNature", Integer{&S::deliveryNature, natureChoices}},
    {"deliveryShiny", Flag{&S::deliveryShiny}},
    {"deliveryTrainerId", Id16{&S::deliveryTrainerId}},
    {"deliverySecretId", Id16{&S::deliverySecretId}},
};

// Each mode's flag under its key, in the order of the mode table.
const std::vector<Field>& fields() {
  static const std::vector<Field> table = [] {
    std::vector<Field> all(std::begin(fieldsBeforeModes), std::end(fieldsBeforeModes));
    for (const SearchModeDefinition& mode : searchModes()) {
      if (mode.flag != nullptr) all.push_back({mode.settingsKey, Flag{mode.flag}});
    }
    all.insert(all.end(), std::begin(fieldsAfterModes), std::end(fieldsAfterModes));
    return all;
  }();
  return table;
}

constexpr std::array<const char*, 6> requiredFields = {"startYear", "startMonth", "startDay",
                                                       "endYear",   "endMonth",   "endDay"};

// How much of an offending value or key a message shows.
constexpr std::size_t shownBytes = 40;

std::string dumped(const json& value) { return value.dump(-1, ' ', false, json::error_handler_t::replace); }

// Writes `value` as JSON until `out` holds more than `limit` bytes. Each level of nesting
// adds a byte before it goes deeper, so a value nested a million times deep is written
// only as deep as the limit, where the library's dump would exhaust the stack.
void appendShown(const json& value, std::string& out, std::size_t limit) {
  if (value.is_array() || value.is_object()) {
    out += value.is_array() ? '[' : '{';
    bool first = true;
    for (auto item = value.begin(); item != value.end() && out.size() <= limit; ++item) {
      if (!first) out += ',';
      first = false;
      if (value.is_object()) out += dumped(item.key()) + ':';
      appendShown(item.value(), out, limit);
    }
    out += value.is_array() ? ']' : '}';
    return;
  }
  out += dumped(value);
}

// Text cut to at most shownBytes bytes, not inside a UTF-8 sequence, marked with "...".
std::string cutShort(std::string text) {
  if (text.size() <= shownBytes) return text;
  std::size_t end = shownBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
  return text + "...";
}

// The offending value as JSON, cut short so that a huge value keeps the message one line.
std::string shown(const json& value) {
  std::string text;
  appendShown(value, text, shownBytes);
  return cutShort(std::move(text));
}

// A key as the messages name it: a plain name as it is, anything else (long, with
// spaces, line breaks or other letters) quoted and cut short.
std::string keyShown(const std::string& key) {
  const bool plain = !key.empty() && key.size() <= shownBytes && std::all_of(key.begin(), key.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  });
  return plain ? key : shown(json(key));
}

[[noreturn]] void fail(std::string_view field, std::string_view problem, const json& value) {
  throw SettingsFileError(trf("{}: {}, got {}", field, problem, shown(value)));
}

std::int64_t integerIn(std::string_view field, const json& value, std::int64_t low, std::int64_t high) {
  if (!value.is_number_integer()) fail(field, tr("expected an integer"), value);
  const bool tooLarge = value.is_number_unsigned() && value.get<std::uint64_t>() > static_cast<std::uint64_t>(high);
  const std::int64_t number = tooLarge ? high : value.get<std::int64_t>();
  if (tooLarge || number < low || number > high) {
    fail(field, trf("expected an integer from {} to {}", low, high), value);
  }
  return number;
}

std::uint32_t hexWord(std::string_view field, const json& value) {
  if (value.is_string()) {
    if (auto parsed = parseHexText(value.get<std::string>())) return *parsed;
    fail(field, tr("expected hexadecimal text of 1 to 8 digits"), value);
  }
  if (!value.is_number_integer()) fail(field, tr("expected a number or hexadecimal text"), value);
  return static_cast<std::uint32_t>(integerIn(field, value, 0, std::numeric_limits<std::uint32_t>::max()));
}

bool flag(std::string_view field, const json& value) {
  if (!value.is_boolean()) fail(field, tr("expected true or false"), value);
  return value.get<bool>();
}

const json& arrayOf(std::string_view field, const json& value, std::size_t size) {
  if (!value.is_array() || value.size() != size) fail(field, trf("expected an array of {} values", size), value);
  return value;
}

void readField(const Field& field, const json& value, SearchSettings& settings) {
  const std::string_view name = field.name;
  std::visit(
      [&](const auto& kind) {
        using Kind = std::decay_t<decltype(kind)>;
        if constexpr (std::is_same_v<Kind, HexWord>) {
          settings.*kind.member = hexWord(name, value);
        } else if constexpr (std::is_same_v<Kind, Integer>) {
          settings.*kind.member = static_cast<int>(integerIn(name, value, kind.range.low, kind.range.high));
        } else if constexpr (std::is_same_v<Kind, Id16>) {
          settings.*kind.member = static_cast<std::uint16_t>(integerIn(name, value, 0, 0xFFFF));
        } else if constexpr (std::is_same_v<Kind, Flag>) {
          settings.*kind.member = flag(name, value);
        } else if constexpr (std::is_same_v<Kind, StatValues>) {
          const json& items = arrayOf(name, value, 6);
          for (std::size_t k = 0; k < 6; ++k) {
            (settings.*kind.member)[k] =
                static_cast<int>(integerIn(fmt::format("{}[{}]", name, k), items[k], kind.range.low, kind.range.high));
          }
        } else if constexpr (std::is_same_v<Kind, KeyFlags>) {
          const json& items = arrayOf(name, value, registerKeys);
          for (std::size_t k = 0; k < registerKeys; ++k)
            (settings.*kind.member)[k] = flag(fmt::format("{}[{}]", name, k), items[k]);
        }
      },
      field.kind);
}

nlohmann::ordered_json fieldToJson(const Field& field, const SearchSettings& settings) {
  return std::visit(
      [&](const auto& kind) -> nlohmann::ordered_json {
        using Kind = std::decay_t<decltype(kind)>;
        if constexpr (std::is_same_v<Kind, HexWord>) {
          return fmt::format("0x{:X}", settings.*kind.member);
        } else if constexpr (std::is_same_v<Kind, KeyFlags>) {
          const auto& flags = settings.*kind.member;
          return std::vector<bool>(flags.begin(), flags.begin() + registerKeys);
        } else {
          return settings.*kind.member;
        }
      },
      field.kind);
}

ResultLanguage resultLanguageIn(const json& value) {
  const auto language = value.is_string() ? resultLanguageFromKey(value.get<std::string>()) : std::nullopt;
  if (!language) fail("resultLanguage", tr("expected \"ja\" or \"en\""), value);
  return *language;
}

ResultFormat resultFormatIn(const json& value) {
  const auto format = value.is_string() ? resultFormatFromName(value.get<std::string>()) : std::nullopt;
  if (!format) fail("resultFormat", tr("expected \"txt\", \"csv\", \"tsv\" or \"jsonl\""), value);
  return *format;
}

IvNumbering ivNumberingIn(const json& value) {
  const auto numbering = value.is_string() ? ivNumberingFromKey(value.get<std::string>()) : std::nullopt;
  if (!numbering) fail("ivNumbering", tr("expected \"positions\" or \"players\""), value);
  return *numbering;
}

// The keys that are printed only when set: the edition's three, the ends of the ranges
// of VCount and Timer0 (each group given whole or not at all), an English result, the
// result's other choices, and X, Y and the hand's limit away from a fresh start's.
struct OptionalKeys {
  std::optional<std::string> game, language, console;
  std::optional<std::uint32_t> vcountMin, vcountMax, timer0Min, timer0Max;
  std::optional<ResultLanguage> resultLanguage;
  std::optional<IvNumbering> ivNumbering;
  std::optional<ResultFormat> resultFormat;
  std::optional<bool> initialAdvances, memoryLink;
  std::optional<bool> keyXYEnabled, keyAllowedX, keyAllowedY;
  std::optional<int> keyCountMax;

  bool read(const std::string& key, const json& value) {
    auto text = [&](std::optional<std::string>& part) {
      if (!value.is_string()) fail(key, tr("expected text"), value);
      part = value.get<std::string>();
    };
    if (key == "game") text(game);
    else if (key == "language") text(language);
    else if (key == "console") text(console);
    else if (key == "vcountMin") vcountMin = hexWord(key, value);
    else if (key == "vcountMax") vcountMax = hexWord(key, value);
    else if (key == "timer0Min") timer0Min = hexWord(key, value);
    else if (key == "timer0Max") timer0Max = hexWord(key, value);
    else if (key == "resultLanguage") resultLanguage = resultLanguageIn(value);
    else if (key == "ivNumbering") ivNumbering = ivNumberingIn(value);
    else if (key == "resultFormat") resultFormat = resultFormatIn(value);
    else if (key == "initialAdvances") initialAdvances = flag(key, value);
    else if (key == "memoryLink") memoryLink = flag(key, value);
    else if (key == "keyXYEnabled") keyXYEnabled = flag(key, value);
    else if (key == "keyAllowedX") keyAllowedX = flag(key, value);
    else if (key == "keyAllowedY") keyAllowedY = flag(key, value);
    else if (key == "keyCountMax") keyCountMax = static_cast<int>(integerIn(key, value, 0, keyMaskBits));
    else return false;
    return true;
  }
};

void applyKeyOptions(const OptionalKeys& keys, SearchSettings& settings) {
  if (keys.keyXYEnabled) settings.keyXYEnabled = *keys.keyXYEnabled;
  if (keys.keyAllowedX) settings.keyAllowed[keyX] = *keys.keyAllowedX;
  if (keys.keyAllowedY) settings.keyAllowed[keyY] = *keys.keyAllowedY;
  if (keys.keyCountMax) settings.keyCountMax = keys.keyCountMax;
}

// Said only where they differ from a fresh start, so that settings of the ten keys
// print as they did before X and Y came.
void appendKeyOptions(const SearchSettings& settings, nlohmann::ordered_json& object) {
  if (settings.keyXYEnabled) object["keyXYEnabled"] = true;
  if (!settings.keyAllowed[keyX]) object["keyAllowedX"] = false;
  if (!settings.keyAllowed[keyY]) object["keyAllowedY"] = false;
  if (settings.keyCountMax) object["keyCountMax"] = *settings.keyCountMax;
}

std::optional<ParameterRange> rangeOf(const char* field, const std::optional<std::uint32_t>& min,
                                      const std::optional<std::uint32_t>& max) {
  if (min.has_value() != max.has_value()) {
    throw SettingsFileError(trf("{}: give {}Min and {}Max together, or neither", field, field, field));
  }
  if (!min) return std::nullopt;
  return ParameterRange{*min, *max};
}

// The edition named by the three keys, with the afternoon flag of its console, which
// an is3ds of the same file must agree with.
void applyEdition(const OptionalKeys& keys, const json& object, SearchSettings& settings) {
  const int given = keys.game.has_value() + keys.language.has_value() + keys.console.has_value();
  if (given == 0) return;
  if (given != 3) throw SettingsFileError(std::string(tr("game: give game, language and console together, or none")));
  const auto game = gameFromKey(*keys.game);
  if (!game) fail("game", tr("expected Black, White, Black2 or White2"), json(*keys.game));
  const auto language = languageFromKey(*keys.language);
  if (!language) fail("language", tr("expected JPN, ENG, GER, FRA, SPA, ITA or KOR"), json(*keys.language));
  const auto console = consoleFromKey(*keys.console);
  if (!console) fail("console", tr("expected DS, DSLite, DSi or 3DS"), json(*keys.console));
  settings.edition = Edition{*game, *language, *console};
  const bool is3ds = dropsAfternoonFlag(*console);
  if (object.contains("is3ds") && settings.is3ds != is3ds) {
    fail("is3ds", trf("console {} needs {}", *keys.console, is3ds), object.at("is3ds"));
  }
  settings.is3ds = is3ds;
}

}  // namespace

json parseSettingsText(std::string_view text) {
  // The parser would take a NUL byte for the end of the text and pass over what follows.
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
    const std::string_view before = text.substr(0, nul);
    const std::size_t lineStart = before.rfind('\n') + 1;  // 0 on the first line
    throw SettingsFileError(trf("not valid JSON: a NUL byte at line {}, column {}",
                                std::count(before.begin(), before.end(), '\n') + 1, nul - lineStart + 1));
  }
  // A key given twice would leave only its last value, unseen: the object's keys are
  // gathered as they come.
  std::unordered_set<std::string> keys;
  const json::parser_callback_t refuseRepeatedKeys = [&keys](int depth, json::parse_event_t event, json& parsed) {
    if (event == json::parse_event_t::key && depth == 1 && !keys.insert(parsed.get<std::string>()).second) {
      throw SettingsFileError(trf("{}: given twice", keyShown(parsed.get<std::string>())));
    }
    return true;
  };
  try {
    return json::parse(text, refuseRepeatedKeys, true, /*ignore_comments=*/true);
  } catch (const json::exception& error) {  // a syntax error, or a number beyond a double's range
    throw SettingsFileError(trf("not valid JSON: {}", error.what()));
  }
}

std::optional<MacAddress> parseMacAddress(std::string_view text) {
  if (text.size() != 17) return std::nullopt;
  const char separator = text[2];
  if (separator != '-' && separator != ':') return std::nullopt;
  MacAddress mac{};
  for (std::size_t k = 0; k < 6; ++k) {
    if (k > 0 && text[3 * k - 1] != separator) return std::nullopt;
    const auto byte = parseHexText(text.substr(3 * k, 2));
    if (!byte || text.substr(3 * k, 2).find_first_of("xX") != std::string_view::npos) return std::nullopt;
    mac[k] = static_cast<std::uint8_t>(*byte);
  }
  return mac;
}

SettingsFromJson settingsFromJson(const json& object, const SearchSettings& base) {
  if (!object.is_object())
    throw SettingsFileError("expected one JSON object of settings, got " + std::string(object.type_name()));
  SettingsFromJson result{base, std::nullopt, false, std::nullopt};
  OptionalKeys optional;

  for (const char* name : requiredFields) {
    if (!object.contains(name)) throw SettingsFileError(trf("{}: missing (the six date fields are required)", name));
  }
  for (const auto& item : object.items()) {
    const std::string& key = item.key();
    const json& value = item.value();
    if (key == "macAddress") {
      if (!value.is_string()) fail(key, tr("expected text like \"00-11-22-33-44-55\""), value);
      result.mac = parseMacAddress(value.get<std::string>());
      if (!result.mac) fail(key, tr("expected six hexadecimal pairs joined by - or :"), value);
      continue;
    }
    if (optional.read(key, value)) continue;
    const auto& table = fields();
    const auto field = std::find_if(table.begin(), table.end(), [&](const Field& f) { return key == f.name; });
    if (field == table.end()) throw SettingsFileError(trf("{}: unknown setting", keyShown(key)));
    readField(*field, value, result.settings);
  }

  applyEdition(optional, object, result.settings);
  if (auto range = rangeOf("vcount", optional.vcountMin, optional.vcountMax)) result.settings.vcountRange = range;
  if (auto range = rangeOf("timer0", optional.timer0Min, optional.timer0Max)) result.settings.timer0Range = range;
  if (optional.resultLanguage) result.settings.resultLanguage = *optional.resultLanguage;
  if (optional.ivNumbering) result.settings.ivNumbering = *optional.ivNumbering;
  if (optional.initialAdvances) result.settings.initialAdvances = *optional.initialAdvances;
  if (optional.memoryLink) result.settings.memoryLink = *optional.memoryLink;
  result.resultFormat = optional.resultFormat;
  applyKeyOptions(optional, result.settings);

  const bool word6 = object.contains("messageWord6");
  const bool word7 = object.contains("messageWord7");
  if (word6 != word7) throw SettingsFileError(std::string(tr("messageWord6 and messageWord7: give both or neither")));
  result.messageWordsGiven = word6;
  if (result.messageWordsGiven && result.mac) {
    throw SettingsFileError(
        std::string(tr("macAddress: give either macAddress or messageWord6 and messageWord7, not both")));
  }
  return result;
}

nlohmann::ordered_json settingsToJson(const SearchSettings& settings) {
  nlohmann::ordered_json object = nlohmann::ordered_json::object();
  auto hex = [](std::uint32_t value) { return fmt::format("0x{:X}", value); };
  for (const Field& field : fields()) {
    object[std::string(field.name)] = fieldToJson(field, settings);
    const std::string_view name = field.name;
    if (name == "versionWord" && settings.edition) {
      object["game"] = gameKey(settings.edition->game);
      object["language"] = languageKey(settings.edition->language);
      object["console"] = consoleKey(settings.edition->console);
    } else if (name == "vcount" && settings.vcountRange) {
      object["vcountMin"] = hex(settings.vcountRange->min);
      object["vcountMax"] = hex(settings.vcountRange->max);
    } else if (name == "timer0" && settings.timer0Range) {
      object["timer0Min"] = hex(settings.timer0Range->min);
      object["timer0Max"] = hex(settings.timer0Range->max);
    } else if (name == "excludeOppositeAndReset") {
      appendKeyOptions(settings, object);
    }
  }
  // Japanese is the file as it always was, and left unsaid.
  if (settings.resultLanguage != ResultLanguage::Japanese) {
    object["resultLanguage"] = resultLanguageKey(settings.resultLanguage);
  }
  // The other choices of the result too, so that files written before them print alike.
  if (settings.ivNumbering != IvNumbering::Positions) object["ivNumbering"] = ivNumberingKey(settings.ivNumbering);
  if (settings.initialAdvances) object["initialAdvances"] = true;
  if (settings.memoryLink) object["memoryLink"] = true;
  return object;
}

}  // namespace hanabira
