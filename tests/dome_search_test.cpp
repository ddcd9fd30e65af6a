#include "evaluate/dome_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "core/kernels.h"
#include "test_support.h"

namespace hanabira {
namespace {

using testing::evaluateBothWays;

// Values that make draw k pick entry index[k] of the list of trainers left.
std::array<std::uint32_t, 6> drawing(const std::array<std::uint32_t, 6>& index) {
  std::array<std::uint32_t, 6> values{};
  for (std::uint32_t k = 0; k < 6; ++k) {
    values[k] = static_cast<std::uint32_t>(((std::uint64_t{index[k]} << 32) + (52 - k) - 1) / (52 - k));
  }
  return values;
}

// Through the plain level's draw kernel, on one seed's values at one position.
bool drawsAll(const std::array<std::uint32_t, 6>& values, std::initializer_list<int> trainers) {
  SearchSettings settings;  // every box "any"
  std::transform(trainers.begin(), trainers.end(), settings.domeTrainers.begin(),
                 [](int trainer) { return trainer + 1; });  // -1 for "any"
  const DomeWanted wanted = domeWantedTrainers(settings);
  const DrawScan scan{1, domeListSize, domeDrawCount, wanted.trainers.data(), wanted.count};
  std::uint64_t matches[4];
  kernelsFor(Isa::Scalar).scanDraws(values.data(), 1, scan, matches);
  return (matches[0] & 1) != 0;
}

TEST(DomeDraw, TrainersAreDrawnWithoutReplacement) {
  EXPECT_TRUE(drawsAll(drawing({0, 0, 0, 0, 0, 0}), {0, 1, 2, 3, 4, 5}));
  EXPECT_FALSE(drawsAll(drawing({0, 0, 0, 0, 0, 0}), {6}));
  // The last entry of a list of 52, then of 51, ... 47.
  EXPECT_TRUE(drawsAll(drawing({51, 50, 49, 48, 47, 46}), {51, 50, 49, 48, 47, 46}));
  EXPECT_FALSE(drawsAll(drawing({51, 50, 49, 48, 47, 46}), {45}));
  // Entries after a drawn one move down: index 1 after drawing 1 is trainer 2, and so on
  // to {1, 2, 3, 0, 51, 7}.
  const auto mixed = drawing({1, 1, 1, 0, 47, 3});
  EXPECT_TRUE(drawsAll(mixed, {7, 0, 51, 3, 2, 1}));
  EXPECT_TRUE(drawsAll(mixed, {51, 51, -1, 7, -1, -1}));  // named twice, "any" between
  EXPECT_TRUE(drawsAll(mixed, {}));
  EXPECT_FALSE(drawsAll(mixed, {4}));
  EXPECT_FALSE(drawsAll(mixed, {1, 2, 3, 0, 51, 6}));
  // Whatever the values, exactly six of the 52 trainers are drawn.
  std::mt19937_64 random(8);
  for (int trial = 0; trial < 2000; ++trial) {
    std::array<std::uint32_t, 6> values;
    for (auto& value : values) value = static_cast<std::uint32_t>(random());
    int drawn = 0;
    for (int trainer = 0; trainer < domeListSize; ++trainer) drawn += drawsAll(values, {trainer});
    ASSERT_EQ(drawn, 6);
  }
}

// The positions completing a range, for matches of one seed (the last of a batch) at the
// given positions from 0 on.
std::vector<int> completed(int slack, const std::vector<bool>& matches) {
  std::vector<std::uint64_t> words(4 * matches.size(), 0);
  for (std::size_t i = 0; i < matches.size(); ++i) words[4 * i + 3] = matches[i] ? std::uint64_t{1} << 63 : 0;
  std::vector<RangeHit> ends(matches.size());
  std::vector<int> uppers;
  for (std::size_t e = 0, count = domeLineEnds(words, slack, ends.data()); e < count; ++e) {
    EXPECT_TRUE(ends[e].has(255));
    uppers.push_back(ends[e].position);
  }
  return uppers;
}

TEST(DomeLineEnds, RangesOfSlackPlusOnePositions) {
  // Matches at 10 to 13: ranges (10, 12) and (11, 13).
  std::vector<bool> matches(16, false);
  for (int i : {10, 11, 12, 13}) matches[static_cast<std::size_t>(i)] = true;
  EXPECT_EQ(completed(2, matches), (std::vector<int>{12, 13}));
  EXPECT_EQ(completed(0, matches), (std::vector<int>{10, 11, 12, 13}));
  // A gap restarts the count: 10, 11, 13, 14, 15 gives (13, 15) only.
  matches[12] = false;
  matches[14] = matches[15] = true;
  EXPECT_EQ(completed(2, matches), (std::vector<int>{15}));
  EXPECT_EQ(completed(-1, std::vector<bool>(8, true)), (std::vector<int>{}));
  EXPECT_EQ(completed(5, std::vector<bool>(5, true)), (std::vector<int>{}));
}

// The worked example's seed draws trainers {31, 35, 49, 22, 28, 43} at position 0,
// {35, 49, 23, 28, 43, 4} at 1 and {49, 23, 29, 43, 4, 41} at 2.
using testing::workedMoment;
using testing::workedSeed;

std::string domeLines(const std::array<int, 6>& trainers, int slack, int last = 2) {
  SearchSettings settings;
  settings.domeSearch = true;
  settings.domeTrainers = trainers;
  settings.domeConsumptionSlack = slack;
  settings.pidConsumptionMin = 0;
  settings.pidConsumptionMax = last;
  const auto both = evaluateBothWays(settings, workedMoment, workedSeed);
  EXPECT_EQ(both.fast, both.reference);
  return both.fast;
}

TEST(DomeSearch, WantedTrainersAndSlack) {
  const std::string moment = "11,9,27,13,47,35,";
  const std::string seed = ",9D76553EC8C0FA7A\r\n";
  // Trainer ids 35 and 49 are chosen as 36 and 50; both are drawn at 0 and 1.
  EXPECT_EQ(domeLines({36, 50, 0, 0, 0, 0}, 0), moment + "0,0" + seed + moment + "1,1" + seed);
  EXPECT_EQ(domeLines({36, 50, 0, 0, 0, 0}, 1), moment + "0,1" + seed);
  EXPECT_EQ(domeLines({44, 0, 50, 0, 44, 0}, 2), moment + "0,2" + seed);  // a trainer named twice
  EXPECT_EQ(domeLines({32, 0, 0, 0, 0, 0}, 0), moment + "0,0" + seed);
  EXPECT_EQ(domeLines({32, 36, 24, 0, 0, 0}, 0), "");
  // No trainer wanted: every position matches.
  EXPECT_EQ(domeLines({0, 0, 0, 0, 0, 0}, 0, 1), moment + "0,0" + seed + moment + "1,1" + seed);
  EXPECT_EQ(domeLines({0, 0, 0, 0, 0, 0}, -1, 1), "");
}

}  // namespace
}  // namespace hanabira
