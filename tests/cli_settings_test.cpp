#include "engine/settings_json.h"

#include <gtest/gtest.h>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace hanabira {
namespace {

using nlohmann::json;

json dates() {
  return {{"startYear", 11}, {"startMonth", 9}, {"startDay", 27}, {"endYear", 11}, {"endMonth", 9}, {"endDay", 27}};
}

SettingsFromJson load(json object) { return settingsFromJson(object, SearchSettings{}); }

std::string errorOf(json object) {
  try {
    load(std::move(object));
  } catch (const SettingsFileError& error) {
    return error.what();
  }
  return "";
}

json with(const char* key, json value) {
  json object = dates();
  object[key] = std::move(value);
  return object;
}

TEST(SettingsJson, MissingFieldsKeepTheirDefaults) {
  const SearchSettings settings = load(dates()).settings;
  EXPECT_EQ(settings.startDay, 27);
  EXPECT_EQ(settings.endHour, 23);
  EXPECT_EQ(settings.ivConsumptionMin, 7);
  EXPECT_EQ(settings.pidConsumptionMax, 150);
  EXPECT_EQ(settings.eggNature, 0);
  EXPECT_EQ(settings.deliveryTrainerId, 3012);
  EXPECT_TRUE(settings.compoundEyes);
  EXPECT_EQ(settings.versionWord, blackVersionWord);
}

TEST(SettingsJson, HexadecimalWordsTakeNumbersOrText) {
  EXPECT_EQ(load(with("timer0", "C79")).settings.timer0, 0xC79u);
  EXPECT_EQ(load(with("vcount", "0x60")).settings.vcount, 0x60u);
  EXPECT_EQ(load(with("gxStat", 100663296)).settings.gxStat, 0x06000000u);
  EXPECT_EQ(load(with("versionWord", "02215F30")).settings.versionWord, whiteVersionWord);
  EXPECT_EQ(errorOf(with("vcount", "6g")), "vcount: expected hexadecimal text of 1 to 8 digits, got \"6g\"");
  EXPECT_EQ(errorOf(with("vcount", "123456789")),
            "vcount: expected hexadecimal text of 1 to 8 digits, got \"123456789\"");
  EXPECT_EQ(errorOf(with("vcount", -1)), "vcount: expected an integer from 0 to 4294967295, got -1");
}

TEST(SettingsJson, TypesAreChecked) {
  EXPECT_EQ(errorOf(with("startHour", "13")), "startHour: expected an integer, got \"13\"");
  EXPECT_EQ(errorOf(with("startHour", 13.5)), "startHour: expected an integer, got 13.5");
  EXPECT_EQ(errorOf(with("startHour", 3000000000LL)),
            "startHour: expected an integer from -2147483648 to 2147483647, got 3000000000");
  EXPECT_EQ(errorOf(with("keyInputEnabled", 1)), "keyInputEnabled: expected true or false, got 1");
  EXPECT_EQ(errorOf(with("ivMax", json::array({31, 31}))), "ivMax: expected an array of 6 values, got [31,31]");
  EXPECT_EQ(errorOf(with("ivMax", json::array({31, 31, 31, "x", 31, 31}))), "ivMax[3]: expected an integer, got \"x\"");
  EXPECT_EQ(errorOf(with("keyAllowed", json::array({true}))), "keyAllowed: expected an array of 10 values, got [true]");
  EXPECT_EQ(errorOf(json::array()), "expected one JSON object of settings, got array");
}

TEST(SettingsJson, ChoicesStayInsideTheirLists) {
  EXPECT_EQ(errorOf(with("hiddenPowerType", 16)), "hiddenPowerType: expected an integer from -1 to 15, got 16");
  EXPECT_EQ(load(with("hiddenPowerType", -1)).settings.hiddenPowerType, -1);
  EXPECT_EQ(errorOf(with("shinyEncounterKind", 0)), "shinyEncounterKind: expected an integer from 1 to 3, got 0");
  EXPECT_EQ(errorOf(with("eggNature", 26)), "eggNature: expected an integer from -1 to 25, got 26");
  EXPECT_EQ(errorOf(with("domeTrainers", json::array({0, 0, 53, 0, 0, 0}))),
            "domeTrainers[2]: expected an integer from 0 to 52, got 53");
  EXPECT_EQ(errorOf(with("trainerId", 70000)), "trainerId: expected an integer from 0 to 65535, got 70000");
  // Typed numbers without a list keep any value; the search decides what it refuses.
  EXPECT_EQ(load(with("ivMin", json::array({-1, 0, 0, 0, 0, 40}))).settings.ivMin[5], 40);
}

TEST(SettingsJson, UnknownAndMissingKeys) {
  EXPECT_EQ(errorOf(with("ivmax", 31)), "ivmax: unknown setting");
  EXPECT_EQ(errorOf(with("searchRunning", true)), "searchRunning: unknown setting");
  json object = dates();
  object.erase("endDay");
  EXPECT_EQ(errorOf(object), "endDay: missing (the six date fields are required)");
}

TEST(SettingsJson, MacAddressOrMessageWords) {
  const SettingsFromJson dashes = load(with("macAddress", "00-11-22-33-44-55"));
  EXPECT_EQ(dashes.mac, (MacAddress{0x00, 0x11, 0x22, 0x33, 0x44, 0x55}));
  EXPECT_EQ(load(with("macAddress", "aa:BB:cc:00:11:22")).mac, (MacAddress{0xAA, 0xBB, 0xCC, 0x00, 0x11, 0x22}));
  EXPECT_EQ(errorOf(with("macAddress", "00-11-22:33-44-55")),
            "macAddress: expected six hexadecimal pairs joined by - or :, got \"00-11-22:33-44-55\"");
  EXPECT_EQ(errorOf(with("macAddress", "0x-11-22-33-44-55")),
            "macAddress: expected six hexadecimal pairs joined by - or :, got \"0x-11-22-33-44-55\"");

  json words = with("messageWord6", 0x4455);
  words["messageWord7"] = "08112235";
  const SettingsFromJson given = load(words);
  EXPECT_TRUE(given.messageWordsGiven);
  EXPECT_EQ(given.settings.messageWord7, 0x08112235u);
  words["macAddress"] = "00-11-22-33-44-55";
  EXPECT_EQ(errorOf(words), "macAddress: give either macAddress or messageWord6 and messageWord7, not both");
  EXPECT_EQ(errorOf(with("messageWord6", 1)), "messageWord6 and messageWord7: give both or neither");
}

TEST(SettingsJson, PrintedSettingsLoadBackUnchanged) {
  SearchSettings settings = load(dates()).settings;
  settings.timer0 = 0xC79;
  settings.keyAllowed[3] = false;
  settings.domeTrainers[5] = 52;
  settings.secretId = 65535;
  settings.frame = -8;
  const nlohmann::ordered_json printed = settingsToJson(settings);
  EXPECT_EQ(printed["timer0"], "0xC79");
  EXPECT_EQ(printed.begin().key(), "versionWord");  // in the record's order
  const SearchSettings loaded = load(json::parse(printed.dump())).settings;
  EXPECT_EQ(settingsToJson(loaded), printed);
}

TEST(SettingsJson, LongValuesAreCutShortInMessages) {
  const std::string error = errorOf(with("startHour", std::string(10000, 'x')));
  EXPECT_LT(error.size(), 100u);
  EXPECT_TRUE(error.ends_with("...")) << error;
  // Never inside a character: あ is three bytes, and the cut at 40 bytes falls in the 13th.
  std::string japanese = "x";
  for (int i = 0; i < 40; ++i) japanese += "あ";
  EXPECT_EQ(errorOf(with("startHour", japanese)), "startHour: expected an integer, got \"xああああああああああああ...");
}

// Every field, given what it cannot hold: the message names it, on one short line.
TEST(SettingsJson, EveryFieldNamesItselfWhenGivenWhatItCannotHold) {
  std::vector<std::string> names = {"macAddress"};
  const nlohmann::ordered_json printed = settingsToJson(SearchSettings{});
  for (const auto& item : printed.items()) names.push_back(item.key());
  const std::vector<json> wrong = {
      nullptr,
      json::object(),
      1.5,
      1e300,
      18446744073709551615ULL,  // beyond every field's range
      std::numeric_limits<std::int64_t>::min(),
      "３１",                              // full-width digits
      std::string(100000, '9'),            // overlong text
      json::array({0, 0, 0, 0, 0, 0, 0}),  // seven values
  };
  for (const std::string& name : names) {
    for (const json& value : wrong) {
      const std::string error = errorOf(with(name.c_str(), value));
      EXPECT_TRUE(error.starts_with(name + ": ")) << name << " = " << value.dump().substr(0, 20) << ": " << error;
      EXPECT_LT(error.size(), 150u) << error;
    }
  }
}

TEST(SettingsJson, ArrayEntriesNameTheirPosition) {
  for (const char* name : {"ivMax", "ivMin", "firstParentIvs", "secondParentIvs", "domeTrainers", "keyAllowed"}) {
    const std::size_t size = std::string_view(name) == "keyAllowed" ? 10 : 6;
    const json otherKind = size == 10 ? json(1) : json(true);
    for (const json& entry : {json("31"), json(nullptr), json(1.5), json(1LL << 40), json(-(1LL << 40)), otherKind}) {
      json values = json::array();
      for (std::size_t k = 0; k < size; ++k) values.push_back(size == 10 ? json(true) : json(0));
      values[size - 1] = entry;
      EXPECT_TRUE(errorOf(with(name, values)).starts_with(fmt::format("{}[{}]: ", name, size - 1)))
          << name << " " << entry.dump();
    }
  }
}

// -1 is typed as -1 or refused: never stored as something else (65535 for an ID).
TEST(SettingsJson, NegativeNumbersAreKeptOrRefusedNeverWrapped) {
  const nlohmann::ordered_json printed = settingsToJson(SearchSettings{});
  for (const auto& item : printed.items()) {
    const std::string& name = item.key();
    if (!item.value().is_number()) continue;
    try {
      const SearchSettings loaded = load(with(name.c_str(), -1)).settings;
      EXPECT_EQ(settingsToJson(loaded)[name], -1) << name;
    } catch (const SettingsFileError& error) {
      EXPECT_TRUE(std::string_view(error.what()).starts_with(name + ": expected an integer from ")) << error.what();
    }
  }
}

TEST(SettingsJson, OddKeysAreQuotedAndCutShort) {
  EXPECT_EQ(errorOf(with("ivmax\nivMin", 1)), "\"ivmax\\nivMin\": unknown setting");
  EXPECT_EQ(errorOf(with(std::string(1000, 'k').c_str(), 1)),
            fmt::format("\"{}...: unknown setting", std::string(39, 'k')));
}

TEST(SettingsJson, TextThatIsNotJsonIsASettingsError) {
  EXPECT_EQ(parseSettingsText("{\"a\": 1 // comment\n}")["a"], 1);
  for (const std::string text : {"{\"startYear\": 1e400}", "", "{", "\xff"}) {
    try {
      parseSettingsText(text);
      ADD_FAILURE() << text;
    } catch (const SettingsFileError& error) {
      EXPECT_TRUE(std::string_view(error.what()).starts_with("not valid JSON: ")) << error.what();
    }
  }
}

std::string parseErrorOf(std::string_view text) {
  try {
    parseSettingsText(text);
  } catch (const SettingsFileError& error) {
    return error.what();
  }
  return "";
}

// The parser alone would keep the last value of a key, and end the text at a NUL byte.
TEST(SettingsJson, KeysGivenTwiceAndBytesAfterANulAreRefused) {
  EXPECT_EQ(parseErrorOf(R"({"frame": "x", "frame": 8})"), "frame: given twice");
  EXPECT_EQ(parseErrorOf(R"({"fr\u0061me": 8, "ivMin": [0], "frame": 8})"), "frame: given twice");
  EXPECT_EQ(parseErrorOf("{\"a b\": 1, \"a b\": 2}"), "\"a b\": given twice");
  EXPECT_EQ(parseErrorOf(R"({"frame": {"a": 1, "a": 2}, "ivMin": [{"b": 1}, {"b": 2}]})"),
            "");  // not the object's keys
  using namespace std::string_literals;
  EXPECT_EQ(parseErrorOf("{\"frame\": 8}\0{\"frame\": 9}"s), "not valid JSON: a NUL byte at line 1, column 13");
  EXPECT_EQ(parseErrorOf("{\n  \"frame\": 8\0\n}"s), "not valid JSON: a NUL byte at line 2, column 13");
}

// The message writes only the start of a value, so that no nesting exhausts the stack.
TEST(SettingsJson, DeeplyNestedValuesAreRefusedShortly) {
  const std::string deep = std::string(1'000'000, '[') + std::string(1'000'000, ']');
  EXPECT_EQ(errorOf(with("ivMin", parseSettingsText(deep))),
            fmt::format("ivMin: expected an array of 6 values, got {}...", std::string(40, '[')));
}

// The edition's three keys come together; the console decides the afternoon flag.
TEST(SettingsJson, TheEditionIsThreeKeysThatPrintOnlyWhenSet) {
  json object = dates();
  object["game"] = "White2";
  object["language"] = "ENG";
  object["console"] = "3DS";
  const SearchSettings settings = load(object).settings;
  EXPECT_EQ(settings.edition, (Edition{Game::White2, Language::English, ConsoleKind::ThreeDs}));
  EXPECT_TRUE(settings.is3ds);
  const nlohmann::ordered_json printed = settingsToJson(settings);
  EXPECT_EQ(printed.dump().find(R"("versionWord":"0x2215F10","game":"White2","language":"ENG","console":"3DS")"),
            printed.dump().find(R"("versionWord")"));
  EXPECT_EQ(load(json::parse(printed.dump())).settings.edition, settings.edition);
  EXPECT_FALSE(settingsToJson(SearchSettings{}).contains("game"));

  object["is3ds"] = false;
  EXPECT_EQ(errorOf(object), "is3ds: console 3DS needs true, got false");
  object["console"] = "DSi";
  EXPECT_FALSE(load(object).settings.is3ds);
  object["language"] = "English";
  EXPECT_EQ(errorOf(object), "language: expected JPN, ENG, GER, FRA, SPA, ITA or KOR, got \"English\"");
  object.erase("language");
  EXPECT_EQ(errorOf(object), "game: give game, language and console together, or none");
}

TEST(SettingsJson, RangesAreTwoEndsThatPrintOnlyWhenSet) {
  json object = dates();
  object["timer0Min"] = "10E4";
  object["timer0Max"] = 0x110D;
  object["vcount"] = "82";
  const SearchSettings settings = load(object).settings;
  EXPECT_EQ(settings.timer0Range, (ParameterRange{0x10E4, 0x110D}));
  EXPECT_FALSE(settings.vcountRange);
  EXPECT_EQ(searchedVcounts(settings), (ParameterRange{0x82, 0x82}));
  const std::string printed = settingsToJson(settings).dump();
  EXPECT_NE(printed.find(R"("timer0":"0x0","timer0Min":"0x10E4","timer0Max":"0x110D","gxStat")"), std::string::npos);
  EXPECT_EQ(printed.find("vcountMin"), std::string::npos);
  object.erase("timer0Max");
  EXPECT_EQ(errorOf(object), "timer0: give timer0Min and timer0Max together, or neither");
}

// X, Y and the hand's limit print only where they differ from a fresh start, so that
// settings of the ten keys print (and name a shard's search) as before; they load back.
TEST(SettingsJson, XAndYAndTheKeyCountPrintOnlyWhenSet) {
  const std::string plain = settingsToJson(load(dates()).settings).dump();
  for (const char* name : {"keyXYEnabled", "keyAllowedX", "keyAllowedY", "keyCountMax"}) {
    EXPECT_EQ(plain.find(name), std::string::npos) << name;
  }
  json object = dates();
  object["keyXYEnabled"] = true;
  object["keyAllowedY"] = false;
  object["keyCountMax"] = 3;
  const SearchSettings settings = load(object).settings;
  EXPECT_TRUE(settings.keyXYEnabled);
  EXPECT_TRUE(settings.keyAllowed[keyX]);
  EXPECT_FALSE(settings.keyAllowed[keyY]);
  EXPECT_EQ(settings.keyCountMax, 3);
  const std::string printed = settingsToJson(settings).dump();
  EXPECT_NE(
      printed.find(
          R"("excludeOppositeAndReset":true,"keyXYEnabled":true,"keyAllowedY":false,"keyCountMax":3,"shinyPidSearch")"),
      std::string::npos)
      << printed;
  EXPECT_EQ(settingsToJson(load(json::parse(printed)).settings).dump(), printed);

  for (const char* name : {"keyXYEnabled", "keyAllowedX", "keyAllowedY"}) {
    EXPECT_EQ(errorOf(with(name, 1)), fmt::format("{}: expected true or false, got 1", name));
  }
  EXPECT_EQ(errorOf(with("keyCountMax", 13)), "keyCountMax: expected an integer from 0 to 12, got 13");
  EXPECT_EQ(errorOf(with("keyCountMax", -1)), "keyCountMax: expected an integer from 0 to 12, got -1");
  EXPECT_EQ(errorOf(with("keyAllowed",
                         json::array({true, true, true, true, true, true, true, true, true, true, true, true}))),
            "keyAllowed: expected an array of 10 values, got [true,true,true,true,true,true,true,true...");
}

// Japanese, the file as it always was, is left unsaid; English is printed and loads back.
TEST(SettingsJson, TheResultLanguageIsJaOrEnAndPrintsOnlyWhenEnglish) {
  EXPECT_EQ(load(with("resultLanguage", "ja")).settings.resultLanguage, ResultLanguage::Japanese);
  const SearchSettings english = load(with("resultLanguage", "en")).settings;
  EXPECT_EQ(english.resultLanguage, ResultLanguage::English);
  const nlohmann::ordered_json printed = settingsToJson(english);
  EXPECT_EQ(printed["resultLanguage"], "en");
  EXPECT_EQ(load(json::parse(printed.dump())).settings.resultLanguage, ResultLanguage::English);
  EXPECT_FALSE(settingsToJson(SearchSettings{}).contains("resultLanguage"));
  EXPECT_EQ(errorOf(with("resultLanguage", "EN")), "resultLanguage: expected \"ja\" or \"en\", got \"EN\"");
  EXPECT_EQ(errorOf(with("resultLanguage", 1)), "resultLanguage: expected \"ja\" or \"en\", got 1");
}

// The result's other choices likewise: said only away from the file as it always was.
TEST(SettingsJson, TheResultChoicesPrintOnlyWhenChosenAndLoadBack) {
  const nlohmann::ordered_json fresh = settingsToJson(SearchSettings{});
  for (const char* key : {"ivNumbering", "initialAdvances", "memoryLink"}) EXPECT_FALSE(fresh.contains(key)) << key;
  json chosen = with("ivNumbering", "players");
  chosen["initialAdvances"] = true;
  chosen["memoryLink"] = true;
  const SearchSettings loaded = load(json::parse(settingsToJson(load(chosen).settings).dump())).settings;
  EXPECT_EQ(loaded.ivNumbering, IvNumbering::Players);
  EXPECT_TRUE(loaded.initialAdvances);
  EXPECT_TRUE(loaded.memoryLink);
  EXPECT_EQ(load(with("ivNumbering", "positions")).settings.ivNumbering, IvNumbering::Positions);
  EXPECT_EQ(errorOf(with("ivNumbering", "Players")),
            "ivNumbering: expected \"positions\" or \"players\", got \"Players\"");
  EXPECT_EQ(errorOf(with("initialAdvances", 1)), "initialAdvances: expected true or false, got 1");
}

}  // namespace
}  // namespace hanabira
