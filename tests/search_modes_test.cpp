// Every search mode end to end: the fast engine against the plain reference search.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "engine/search_engine.h"
#include "test_support.h"
#include "vocab/cp932.h"

namespace hanabira {
namespace {

using testing::fastResult;
using testing::referenceResult;
using testing::utf8;

std::size_t lineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class EveryMode : public ::testing::TestWithParam<SearchMode> {};

// Every kernel level, thread count and cut of the moments into chunks writes the bytes
// of the reference search.
TEST_P(EveryMode, FastSearchWritesTheReferenceBytes) {
  std::mt19937_64 random(100 + static_cast<int>(GetParam()));
  constexpr std::array<unsigned, 4> threadCounts = {1, 2, 3, 8};
  std::size_t lines = 0;
  for (int trial = 0; trial < 80; ++trial) {
    const SearchSettings settings = testing::randomSettings(random, GetParam());
    ASSERT_EQ(selectSearchMode(settings), GetParam());
    const std::string reference = referenceResult(settings);
    for (Isa isa : supportedIsas()) {
      SearchOptions options;
      options.isa = isa;
      options.threads = threadCounts[static_cast<std::size_t>(trial) % threadCounts.size()];
      options.chunkMoments = 1 + random() % 700;  // batches cut at odd places, chunks overtaking each other
      ASSERT_EQ(fastResult(settings, options), reference)
          << "trial " << trial << ", " << isaName(isa) << ", " << options.threads << " threads, chunks of "
          << options.chunkMoments;
    }
    lines += lineCount(reference) - 1;
  }
  EXPECT_GT(lines, 0u);
}

std::string modeName(const ::testing::TestParamInfo<SearchMode>& mode) {
  constexpr std::array<const char*, 6> names = {"IvSearch",          "ShinyPidSearch",   "InheritanceSearch",
                                                "DeliverymanSearch", "CometShardSearch", "DomeSearch"};
  return names[static_cast<std::size_t>(mode.param)];
}

INSTANTIATE_TEST_SUITE_P(SearchModes, EveryMode,
                         ::testing::Values(SearchMode::IvSearch, SearchMode::ShinyPidSearch,
                                           SearchMode::InheritanceSearch, SearchMode::DeliverymanSearch,
                                           SearchMode::CometShardSearch, SearchMode::DomeSearch),
                         modeName);

TEST(SearchModes, TheModeOfHighestPriorityWritesHeaderAndLines) {
  SearchSettings settings = testing::workedExampleSettings();
  settings.keyInputEnabled = true;
  settings.startSecond = 34;
  settings.pidConsumptionMin = 0;
  settings.pidConsumptionMax = 3;
  settings.domeSearch = true;
  settings.deliverymanSearch = true;
  const std::string dome = fastResult(settings, utf8());
  EXPECT_TRUE(dome.starts_with("年,月,日,時,分,秒,性格値乱数消費下限,上限,初期seed,キー入力\r\n"));
  EXPECT_NE(dome.find("\r\n11,9,27,13,47,35,0,0,9D76553EC8C0FA7A,A\r\n"), std::string::npos);

  settings.domeSearch = false;
  settings.inheritanceSearch = true;
  settings.shinyPidSearch = true;
  settings.deliveryNaturePosition = 10;
  const std::string delivery = fastResult(settings, utf8());
  EXPECT_TRUE(
      delivery.starts_with("年,月,日,時,分,秒,性格値乱数消費,性格,H,A,B,C,D,S,めざパ,威力,初期seed,キー入力\r\n"));
  EXPECT_NE(delivery.find("\r\n11,9,27,13,47,35,0,わんぱく　,19,21,30,15,18,26,いわ,68,9D76553EC8C0FA7A,A\r\n"),
            std::string::npos);
  // The nature names reach the file as CP932, ideographic spaces included.
  EXPECT_EQ(fastResult(settings), utf8ToCp932(delivery));
  EXPECT_NE(fastResult(settings).find("\x82\xed\x82\xf1\x82\xcf\x82\xad\x81\x40,"), std::string::npos);

  // Inheritance with the shiny filter keeps the inheritance layout.
  settings.deliverymanSearch = false;
  settings.eggNature = -1;
  settings.trainerId = 0xD40C ^ 0xED8E;  // the egg at 0 has PID D40CED8E
  const std::string eggs = fastResult(settings, utf8());
  EXPECT_TRUE(eggs.starts_with(
      "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,初期seed,性格値乱数消費,遺伝1,遺伝2,遺伝3,性別,特性,キー入力\r\n"));
  EXPECT_NE(eggs.find("\r\n11,9,27,13,47,35,7,4,21,9,26,18,11,9D76553EC8C0FA7A,0,B-後,S-先,D-先,142,1,A\r\n"),
            std::string::npos);
  EXPECT_LT(lineCount(eggs), 10u);  // the shiny filter applies
  EXPECT_EQ(eggs, referenceResult(settings, utf8()));
}

}  // namespace
}  // namespace hanabira
