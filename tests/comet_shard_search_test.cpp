#include "evaluate/comet_shard_search.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "core/lcg64.h"
#include "test_support.h"

namespace hanabira {
namespace {

// The smallest value that scaledRandom turns into `roll` of n.
constexpr std::uint32_t valueFor(std::uint32_t roll, std::uint32_t n) {
  return static_cast<std::uint32_t>(((std::uint64_t{roll} << 32) + n - 1) / n);
}

// Eleven values from a position's first test on, each test given its roll.
std::array<std::uint32_t, 11> rolls(std::uint32_t test1, std::uint32_t test2, std::uint32_t test3, std::uint32_t test4,
                                    std::uint32_t test5) {
  std::array<std::uint32_t, 11> values{};
  values[0] = valueFor(test1, 100);
  values[1] = valueFor(test2, 1600);
  values[3] = valueFor(test3, 1600);
  values[7] = valueFor(test4, 100);
  values[10] = valueFor(test5, 100);
  return values;
}

bool found(const std::array<std::uint32_t, 11>& values, bool compoundEyes) {
  return cometShardFound(values.data(), compoundEyes);
}

TEST(CometShard, BoundsOfEveryTest) {
  EXPECT_TRUE(found(rolls(0, 0, 0, 80, 80), true));
  EXPECT_TRUE(found(rolls(39, 320, 1280, 84, 84), true));
  EXPECT_FALSE(found(rolls(40, 320, 320, 80, 80), true));
  for (std::uint32_t roll : {320u, 641u, 800u, 961u, 1280u}) {
    EXPECT_TRUE(found(rolls(0, roll, 0, 80, 80), true)) << roll;
    EXPECT_TRUE(found(rolls(0, 0, roll, 80, 80), true)) << roll;
  }
  for (std::uint32_t roll : {321u, 640u, 801u, 960u, 1281u, 1599u}) {
    EXPECT_FALSE(found(rolls(0, roll, 0, 80, 80), true)) << roll;
    EXPECT_FALSE(found(rolls(0, 0, roll, 80, 80), true)) << roll;
  }
  for (std::uint32_t roll : {79u, 85u, 55u}) {
    EXPECT_FALSE(found(rolls(0, 0, 0, roll, 80), true)) << roll;
    EXPECT_FALSE(found(rolls(0, 0, 0, 80, roll), true)) << roll;
  }
}

TEST(CometShard, WithoutCompoundEyesTheLastTestsWantExactly55) {
  EXPECT_TRUE(found(rolls(39, 0, 0, 55, 55), false));
  EXPECT_FALSE(found(rolls(39, 0, 0, 80, 80), false));
  EXPECT_FALSE(found(rolls(39, 0, 0, 54, 55), false));
  EXPECT_FALSE(found(rolls(39, 0, 0, 55, 56), false));
}

TEST(CometShardSearch, WithoutCompoundEyesEveryTestReadsOnePositionLater) {
  std::mt19937_64 random(6);
  SearchSettings settings;
  settings.cometShardSearch = true;
  settings.pidConsumptionMin = 40;
  settings.pidConsumptionMax = 60;
  const SearchCursor moment{11, 9, 27, 13, 47, 35, 2, noKeysHeld};
  for (bool compoundEyes : {true, false}) {
    settings.compoundEyes = compoundEyes;
    // The tests pass from R[51] on: position 51 with compound eyes, 50 without.
    const InitialSeed seed = testing::cometShardSeedAt(51, compoundEyes, random);
    const auto both = testing::evaluateBothWays(settings, moment, seed);
    EXPECT_EQ(both.fast, both.reference);
    const std::string expected = fmt::format("11,9,27,13,47,35,{},{:016X}\r\n", compoundEyes ? 51 : 50, seed);
    EXPECT_NE(both.fast.find(expected), std::string::npos) << both.fast;
  }
}

}  // namespace
}  // namespace hanabira
