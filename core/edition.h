// The editions of the games and the consoles they run on. Editions differ in the boot
// message only in words W0 to W4; consoles differ in Frame, GxStat, the afternoon flag
// of the clock, and the VCount and Timer0 their players usually find. Each fact of the
// table carries how sure it is, so that the program can say which results to doubt.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/parameter_range.h"

namespace hanabira {

enum class Game { Black, White, Black2, White2 };
enum class Language { Japanese, English, German, French, Spanish, Italian, Korean };
enum class ConsoleKind { Ds, DsLite, Dsi, ThreeDs };

inline constexpr int gameCount = 4;
inline constexpr int languageCount = 7;
inline constexpr int consoleKindCount = 4;

struct Edition {
  Game game;
  Language language;
  ConsoleKind console;

  friend bool operator==(const Edition&, const Edition&) = default;
};

// How a value is known. Only Confirmed values are agreed on and measured.
enum class Certainty {
  Confirmed,
  Disputed,     // sources disagree
  Unconfirmed,  // agreed on, but descends from one table never measured on a console
  Placeholder,  // copied from another edition for want of a value
  Inferred,     // reasoned from the other consoles, not measured
  Reported,     // what players report, loosely
};

using EditionWords = std::array<std::uint32_t, 5>;  // W0 to W4, before the byte swap

struct EditionFacts {
  Edition edition;
  EditionWords words;
  Certainty wordsCertainty;
  int frame;
  Certainty frameCertainty;
  std::uint32_t gxStat;
  ParameterRange typicalVcounts;
  ParameterRange typicalTimer0s;
  Certainty typicalRangesCertainty;
};

// One row per edition and console kind: games, then languages, then consoles, in the
// order of their enumerations.
std::span<const EditionFacts> editionTable();
const EditionFacts& editionFacts(const Edition& edition);

// Black and White's five words from the version word N: N, N + 0xFC twice, N + 0x148 twice.
constexpr EditionWords versionWordWords(std::uint32_t n) { return {n, n + 0xFC, n + 0xFC, n + 0x148, n + 0x148}; }

// Black 2 and White 2 follow the rules of Black and White where a mode models them only
// for those games (the deliveryman, the comet shard, the dome).
constexpr bool isSequel(Game game) { return game == Game::Black2 || game == Game::White2; }

// The 3DS clock never sets the afternoon flag of the hour; the DSi's does.
constexpr bool dropsAfternoonFlag(ConsoleKind console) { return console == ConsoleKind::ThreeDs; }

// The names of the settings file: "Black2", "ENG", "DSLite", ...
std::string_view gameKey(Game game);
std::string_view languageKey(Language language);
std::string_view consoleKey(ConsoleKind console);
std::optional<Game> gameFromKey(std::string_view key);
std::optional<Language> languageFromKey(std::string_view key);
std::optional<ConsoleKind> consoleFromKey(std::string_view key);

}  // namespace hanabira
