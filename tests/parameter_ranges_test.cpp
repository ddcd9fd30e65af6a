// Searches over ranges of VCount and Timer0: every value of both, in the order date,
// VCount, Timer0, time, keys, and each line naming the two values.
#include <gtest/gtest.h>

#include <fmt/format.h>

#include <array>
#include <random>
#include <string>

#include "core/kernel_levels.h"
#include "engine/boot_moment_space.h"
#include "engine/search_engine.h"
#include "evaluate/search_modes.h"
#include "test_support.h"

namespace hanabira {
namespace {

std::string body(const std::string& result) { return result.substr(result.find('\n') + 1); }

// The lines after the header, each with "vcount,timer0," put in after the seconds.
std::string withParameterColumns(const std::string& result, std::uint32_t vcount, std::uint32_t timer0) {
  std::string lines;
  std::size_t start = result.find('\n') + 1;
  while (start < result.size()) {
    const std::size_t end = result.find('\n', start) + 1;
    std::string line = result.substr(start, end - start);
    std::size_t afterSeconds = 0;
    for (int comma = 0; comma < 6; ++comma) afterSeconds = line.find(',', afterSeconds) + 1;
    lines += line.insert(afterSeconds, fmt::format("{:X},{:X},", vcount, timer0));
    start = end;
  }
  return lines;
}

// Small ranges, of one value now and then, somewhere in their 16 bits.
void drawRanges(std::mt19937_64& random, SearchSettings& s) {
  const auto start = [&](std::uint32_t highest) { return static_cast<std::uint32_t>(random() % (highest + 1)); };
  const std::uint32_t vcount = start(0x1FF);
  const std::uint32_t timer0 = start(0xFFFD);
  s.vcountRange = ParameterRange{vcount, vcount + static_cast<std::uint32_t>(random() % 3)};
  s.timer0Range = ParameterRange{timer0, timer0 + static_cast<std::uint32_t>(random() % 3)};
  s.keyInputEnabled = s.keyInputEnabled && random() % 2 == 0;  // the reference runs every pair
}

class RangesInEveryMode : public ::testing::TestWithParam<SearchMode> {};

// The file is the single-value searches' lines one after the other (date by date, then
// VCount, then Timer0) with the columns added; every level, thread count and cut of
// the moments into chunks writes it, and so does the reference.
TEST_P(RangesInEveryMode, WriteTheLinesOfTheSingleValueSearches) {
  std::mt19937_64 random(300 + static_cast<int>(GetParam()));
  constexpr std::array<unsigned, 3> threadCounts = {1, 3, 8};
  std::size_t lines = 0;
  for (int trial = 0; trial < 40; ++trial) {
    SearchSettings settings = testing::randomSettings(random, GetParam());
    drawRanges(random, settings);
    const std::string reference = testing::referenceResult(settings, testing::utf8());

    const BootMomentSpace space(settings);
    const bool columns = searchesParameterRanges(settings);
    std::string expected;
    for (int day = 0; day < space.dayCount(); ++day) {
      SearchSettings single = settings;
      const Date date = space.dateAt(day);
      single.startYear = single.endYear = date.year;
      single.startMonth = single.endMonth = date.month;
      single.startDay = single.endDay = date.day;
      single.vcountRange.reset();
      single.timer0Range.reset();
      for (std::uint32_t v = settings.vcountRange->min; v <= settings.vcountRange->max; ++v) {
        for (std::uint32_t t = settings.timer0Range->min; t <= settings.timer0Range->max; ++t) {
          single.vcount = v;
          single.timer0 = t;
          const std::string result = testing::fastResult(single, testing::utf8());
          expected += columns ? withParameterColumns(result, v, t) : body(result);
        }
      }
    }
    ASSERT_EQ(body(reference), expected) << "trial " << trial;
    EXPECT_EQ(reference.find(",秒,VCount,Timer0,") != std::string::npos, columns);

    for (Isa isa : supportedIsas()) {
      SearchOptions options = testing::utf8();
      options.isa = isa;
      options.threads = testing::testThreads(threadCounts[static_cast<std::size_t>(trial) % threadCounts.size()]);
      options.chunkMoments = 1 + random() % 500;
      ASSERT_EQ(testing::fastResult(settings, options), reference)
          << "trial " << trial << ", " << isaName(isa) << ", " << options.threads << " threads";
    }
    lines += static_cast<std::size_t>(std::count(reference.begin(), reference.end(), '\n')) - 1;
  }
  EXPECT_GT(lines, 0u);
}

std::vector<SearchMode> everyMode() {
  std::vector<SearchMode> modes;
  for (const SearchModeDefinition& definition : searchModes()) modes.push_back(definition.mode);
  return modes;
}

INSTANTIATE_TEST_SUITE_P(SearchModes, RangesInEveryMode, ::testing::ValuesIn(everyMode()), [](const auto& mode) {
  return std::string(definitionOf(mode.param).name) == "comet-shard" ? std::string("cometShard")
                                                                     : std::string(definitionOf(mode.param).name);
});

TEST(ParameterRanges, TheWorkedExampleAmongItsNeighbours) {
  SearchSettings settings = testing::workedExampleSettings();
  settings.keyInputEnabled = true;
  settings.vcountRange = ParameterRange{0x5F, 0x60};
  settings.timer0Range = ParameterRange{0xC78, 0xC7A};
  const std::string result = testing::fastResult(settings, testing::utf8());
  EXPECT_TRUE(
      result.starts_with("年,月,日,時,分,秒,VCount,Timer0,消費数,H,A,B,C,D,S,めざパ,威力,初期seed,キー入力\r\n"));
  EXPECT_NE(result.find("\r\n11,9,27,13,47,35,60,C79,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,A\r\n"),
            std::string::npos);

  // Ranges of one value are today's single values, columns and all.
  settings.vcountRange = ParameterRange{0x60, 0x60};
  settings.timer0Range = ParameterRange{0xC79, 0xC79};
  settings.vcount = settings.timer0 = 0;
  SearchSettings single = testing::workedExampleSettings();
  single.keyInputEnabled = true;
  EXPECT_EQ(testing::fastResult(settings), testing::fastResult(single));
}

}  // namespace
}  // namespace hanabira
