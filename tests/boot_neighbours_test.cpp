// The boot moments around a hit: each neighbour shows what a search of that one moment
// writes, the aimed one the hit's lines; what the player saw finds the planted miss first.
#include "engine/boot_neighbours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <tuple>

#include "core/key_input.h"
#include "engine/observed_neighbours.h"
#include "evaluate/iv_draws.h"
#include "evaluate/reference_sequences.h"
#include "test_support.h"

namespace hanabira {
namespace {

// The lines of `result` at one boot moment of `settings` (its parameters and keys).
std::string linesAt(const std::string& result, const SearchSettings& settings, const BootMoment& moment) {
  const ResultText text(selectedMode(settings).columnsIn(settings.resultLanguage), settings.keyInputEnabled,
                        TextEncoding::Utf8, searchesParameterRanges(settings), settings.resultLanguage);
  std::string start, end;
  text.appendMoment(start, moment);
  text.appendLineEnd(end, 0, moment.keyMask);  // no column of advances: the seed is not read
  std::string lines;
  for (std::size_t at = result.find("\r\n") + 2; at < result.size();) {
    const std::size_t next = result.find("\r\n", at) + 2;
    const std::string_view line(result.data() + at, next - at);
    if (line.starts_with(start) && line.ends_with(end)) lines += line;
    at = next;
  }
  return lines;
}

// A search of one boot moment with the settings, its keys allowed: the same shape of lines
// (parameter columns where the settings have ranges), its lines there.
std::string oneMomentSearch(SearchSettings s, const BootMoment& at, bool parameterColumns) {
  s.startYear = s.endYear = at.year;
  s.startMonth = s.endMonth = at.month;
  s.startDay = s.endDay = at.day;
  s.startHour = s.endHour = at.hour;
  s.startMinute = s.endMinute = at.minute;
  s.startSecond = s.endSecond = at.second;
  s.vcount = at.vcount;
  s.timer0 = at.timer0;
  if (parameterColumns) s.vcountRange = ParameterRange{at.vcount, at.vcount + 1};
  for (int bit = 0; bit < keyMaskBits; ++bit) s.keyAllowed[bit] = (at.keyMask & (1 << bit)) == 0;  // those held
  s.keyCountMax.reset();
  SearchOptions options = testing::utf8();
  options.threads = 1;
  return linesAt(testing::fastResult(s, options), s, at);
}

std::string neighbourLines(const Neighbourhood& neighbourhood, const NeighbourBoot& boot) {
  std::string lines;
  for (const NeighbourRow& row : neighbourhood.rows) {
    if (row.boot.moment == boot.moment) lines += row.lines;
  }
  return lines;
}

NeighbourhoodRequest randomRequest(std::mt19937_64& random, SearchMode mode) {
  NeighbourhoodRequest request;
  SearchSettings& s = request.settings = testing::randomSettings(random, mode);
  if (random() % 3 == 0) {  // a search over ranges, whose lines name VCount and Timer0
    s.vcountRange = ParameterRange{s.vcount, s.vcount + static_cast<std::uint32_t>(random() % 2)};
    s.timer0Range = ParameterRange{s.timer0, s.timer0};
  }
  const std::vector<std::uint16_t> masks = searchedKeyMasks(s);
  request.aimed = {s.startYear,
                   s.startMonth,
                   s.startDay,
                   s.startHour,
                   s.startMinute,
                   s.startSecond,
                   0,
                   masks[random() % masks.size()],
                   searchedVcounts(s).max,
                   s.timer0};
  request.seconds = static_cast<int>(random() % 3);
  request.timer0s = static_cast<int>(random() % 2);
  request.vcounts = static_cast<int>(random() % 2);
  request.positions = static_cast<int>(random() % 3);
  request.keysOneAway = random() % 3 == 0;
  return request;
}

// For random settings of every mode: the aimed boot holds every line the search writes
// there, and each neighbour exactly what a search of it writes with the neighbourhood's
// settings.
TEST(BootNeighbours, EachNeighbourIsASearchOfItsMoment) {
  std::mt19937_64 random(26);
  std::size_t hitLines = 0;
  for (const SearchModeDefinition& mode : searchModes()) {
    for (int trial = 0; trial < 8; ++trial) {
      const NeighbourhoodRequest request = randomRequest(random, mode.mode);
      const bool parameterColumns = searchesParameterRanges(request.settings);
      const Neighbourhood neighbourhood = evaluateNeighbours(request, TextEncoding::Utf8);
      const std::vector<NeighbourBoot> boots = neighbourBoots(request);
      ASSERT_EQ(std::count_if(boots.begin(), boots.end(), [](const NeighbourBoot& b) { return b.isAimed(); }), 1);

      SearchSettings search = request.settings;
      search.keyInputEnabled = neighbourhoodSettings(request).keyInputEnabled;
      const std::string hits = oneMomentSearch(search, request.aimed, false);
      for (const NeighbourBoot& boot : boots) {
        if (boot.isAimed()) {
          std::size_t at = 0;
          for (std::size_t end; (end = hits.find("\r\n", at)) != std::string::npos; at = end + 2, ++hitLines) {
            EXPECT_NE(neighbourLines(neighbourhood, boot).find(hits.substr(at, end + 2 - at)), std::string::npos)
                << mode.name << " trial " << trial;
          }
        }
        ASSERT_EQ(neighbourLines(neighbourhood, boot),
                  oneMomentSearch(neighbourhoodSettings(request), boot.moment, parameterColumns))
            << mode.name << " trial " << trial << " " << boot.secondsOff << "s " << boot.timer0Off << " "
            << boot.vcountOff << " keys " << boot.moment.keyMask;
      }
    }
  }
  EXPECT_GT(hitLines, 3u);
}

// A White 2 with key input, aimed at 2012-10-07 12:34:56 with A held.
NeighbourhoodRequest plantedRequest() {
  NeighbourhoodRequest request;
  SearchSettings& s = request.settings;
  s.edition = Edition{Game::White2, Language::English, ConsoleKind::DsLite};
  s.vcount = 0x82;
  s.timer0 = 0x10F3;
  s.gxStat = 0x06000000;
  s.frame = 6;
  applyMacAddress(s, {0x00, 0x09, 0xBF, 0x12, 0x34, 0x56});
  s.keyInputEnabled = true;
  s.ivConsumptionMin = s.ivConsumptionMax = 2;
  request.aimed = {12, 10, 7, 12, 34, 56, 0, noKeysHeld & ~1, s.vcount, s.timer0};
  request.keysOneAway = true;
  return request;
}

// What the player saw at a missed boot: the values drawn there, each exact.
ObservedIvs valuesAt(const NeighbourhoodRequest& request, const NeighbourBoot& miss, int position) {
  SearchSettings boot = request.settings;
  boot.vcount = miss.moment.vcount;
  boot.timer0 = miss.moment.timer0;
  const InitialSeed seed = computeInitialSeed(boot, miss.moment);
  const IvSet ivs = drawIvs(plainIvSequence(seed, static_cast<std::size_t>(position) + 7).data() + position, false);
  ObservedIvs observed;
  for (std::size_t k = 0; k < 6; ++k) observed.min[k] = observed.max[k] = ivs[k];
  return observed;
}

// Misses a player makes: a second or two late or early, the next Timer0 or VCount, a key
// more or one fewer. The values seen there find that boot first.
// A neighbourhood is held whole: one too large is refused by the first width that can
// bring it within bounds, told as the largest that does.
TEST(BootNeighbours, ANeighbourhoodTooLargeToHoldIsRefusedWithTheWidthThatFits) {
  std::mt19937_64 random(7);
  NeighbourhoodRequest request = randomRequest(random, SearchMode::IvSearch);
  request.keysOneAway = false;
  request.settings.ivConsumptionMin = request.settings.ivConsumptionMax = 150;
  request.seconds = maxNeighbourSeconds;
  request.timer0s = request.vcounts = maxNeighbourParameters;
  request.positions = maxNeighbourPositions;  // 121 x 33 x 33 boots at 201 positions
  const std::optional<SettingsProblem> problem = findNeighbourhoodProblem(request);
  ASSERT_TRUE(problem.has_value());
  EXPECT_EQ(problem->field, "seconds");
  EXPECT_EQ(problem->high, 8);  // 17 x 1089 x 201 lines fit, 19 x 1089 x 201 do not
  request.seconds = problem->high;
  EXPECT_FALSE(findNeighbourhoodProblem(request).has_value());
}

TEST(BootNeighbours, WhatThePlayerSawFindsThePlantedMissFirst) {
  const NeighbourhoodRequest request = plantedRequest();
  const Neighbourhood neighbourhood = evaluateNeighbours(request, TextEncoding::Utf8);
  const struct {
    int seconds, timer0, vcount, keyMask;
  } misses[] = {
      {1, 0, 0, noKeysHeld & ~1},
      {-1, 0, 0, noKeysHeld & ~1},
      {2, 0, 0, noKeysHeld & ~1},
      {-2, 0, 0, noKeysHeld & ~1},
      {0, 1, 0, noKeysHeld & ~1},
      {0, -1, 0, noKeysHeld & ~1},
      {0, 0, 1, noKeysHeld & ~1},
      {0, 0, -1, noKeysHeld & ~1},
      {0, 0, 0, noKeysHeld},
      {0, 0, 0, noKeysHeld & ~3},
      {1, 1, 0, noKeysHeld & ~(1 | 1 << 9)},
  };
  for (const auto& planted : misses) {
    for (const int position : {0, 2, 4}) {
      std::size_t row = 0;
      while (!(neighbourhood.rows[row].boot.secondsOff == planted.seconds &&
               neighbourhood.rows[row].boot.timer0Off == planted.timer0 &&
               neighbourhood.rows[row].boot.vcountOff == planted.vcount &&
               neighbourhood.rows[row].boot.moment.keyMask == planted.keyMask &&
               neighbourhood.rows[row].ivPosition == position)) {
        ++row;
      }
      const ObservedIvs seen = valuesAt(request, neighbourhood.rows[row].boot, position);
      const std::vector<std::size_t> found = rowsWithObservedIvs(request, neighbourhood, seen);
      ASSERT_FALSE(found.empty());
      EXPECT_EQ(found[0], row) << planted.seconds << "s " << planted.timer0 << " " << planted.vcount << " keys "
                               << planted.keyMask << " position " << position;
    }
  }
}

// Values that every boot gives: all of them, nearest first.
TEST(BootNeighbours, AnyValuesListTheNearestBootsFirst) {
  const NeighbourhoodRequest request = plantedRequest();
  const Neighbourhood neighbourhood = evaluateNeighbours(request, TextEncoding::Utf8);
  const std::vector<std::size_t> found = rowsWithObservedIvs(request, neighbourhood, ObservedIvs{});
  ASSERT_EQ(found.size(), neighbourhood.rows.size());
  const auto distance = [&](std::size_t row) {
    const NeighbourBoot& b = neighbourhood.rows[row].boot;
    return std::tuple(std::abs(b.secondsOff), std::abs(b.timer0Off) + std::abs(b.vcountOff), b.keysChanged);
  };
  EXPECT_TRUE(neighbourhood.rows[found[0]].boot.isAimed());
  for (std::size_t i = 1; i < found.size(); ++i) EXPECT_LE(distance(found[i - 1]), distance(found[i])) << i;
}

// The field of a UTF-8 line at a column.
std::string_view field(std::string_view line, int column) {
  for (; column > 0; --column) line.remove_prefix(line.find(',') + 1);
  return line.substr(0, line.find(','));
}

// A nature or shininess seen picks the lines by the mode's own tests, nearest first; seen
// and not seen split the lines between them.
TEST(BootNeighbours, ANatureOrShininessSeenPicksTheLinesOfTheModesTests) {
  std::mt19937_64 random(5);
  NeighbourhoodRequest request = randomRequest(random, SearchMode::DeliverymanSearch);
  request.settings.resultLanguage = ResultLanguage::English;
  request.settings.vcountRange.reset();
  request.settings.deliveryNature = 4;  // Adamant: the neighbourhood shows every nature
  request.settings.pidConsumptionMin = 10;
  request.settings.pidConsumptionMax = 20;
  request.seconds = 2;
  request.timer0s = request.vcounts = 1;
  const Neighbourhood neighbourhood = evaluateNeighbours(request, TextEncoding::Utf8);
  const std::size_t lines = linesOf(neighbourhood).size();
  ASSERT_GT(lines, 400u);

  const ObservedLines adamant = sortByObservation(request, neighbourhood, {.nature = 3});
  ASSERT_FALSE(adamant.agreeing.empty());
  EXPECT_EQ(adamant.agreeing.size() + adamant.others.size(), lines);
  for (const NeighbourLine& line : adamant.agreeing) EXPECT_EQ(field(textOf(neighbourhood, line), 7), "Adamant");
  for (const NeighbourLine& line : adamant.others) EXPECT_NE(field(textOf(neighbourhood, line), 7), "Adamant");
  const auto distance = [&](const NeighbourLine& line) {
    const NeighbourBoot& b = neighbourhood.rows[line.row].boot;
    return std::tuple(std::abs(b.secondsOff), std::abs(b.timer0Off) + std::abs(b.vcountOff), b.keysChanged);
  };
  for (std::size_t i = 1; i < adamant.agreeing.size(); ++i) {
    EXPECT_LE(distance(adamant.agreeing[i - 1]), distance(adamant.agreeing[i]));
  }

  const ObservedLines shiny = sortByObservation(request, neighbourhood, {.shiny = true});
  const ObservedLines plain = sortByObservation(request, neighbourhood, {.shiny = false});
  EXPECT_EQ(shiny.agreeing.size(), plain.others.size());
  EXPECT_EQ(shiny.others.size(), plain.agreeing.size());
  EXPECT_LT(shiny.agreeing.size(), plain.agreeing.size());  // shiny ones are rare
  EXPECT_THROW(sortByObservation(request, neighbourhood, {.ivs = ObservedIvs{}}), std::invalid_argument);
}

}  // namespace
}  // namespace hanabira
