// CSV, TSV and JSON Lines carry exactly the fields of the txt lines, for every mode and
// its optional columns: each format is read back here and held to the txt fields.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/result_sink.h"
#include "evaluate/result_formats.h"
#include "evaluate/search_modes.h"
#include "test_support.h"

namespace hanabira {
namespace {

using Rows = std::vector<std::vector<std::string>>;

std::vector<std::string> linesOf(std::string_view text, std::string_view end) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t stop = text.find(end, start);
    EXPECT_NE(stop, std::string_view::npos) << "a line without its end";
    if (stop == std::string_view::npos) break;
    lines.emplace_back(text.substr(start, stop - start));
    start = stop + end.size();
  }
  return lines;
}

// RFC 4180 fields: quoted ones may hold the separator and doubled quotes.
std::vector<std::string> readFields(std::string_view line, char separator) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == separator && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

Rows readTable(std::string_view text, char separator) {
  Rows rows;
  for (const std::string& line : linesOf(text, "\r\n")) rows.push_back(readFields(line, separator));
  return rows;
}

// The txt's fields as the other formats give them: names without their filling.
Rows txtRows(std::string_view txt) {
  Rows rows;
  for (const std::string& line : linesOf(txt, "\r\n")) {
    std::vector<std::string> fields;
    for (std::string_view field : txtFields(line)) {
      while (field.ends_with("\u3000")) field.remove_suffix(3);
      fields.emplace_back(field);
    }
    rows.push_back(fields);
  }
  return rows;
}

// The txt in pieces of random sizes through the converting sink; after every write the
// file holds whole lines only, each a line of the finished file.
std::string converted(std::string_view txt, ResultFormat format, std::mt19937_64& random) {
  StringSink file;
  ConvertingSink sink(file, format);
  const std::string_view lineEnd = format == ResultFormat::Jsonl ? "\n" : "\r\n";
  for (std::size_t start = 0; start < txt.size();) {
    const std::size_t piece = std::min<std::size_t>(1 + random() % 200, txt.size() - start);
    sink.write(txt.substr(start, piece));
    start += piece;
    EXPECT_TRUE(file.text().empty() || file.text().ends_with(lineEnd));
  }
  return file.text();
}

// A JSON value as the txt field it came from.
std::string asTxtField(const nlohmann::ordered_json& value, std::string_view name) {
  if (value.is_array()) {
    std::string keys;
    for (const auto& key : value) keys += key.get<std::string>();
    return keys;
  }
  if (value.is_string()) return value.get<std::string>();
  if (name == "vcount" || name == "timer0") return fmt::format("{:X}", value.get<std::uint64_t>());
  return value.dump();
}

void expectJsonLinesCarry(const Rows& txt, std::string_view jsonl, std::vector<std::string>& fieldNames) {
  const std::vector<std::string> lines = linesOf(jsonl, "\n");
  ASSERT_EQ(lines.size() + 1, txt.size()) << "one object per line and no header";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto object = nlohmann::ordered_json::parse(lines[i]);
    ASSERT_TRUE(object.is_object());
    ASSERT_EQ(object.size(), txt[0].size()) << lines[i];
    std::vector<std::string> names;
    std::size_t column = 0;
    for (const auto& [name, value] : object.items()) {
      EXPECT_EQ(asTxtField(value, name), txt[i + 1][column]) << name << " in " << lines[i];
      names.push_back(name);
      ++column;
    }
    EXPECT_TRUE(object.at("initialSeed").is_string());
    EXPECT_EQ(object.at("initialSeed").get<std::string>().size(), 16u);
    EXPECT_TRUE(object.at("year").is_number_integer());
    EXPECT_TRUE(!object.contains("keys") || object.at("keys").is_array());
    if (fieldNames.empty()) fieldNames = names;
    EXPECT_EQ(names, fieldNames) << "field names in every line and either language alike";
  }
}

TEST(ResultFormats, EveryFormatCarriesTheTxtFieldsOfEveryMode) {
  std::mt19937_64 random(29);
  std::size_t linesCompared = 0;
  for (const SearchModeDefinition& mode : searchModes()) {
    for (int round = 0; round < 4; ++round) {
      SearchSettings settings = testing::randomSettings(random, mode.mode);
      settings.initialAdvances = round % 2 == 1;
      if (round == 2) {
        settings.vcountRange = ParameterRange{settings.vcount, settings.vcount + 1};
        settings.timer0Range = ParameterRange{settings.timer0, settings.timer0 + 1};
      }
      std::vector<std::string> jsonNames;  // the same in both languages
      for (ResultLanguage language : {ResultLanguage::Japanese, ResultLanguage::English}) {
        settings.resultLanguage = language;
        const std::string txt = testing::fastResult(settings, testing::utf8());
        const Rows expected = txtRows(txt);

        const std::string csv = converted(txt, ResultFormat::Csv, random);
        ASSERT_TRUE(csv.starts_with("\xEF\xBB\xBF"));
        EXPECT_EQ(readTable(std::string_view(csv).substr(3), ','), expected);
        EXPECT_EQ(readTable(converted(txt, ResultFormat::Tsv, random), '\t'), expected);
        expectJsonLinesCarry(expected, converted(txt, ResultFormat::Jsonl, random), jsonNames);
        EXPECT_EQ(converted(txt, ResultFormat::Txt, random), txt);
        linesCompared += expected.size() - 1;
      }
    }
  }
  EXPECT_GT(linesCompared, 50u);
}

// A search over several profiles names each line's profile first; a name may hold quotes.
TEST(ResultFormats, TheProfileColumnIsAStringFirst) {
  const std::string header = "プロファイル,年,月,日,時,分,秒,性格値乱数消費,性格,初期seed,キー入力\r\n";
  const std::string line = "3DS \"B2\",11,9,27,13,47,35,4,ゆうかん\u3000\u3000,9D76553EC8C0FA7A,A↑R\r\n";

  const ResultConverter csv(ResultFormat::Csv, header);
  std::string csvText;
  csv.appendLine(csvText, line);
  EXPECT_EQ(csv.start(), "\xEF\xBB\xBFプロファイル,年,月,日,時,分,秒,性格値乱数消費,性格,初期seed,キー入力\r\n");
  EXPECT_EQ(csvText, "\"3DS \"\"B2\"\"\",11,9,27,13,47,35,4,ゆうかん,9D76553EC8C0FA7A,A↑R\r\n");

  const ResultConverter jsonl(ResultFormat::Jsonl, header);
  std::string json;
  jsonl.appendLine(json, line);
  EXPECT_EQ(jsonl.start(), "");
  EXPECT_EQ(json,
            "{\"profile\":\"3DS \\\"B2\\\"\",\"year\":11,\"month\":9,\"day\":27,\"hour\":13,\"minute\":47,"
            "\"second\":35,\"pidPosition\":4,\"nature\":\"ゆうかん\",\"initialSeed\":\"9D76553EC8C0FA7A\","
            "\"keys\":[\"A\",\"↑\",\"R\"]}\n");
}

// English key names run together are read longest first: "Right" is not "R" and "ight".
TEST(ResultFormats, EnglishKeysAreReadLongestFirst) {
  const ResultConverter jsonl(ResultFormat::Jsonl, "Year,Keys");
  std::string json;
  jsonl.appendLine(json, "11,RightRSeSt\r\n");
  jsonl.appendLine(json, "11,\r\n");
  EXPECT_EQ(json, "{\"year\":11,\"keys\":[\"Right\",\"R\",\"Se\",\"St\"]}\n{\"year\":11,\"keys\":[]}\n");
}

TEST(ResultFormats, NamesRoundTrip) {
  for (ResultFormat format : resultFormats) EXPECT_EQ(resultFormatFromName(resultFormatName(format)), format);
  EXPECT_EQ(resultFormatFromName("json"), std::nullopt);
}

}  // namespace
}  // namespace hanabira
