// The browser's CP932 (a table) against iconv's: every character of the table, and every
// text beyond ASCII that the result file can hold, convert alike both ways.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "evaluate/result_text.h"
#include "evaluate/search_modes.h"
#include "vocab/cp932.h"
#include "vocab/cp932_table.h"
#include "vocab/names.h"

namespace hanabira {
namespace {

std::string codeBytes(std::uint16_t code) {
  std::string bytes;
  if (code > 0xFF) bytes += static_cast<char>(code >> 8);
  bytes += static_cast<char>(code & 0xFF);
  return bytes;
}

// Every name of the name tables and every mode's header with all its extra columns.
std::vector<std::string> resultTexts() {
  std::vector<std::string> texts = {std::string(notSpecifiedLabel), std::string(unchangedNatureLabel)};
  for (int id = 0; id < natureCount; ++id) texts.emplace_back(*natureName(id));
  for (int id = 0; id < hiddenPowerTypeCount; ++id) texts.emplace_back(*hiddenPowerTypeName(id));
  for (int id = 0; id < domeTrainerCount; ++id) texts.emplace_back(*domeTrainerName(id));
  for (const auto& labels : {std::vector(eggAbilityLabels.begin(), eggAbilityLabels.end()),
                             std::vector(eggGenderRatioLabels.begin(), eggGenderRatioLabels.end()),
                             std::vector(keyNames.begin(), keyNames.end())}) {
    texts.insert(texts.end(), labels.begin(), labels.end());
  }
  const ResultColumnChoices everyColumn{Game::Black2, IvNumbering::Players, true, true};
  for (const SearchModeDefinition& mode : searchModes()) {
    texts.push_back(ResultText(mode.columnsIn(ResultLanguage::Japanese), true, TextEncoding::Utf8, true,
                               ResultLanguage::Japanese, everyColumn)
                        .header());
  }
  return texts;
}

TEST(Cp932Table, EveryRowIsIconvsBothWays) {
  for (const Cp932TableRow& row : cp932TableRows()) {
    const std::string utf8 = cp932ToUtf8(codeBytes(row.code));
    EXPECT_EQ(utf8ToCp932(utf8), codeBytes(row.code)) << std::hex << static_cast<std::uint32_t>(row.codePoint);
    EXPECT_EQ(utf8ToCp932ByTable(utf8), codeBytes(row.code)) << std::hex << static_cast<std::uint32_t>(row.codePoint);
    EXPECT_EQ(cp932ToUtf8ByTable(codeBytes(row.code)), utf8) << std::hex << static_cast<std::uint32_t>(row.codePoint);
  }
}

TEST(Cp932Table, ConvertsAsciiAndEveryResultTextAsIconv) {
  std::string ascii;
  for (char c = 1; c > 0; ++c) ascii += c;
  EXPECT_EQ(utf8ToCp932ByTable(ascii), utf8ToCp932(ascii));
  EXPECT_EQ(cp932ToUtf8ByTable(utf8ToCp932(ascii)), cp932ToUtf8(utf8ToCp932(ascii)));
  // A text missing here wants scripts/cp932-table run again.
  for (const std::string& text : resultTexts()) {
    const std::string cp932 = utf8ToCp932(text);
    EXPECT_EQ(utf8ToCp932ByTable(text), cp932) << text;
    EXPECT_EQ(cp932ToUtf8ByTable(cp932), text) << text;
  }
}

TEST(Cp932Table, RefusesWhatItCannotConvert) {
  EXPECT_THROW(utf8ToCp932ByTable("Pok\xC3\xA9mon"), std::runtime_error);  // é: no CP932 text holds it
  EXPECT_THROW(utf8ToCp932ByTable("\xE3\x81"), std::runtime_error);        // a cut character
  EXPECT_THROW(utf8ToCp932ByTable("\xC0\xAF"), std::runtime_error);        // overlong '/'
  EXPECT_THROW(utf8ToCp932ByTable("\xE0\x80\xAF"), std::runtime_error);    // overlong '/'
  EXPECT_THROW(utf8ToCp932ByTable("\x80"), std::runtime_error);            // a lone continuation byte
  EXPECT_THROW(cp932ToUtf8ByTable("\x82"), std::runtime_error);            // a lead byte alone
  EXPECT_THROW(cp932ToUtf8ByTable("\xFF\xFF"), std::runtime_error);
}

}  // namespace
}  // namespace hanabira
