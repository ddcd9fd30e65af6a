// The browser's CP932 (tables) against iconv's: every row of both tables, and every text
// beyond ASCII that the result file can hold, convert alike both ways.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
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

// The native conversion is iconv's except on Windows, where it is the system's code page
// 932, which refuses the characters it only writes by best fit (¥, ¢, Greek, ...). The
// tables are iconv's, so only iconv is held to them row by row.
#ifdef _WIN32
constexpr bool nativeIsIconv = false;
#else
constexpr bool nativeIsIconv = true;
#endif

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

std::string utf8Of(char32_t codePoint) {
  std::string utf8;
  if (codePoint < 0x800) {
    utf8 += static_cast<char>(0xC0 | (codePoint >> 6));
  } else {
    utf8 += static_cast<char>(0xE0 | (codePoint >> 12));
    utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
  }
  utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
  return utf8;
}

// Both tables' rows, each in one text: a row missing or wrong shows as the first
// difference, and one call per table keeps the test quick.
TEST(Cp932Table, EveryRowIsIconvs) {
  std::string characters, written;
  for (const Cp932TableRow& row : cp932EncodingRows()) {
    characters += utf8Of(row.codePoint);
    written += codeBytes(row.code);
  }
  EXPECT_EQ(utf8ToCp932ByTable(characters), written);
  if (nativeIsIconv) {
    EXPECT_EQ(utf8ToCp932(characters), written);
  }

  std::string codes, read;
  for (const Cp932TableRow& row : cp932DecodingRows()) {
    codes += codeBytes(row.code);
    read += utf8Of(row.codePoint);
  }
  EXPECT_EQ(cp932ToUtf8ByTable(codes), read);
  if (nativeIsIconv) {
    EXPECT_EQ(cp932ToUtf8(codes), read);
  }
  // A kanji CP932 holds twice (NEC's and IBM's copies) reads the same from either, and
  // writes the IBM copy as iconv does.
  EXPECT_EQ(cp932ToUtf8ByTable("\xED\x40\xFA\x5C"), "\xE7\xBA\x8A\xE7\xBA\x8A");  // 纊 twice
  EXPECT_EQ(utf8ToCp932ByTable("\xE7\xBA\x8A"), "\xFA\x5C");
}

// What the tables leave out, iconv refuses or drops too: every other character of the
// Basic Multilingual Plane and every other code.
TEST(Cp932Table, RefusesAndDropsAsIconv) {
  const std::span<const Cp932TableRow> encoding = cp932EncodingRows();
  for (char32_t codePoint = 0x80; codePoint < 0x10000; ++codePoint) {
    if (codePoint >= 0xD800 && codePoint < 0xE000) continue;
    if (std::ranges::binary_search(encoding, codePoint, {}, &Cp932TableRow::codePoint)) continue;
    if (nativeIsIconv) {
      EXPECT_THROW(utf8ToCp932(utf8Of(codePoint)), std::runtime_error)
          << std::hex << static_cast<std::uint32_t>(codePoint);
    }
    EXPECT_THROW(utf8ToCp932ByTable(utf8Of(codePoint)), std::runtime_error)
        << std::hex << static_cast<std::uint32_t>(codePoint);
  }
  // Beyond that plane iconv writes nothing for a language tag and refuses the rest (🌸).
  if (nativeIsIconv) {
    EXPECT_EQ(utf8ToCp932("DS\xF3\xA0\x80\x81"), "DS");
  }
  EXPECT_EQ(utf8ToCp932ByTable("DS\xF3\xA0\x80\x81"), "DS");
  EXPECT_THROW(utf8ToCp932ByTable("\xF0\x9F\x8C\xB8"), std::runtime_error);

  // A byte that is neither a code nor a lead byte, and a lead byte with any other trail.
  const std::span<const Cp932TableRow> decoding = cp932DecodingRows();
  const auto inTable = [&](unsigned code) {
    return std::ranges::binary_search(decoding, static_cast<std::uint16_t>(code), {}, &Cp932TableRow::code);
  };
  for (unsigned lead = 0x80; lead < 0x100; ++lead) {
    const bool isLead = std::ranges::any_of(decoding, [&](const auto& row) { return row.code >> 8 == lead; });
    for (unsigned code = isLead ? lead << 8 : lead; code <= (isLead ? lead << 8 | 0xFF : lead); ++code) {
      if (inTable(code)) continue;
      if (nativeIsIconv) {
        EXPECT_THROW(cp932ToUtf8(codeBytes(static_cast<std::uint16_t>(code))), std::runtime_error) << std::hex << code;
      }
      EXPECT_THROW(cp932ToUtf8ByTable(codeBytes(static_cast<std::uint16_t>(code))), std::runtime_error)
          << std::hex << code;
    }
  }
}

TEST(Cp932Table, ConvertsAsciiAndEveryResultTextAsIconv) {
  std::string ascii;
  for (int c = 1; c < 0x80; ++c) ascii += static_cast<char>(c);  // char is unsigned on arm64
  EXPECT_EQ(utf8ToCp932ByTable(ascii), utf8ToCp932(ascii));
  EXPECT_EQ(cp932ToUtf8ByTable(utf8ToCp932(ascii)), cp932ToUtf8(utf8ToCp932(ascii)));
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
