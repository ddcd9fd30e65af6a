#include "evaluate/comet_shard_search.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
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

// What a backend testing each position on its own applies: every range test of the
// prefilter and one range of each of its choices.
bool passesThePrefiltersData(const Prefilter& prefilter, const std::array<std::uint32_t, 11>& values) {
  const auto inRange = [&](const RangeTest& test) {
    const std::uint32_t value = values[static_cast<std::size_t>(test.rowOffset)];
    return test.low <= value && value <= test.high;
  };
  const RangeFilter& filter = prefilter.filter;
  if (!std::all_of(filter.tests(), filter.tests() + filter.testCount(), inRange)) return false;
  return std::all_of(filter.choices().begin(), filter.choices().end(), [&](const RangeChoice& choice) {
    return std::any_of(choice.anyOf.begin(), choice.anyOf.end(), inRange);
  });
}

// The prefilter's tests and choices are the whole check: a device that applies them
// lists exactly the positions that match, at every edge of every roll.
TEST(CometShardSearch, ThePrefilterDescribesEveryTest) {
  SearchSettings settings;
  settings.cometShardSearch = true;
  for (const bool compoundEyes : {true, false}) {
    settings.compoundEyes = compoundEyes;
    const Prefilter prefilter = *cometShardSearchPrefilter(settings);
    int matches = 0;
    const auto check = [&](const std::array<std::uint32_t, 11>& values) {
      const bool expected = found(values, compoundEyes);
      matches += expected ? 1 : 0;
      ASSERT_EQ(passesThePrefiltersData(prefilter, values), expected)
          << values[0] << " " << values[1] << " " << values[3] << " " << values[7] << " " << values[10];
    };
    for (const std::uint32_t first : {39u, 40u}) {
      for (const std::uint32_t second : {320u, 321u, 640u, 641u, 800u, 801u, 960u, 961u, 1280u, 1281u}) {
        for (const std::uint32_t third : {320u, 321u, 640u, 641u, 960u, 961u, 1280u, 1281u}) {
          for (const std::uint32_t fourth : {54u, 55u, 56u, 79u, 80u, 84u, 85u}) {
            for (const std::uint32_t fifth : {55u, 56u, 80u, 84u, 85u}) {
              std::array<std::uint32_t, 11> values = rolls(first, second, third, fourth, fifth);
              check(values);
              // The largest value of each roll, too.
              values[0] = valueFor(first + 1, 100) - 1;
              values[1] = valueFor(second + 1, 1600) - 1;
              values[3] = valueFor(third + 1, 1600) - 1;
              values[7] = valueFor(fourth + 1, 100) - 1;
              values[10] = valueFor(fifth + 1, 100) - 1;
              check(values);
            }
          }
        }
      }
    }
    EXPECT_GT(matches, 0);
  }
}

TEST(CometShardSearch, WithoutCompoundEyesEveryTestReadsOnePositionLater) {
  std::mt19937_64 random(6);
  SearchSettings settings;
  settings.cometShardSearch = true;
  settings.pidConsumptionMin = 40;
  settings.pidConsumptionMax = 60;
  const BootMoment moment{11, 9, 27, 13, 47, 35, 2, noKeysHeld};
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
