#include "core/edition.h"

#include <algorithm>

namespace hanabira {
namespace {

using enum Certainty;

// The message words of one game in one language: N on the DS and DS Lite and on the DSi
// and 3DS; Black 2 and White 2 add A and B, the same on every console.
struct LanguageWords {
  std::uint32_t dsN;
  Certainty dsCertainty;
  std::uint32_t dsiN;
  Certainty dsiCertainty;
  std::uint32_t a = 0;
  std::uint32_t b = 0;
};

// Indexed [game][language]. Every DSi and 3DS value descends from one table never
// measured on a console; the Korean ones are copies of other editions' values.
constexpr std::array<std::array<LanguageWords, languageCount>, gameCount> languageWords = {{
    {{
        // Black. The Spanish DS value is 02216070, as maintained tools corrected it in 2023;
        // older tables have 02216050.
        {0x02215F10, Confirmed, 0x02761150, Unconfirmed},
        {0x022160B0, Confirmed, 0x02760190, Unconfirmed},
        {0x02215FF0, Confirmed, 0x027602F0, Unconfirmed},
        {0x02216030, Confirmed, 0x02760230, Unconfirmed},
        {0x02216070, Confirmed, 0x027601F0, Unconfirmed},
        {0x02215FB0, Confirmed, 0x027601D0, Unconfirmed},
        {0x022167B0, Confirmed, 0x02761150, Placeholder},
    }},
    {{
        // White.
        {0x02215F30, Confirmed, 0x02761150, Unconfirmed},
        {0x022160D0, Confirmed, 0x027601B0, Unconfirmed},
        {0x02216010, Confirmed, 0x027602F0, Unconfirmed},
        {0x02216050, Confirmed, 0x02760250, Unconfirmed},
        {0x02216070, Confirmed, 0x027601F0, Unconfirmed},
        {0x02215FD0, Confirmed, 0x027601D0, Unconfirmed},
        {0x022167B0, Confirmed, 0x02761150, Placeholder},
    }},
    {{
        // Black 2.
        {0x021FF9B0, Confirmed, 0x027AA730, Unconfirmed, 0x0209A8DC, 0x02039AC9},
        {0x02200010, Confirmed, 0x027A5F70, Unconfirmed, 0x0209AEE8, 0x02039DE9},
        {0x021FFF50, Confirmed, 0x027A6110, Unconfirmed, 0x0209AE28, 0x02039D69},
        {0x02200030, Confirmed, 0x027A5F90, Unconfirmed, 0x0209AF08, 0x02039DF9},
        {0x021FFFD0, Confirmed, 0x027A6070, Unconfirmed, 0x0209AEA8, 0x02039DB9},
        // Italian: the DSi value is the English one, as in the table that first gave every
        // European edition the English value and corrected all but this one.
        {0x021FFF10, Confirmed, 0x027A5F70, Placeholder, 0x0209ADE8, 0x02039D69},
        {0x02200750, Confirmed, 0x02200770, Placeholder, 0x0209B60C, 0x0203A4D5},
    }},
    {{
        // White 2.
        {0x021FF9D0, Confirmed, 0x027AA5F0, Unconfirmed, 0x0209A8FC, 0x02039AF5},
        {0x02200050, Confirmed, 0x027A5E90, Unconfirmed, 0x0209AF28, 0x02039E15},
        {0x021FFF70, Confirmed, 0x027A6010, Unconfirmed, 0x0209AE48, 0x02039D95},
        {0x02200050, Confirmed, 0x027A5EF0, Unconfirmed, 0x0209AF28, 0x02039E25},
        {0x021FFFF0, Confirmed, 0x027A5FB0, Unconfirmed, 0x0209AEC8, 0x02039DE5},
        {0x021FFF50, Confirmed, 0x027A5ED0, Unconfirmed, 0x0209AE28, 0x02039D95},
        {0x02200770, Confirmed, 0x027A57B0, Placeholder, 0x0209B62C, 0x0203A501},
    }},
}};

// What players of the Japanese editions find on the DSi and 3DS, by game; players of the
// others report Timer0 anywhere in otherDsiTimer0s, at a VCount nobody reports.
constexpr std::array<ParameterRange, gameCount> japaneseDsiVcounts = {
    {{0x8C, 0x8C}, {0x8C, 0x8C}, {0xA2, 0xA2}, {0xBE, 0xBE}}};
constexpr std::array<ParameterRange, gameCount> japaneseDsiTimer0s = {
    {{0x1237, 0x1238}, {0x1232, 0x1234}, {0x150D, 0x1514}, {0x18AF, 0x18B3}}};
constexpr ParameterRange otherDsiTimer0s = {0x1400, 0x1900};

constexpr bool isDsFamily(ConsoleKind console) { return console == ConsoleKind::Ds || console == ConsoleKind::DsLite; }

constexpr EditionFacts factsOf(Edition e) {
  const auto game = static_cast<std::size_t>(e.game);
  const LanguageWords& w = languageWords[game][static_cast<std::size_t>(e.language)];
  const bool ds = isDsFamily(e.console);
  const std::uint32_t n = ds ? w.dsN : w.dsiN;
  EditionFacts f{};
  f.edition = e;
  f.words = isSequel(e.game) ? EditionWords{w.a, w.b, n, n + 0x54, n + 0x54} : versionWordWords(n);
  f.wordsCertainty = ds ? w.dsCertainty : w.dsiCertainty;
  f.gxStat = 0x06000000;
  switch (e.console) {
    case ConsoleKind::Ds:
      f.frame = 8;
      break;
    case ConsoleKind::DsLite:
      f.frame = 6;
      break;
    case ConsoleKind::Dsi:
    case ConsoleKind::ThreeDs:
      f.frame = isSequel(e.game) ? 8 : 9;
      break;
  }
  f.frameCertainty = e.console == ConsoleKind::Dsi && isSequel(e.game) ? Inferred : Confirmed;
  if (ds) {
    f.typicalVcounts = isSequel(e.game) ? ParameterRange{0x81, 0x83} : ParameterRange{0x5F, 0x60};
    f.typicalTimer0s = isSequel(e.game) ? ParameterRange{0x10E4, 0x110D} : ParameterRange{0xC67, 0xC87};
    f.typicalRangesCertainty = Confirmed;
  } else {
    f.typicalVcounts = japaneseDsiVcounts[game];
    const bool japanese = e.language == Language::Japanese;
    f.typicalTimer0s = japanese ? japaneseDsiTimer0s[game] : otherDsiTimer0s;
    f.typicalRangesCertainty = japanese ? Confirmed : Reported;
  }
  return f;
}

constexpr std::size_t rowCount = gameCount * languageCount * consoleKindCount;

constexpr std::size_t rowOf(const Edition& e) {
  return (static_cast<std::size_t>(e.game) * languageCount + static_cast<std::size_t>(e.language)) * consoleKindCount +
         static_cast<std::size_t>(e.console);
}

constexpr std::array<EditionFacts, rowCount> buildTable() {
  std::array<EditionFacts, rowCount> table{};
  for (int g = 0; g < gameCount; ++g) {
    for (int l = 0; l < languageCount; ++l) {
      for (int c = 0; c < consoleKindCount; ++c) {
        const Edition e{static_cast<Game>(g), static_cast<Language>(l), static_cast<ConsoleKind>(c)};
        table[rowOf(e)] = factsOf(e);
      }
    }
  }
  return table;
}

constexpr std::array<EditionFacts, rowCount> table = buildTable();

constexpr std::array<std::string_view, gameCount> gameKeys = {"Black", "White", "Black2", "White2"};
constexpr std::array<std::string_view, languageCount> languageKeys = {"JPN", "ENG", "GER", "FRA", "SPA", "ITA", "KOR"};
constexpr std::array<std::string_view, consoleKindCount> consoleKeys = {"DS", "DSLite", "DSi", "3DS"};

template <typename Enum, std::size_t N>
std::optional<Enum> fromKey(const std::array<std::string_view, N>& keys, std::string_view key) {
  const auto found = std::find(keys.begin(), keys.end(), key);
  if (found == keys.end()) return std::nullopt;
  return static_cast<Enum>(found - keys.begin());
}

}  // namespace

std::span<const EditionFacts> editionTable() { return table; }

const EditionFacts& editionFacts(const Edition& edition) { return table[rowOf(edition)]; }

std::string_view gameKey(Game game) { return gameKeys[static_cast<std::size_t>(game)]; }
std::string_view languageKey(Language language) { return languageKeys[static_cast<std::size_t>(language)]; }
std::string_view consoleKey(ConsoleKind console) { return consoleKeys[static_cast<std::size_t>(console)]; }
std::optional<Game> gameFromKey(std::string_view key) { return fromKey<Game>(gameKeys, key); }
std::optional<Language> languageFromKey(std::string_view key) { return fromKey<Language>(languageKeys, key); }
std::optional<ConsoleKind> consoleFromKey(std::string_view key) { return fromKey<ConsoleKind>(consoleKeys, key); }

}  // namespace hanabira
