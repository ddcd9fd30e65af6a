// The result's optional choices: the players' numbering of IV positions and the column of
// the game's own advances change only what they name, alike on the fast and the
// reference path.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "evaluate/game_advances.h"
#include "evaluate/result_text.h"
#include "test_support.h"

namespace hanabira {
namespace {

using testing::fastResult;
using testing::randomSettings;
using testing::referenceResult;
using testing::utf8;

std::vector<std::string> split(std::string_view text, std::string_view separator) {
  std::vector<std::string> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    parts.emplace_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + separator.size();
  }
}

// Each line's fields, the header's first; the empty piece after the last CR LF dropped.
std::vector<std::vector<std::string>> fieldsOf(const std::string& result) {
  std::vector<std::vector<std::string>> lines;
  for (const std::string& line : split(result, "\r\n")) {
    if (!line.empty()) lines.push_back(split(line, ","));
  }
  return lines;
}

std::size_t columnOf(const std::vector<std::string>& header, std::string_view name) {
  return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
}

SearchSettings withGame(SearchSettings settings, Game game) {
  settings.edition = Edition{game, Language::Japanese, ConsoleKind::Ds};
  settings.is3ds = false;
  return settings;
}

constexpr Game games[] = {Game::Black, Game::White, Game::Black2, Game::White2};

// A Black 2 or White 2 search in the players' numbering lists every IV position 2 lower
// and nothing else changes; for Black and White the two files are the same.
TEST(ResultColumns, PlayersNumberingMovesOnlyTheIvPositions) {
  std::mt19937_64 random(27);
  std::size_t linesCompared = 0;
  for (int round = 0; round < 12; ++round) {
    const SearchMode mode = std::array{SearchMode::IvSearch, SearchMode::ShinyPidSearch,
                                       SearchMode::InheritanceSearch}[static_cast<std::size_t>(round % 3)];
    const Game game = games[static_cast<std::size_t>(round % 4)];
    SearchSettings settings = withGame(randomSettings(random, mode), game);
    const auto ours = fieldsOf(fastResult(settings, utf8()));
    settings.ivNumbering = IvNumbering::Players;
    const std::string players = fastResult(settings, utf8());
    EXPECT_EQ(referenceResult(settings, utf8()), players);
    const auto theirs = fieldsOf(players);

    ASSERT_EQ(ours.size(), theirs.size());
    const std::size_t column = std::min(columnOf(ours[0], "消費数"), columnOf(ours[0], "個体値乱数消費"));
    ASSERT_LT(column, ours[0].size());
    const int shift = isSequel(game) ? 2 : 0;
    for (std::size_t i = 1; i < ours.size(); ++i) {
      std::vector<std::string> expected = ours[i];
      expected[column] = std::to_string(std::stoi(expected[column]) - shift);
      EXPECT_EQ(theirs[i], expected);
    }
    EXPECT_EQ(theirs[0], ours[0]);
    linesCompared += ours.size() - 1;
  }
  EXPECT_GT(linesCompared, 50u);
}

// With the column, every line has the header's number of fields, and the line without it
// gains the game's own advances from the line's seed just before the keys.
TEST(ResultColumns, InitialAdvancesAreTheGamesCountForEachLinesSeed) {
  std::mt19937_64 random(2027);
  std::size_t linesCompared = 0;
  for (const SearchModeDefinition& mode : searchModes()) {
    for (int round = 0; round < 3; ++round) {
      const Game game = games[static_cast<std::size_t>(random() % 4)];
      SearchSettings settings = withGame(randomSettings(random, mode.mode), game);
      settings.memoryLink = random() % 2 == 0;
      if (round == 2) settings.resultLanguage = ResultLanguage::English;
      const auto without = fieldsOf(fastResult(settings, utf8()));
      settings.initialAdvances = true;
      const std::string result = fastResult(settings, utf8());
      EXPECT_EQ(referenceResult(settings, utf8()), result);
      const auto with = fieldsOf(result);

      ASSERT_EQ(with.size(), without.size());
      const std::size_t added = without[0].size() - (settings.keyInputEnabled ? 1 : 0);
      std::vector<std::string> header = without[0];
      const bool english = settings.resultLanguage == ResultLanguage::English;
      header.insert(header.begin() + static_cast<std::ptrdiff_t>(added), english ? "Initial advances" : "初期消費");
      EXPECT_EQ(with[0], header);
      const std::size_t seedColumn = columnOf(header, english ? "Initial seed" : "初期seed");
      ASSERT_LT(seedColumn, header.size());
      for (std::size_t i = 1; i < with.size(); ++i) {
        ASSERT_EQ(with[i].size(), header.size());
        std::vector<std::string> expected = without[i];
        const InitialSeed seed = std::stoull(expected[seedColumn], nullptr, 16);
        expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(added),
                        std::to_string(gameAdvances(game, settings.memoryLink, seed)));
        EXPECT_EQ(with[i], expected);
      }
      linesCompared += with.size() - 1;
    }
  }
  EXPECT_GT(linesCompared, 20u);
}

}  // namespace
}  // namespace hanabira
