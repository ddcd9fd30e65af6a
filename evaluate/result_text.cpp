#include "evaluate/result_text.h"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <iterator>

#include "evaluate/egg_rules.h"
#include "evaluate/game_advances.h"
#include "evaluate/iv_numbering.h"
#include "vocab/cp932.h"
#include "vocab/english_names.h"
#include "vocab/names.h"

namespace hanabira {

// The words of a result file in one language, apart from the mode's columns.
struct ResultWords {
  std::string_view momentColumns;  // the header's start, which every mode shares
  std::string_view keyColumn;
  std::string_view initialAdvancesColumn;
  const std::array<std::string_view, keyMaskBits>& keyNames;
  std::optional<std::string_view> (*natureName)(int id);
  std::optional<std::string_view> (*hiddenPowerTypeName)(int id);
  std::array<std::string_view, 6> statLabels;  // H, A, B, C, D, S
  std::array<std::string_view, 2> parents;     // first, second
};

namespace {

constexpr std::string_view lineEnd = "\r\n";
constexpr std::string_view parameterColumnNames = "VCount,Timer0,";

constexpr ResultWords japaneseWords = {
    .momentColumns = "年,月,日,時,分,秒,",
    .keyColumn = ",キー入力",
    .initialAdvancesColumn = ",初期消費",
    .keyNames = keyNames,
    .natureName = natureName,
    .hiddenPowerTypeName = hiddenPowerTypeName,
    .statLabels = {"H", "A", "B", "C", "D", "S"},
    .parents = {"先", "後"},
};
// The stats as English players abbreviate them; the parents as A and B, the letters
// English tools give the two.
constexpr ResultWords englishWords = {
    .momentColumns = "Year,Month,Day,Hour,Minute,Second,",
    .keyColumn = ",Keys",
    .initialAdvancesColumn = ",Initial advances",
    .keyNames = englishKeyNames,
    .natureName = englishNatureName,
    .hiddenPowerTypeName = englishHiddenPowerTypeName,
    .statLabels = {"HP", "Atk", "Def", "SpA", "SpD", "Spe"},
    .parents = {"A", "B"},
};

}  // namespace

std::string_view profileColumnName(ResultLanguage language) {
  return language == ResultLanguage::English ? "Profile" : "プロファイル";
}

ResultColumnChoices resultColumnChoices(const SearchSettings& settings) {
  return {.game = settings.edition ? settings.edition->game : Game::Black,
          .ivNumbering = settings.ivNumbering,
          .initialAdvances = settings.initialAdvances,
          .memoryLink = settings.memoryLink};
}

ResultText::ResultText(std::string_view columns, bool keyInputEnabled, TextEncoding encoding, bool parameterColumns,
                       ResultLanguage language, const ResultColumnChoices& choices)
    : words_(language == ResultLanguage::English ? &englishWords : &japaneseWords),
      columns_(columns),
      keyInputEnabled_(keyInputEnabled),
      encoding_(encoding),
      parameterColumns_(parameterColumns),
      choices_(choices) {
  if (parameterColumns_ && columns_.starts_with(words_->momentColumns)) {
    columns_.insert(words_->momentColumns.size(), parameterColumnNames);
  }
  for (int id = 0; id < hiddenPowerTypeCount; ++id) {
    hiddenPowerTypeNames_[id] = encode(*words_->hiddenPowerTypeName(id));
  }
  if (keyInputEnabled_) {
    std::array<std::string, keyMaskBits> keyTexts;
    for (int bit = 0; bit < keyMaskBits; ++bit) keyTexts[bit] = encode(words_->keyNames[bit]);
    keyFields_.resize(noKeysHeld + 1);
    for (int mask = 0; mask <= noKeysHeld; ++mask) {
      std::string& field = keyFields_[static_cast<std::size_t>(mask)];
      field = ',';
      for (int bit = 0; bit < keyMaskBits; ++bit) {
        if ((mask & (1 << bit)) == 0) field += keyTexts[bit];
      }
    }
  }
  for (int id = 0; id < natureCount; ++id) natureNames_[id] = encode(*words_->natureName(id));
  for (int stat = 0; stat < 6; ++stat) {
    for (int parent : {firstParent, secondParent}) {
      inheritanceEntries_[stat][parent] =
          encode(fmt::format("{}-{},", words_->statLabels[stat], words_->parents[static_cast<std::size_t>(parent)]));
    }
  }
}

std::string ResultText::encode(std::string_view utf8) const {
  return encoding_ == TextEncoding::Cp932 ? utf8ToCp932(utf8) : std::string(utf8);
}

std::string ResultText::header() const {
  std::string text = columns_;
  if (choices_.initialAdvances) text += words_->initialAdvancesColumn;
  if (keyInputEnabled_) text += words_->keyColumn;
  text += lineEnd;
  return encode(text);
}

// The fields go to a buffer on the stack and from there to `out` at once: appending to
// the string a character at a time costs more than the formatting.
void ResultText::appendMoment(std::string& out, const BootMoment& moment) const {
  char fields[6 * 12 + 2 * 9];  // six ints and two 32-bit hexadecimals, each with a comma
  char* end = fmt::format_to(fields, FMT_COMPILE("{},{},{},{},{},{},"), moment.year, moment.month, moment.day,
                             moment.hour, moment.minute, moment.second);
  if (parameterColumns_) end = fmt::format_to(end, FMT_COMPILE("{:X},{:X},"), moment.vcount, moment.timer0);
  out.append(fields, end);
}

int ResultText::shownIvPosition(int position) const {
  return choices_.ivNumbering == IvNumbering::Players ? playersIvAdvance(choices_.game, position) : position;
}

void ResultText::appendLineEnd(std::string& out, InitialSeed seed, int keyMask) const {
  if (choices_.initialAdvances) {
    fmt::format_to(std::back_inserter(out), FMT_COMPILE(",{}"), gameAdvances(choices_.game, choices_.memoryLink, seed));
  }
  if (keyInputEnabled_) out += keyFields_[static_cast<std::size_t>(keyMask & noKeysHeld)];
  out += lineEnd;
}

void ResultText::appendIvsAndHiddenPower(std::string& out, const IvSet& iv, const HiddenPower& hiddenPower,
                                         InitialSeed seed) const {
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},{},{},{},{},{},"), iv[0], iv[1], iv[2], iv[3], iv[4], iv[5]);
  out += hiddenPowerTypeNames_[static_cast<std::size_t>(hiddenPower.type)];
  fmt::format_to(std::back_inserter(out), FMT_COMPILE(",{},{:016X}"), hiddenPower.power, seed);
}

}  // namespace hanabira
