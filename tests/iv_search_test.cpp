#include "evaluate/iv_search.h"

#include <gtest/gtest.h>

#include <fmt/format.h>

#include <algorithm>
#include <random>

#include "core/mt19937.h"
#include "test_support.h"

namespace hanabira {
namespace {

using testing::workedMomentWithA;
using testing::workedSeed;

TEST(HiddenPower, TypeAndPower) {
  EXPECT_EQ(hiddenPowerOf({31, 31, 31, 31, 31, 31}).type, 15);
  EXPECT_EQ(hiddenPowerOf({31, 31, 31, 31, 31, 31}).power, 70);
  EXPECT_EQ(hiddenPowerOf({0, 0, 0, 0, 0, 0}).type, 0);
  EXPECT_EQ(hiddenPowerOf({0, 0, 0, 0, 0, 0}).power, 30);
  EXPECT_EQ(hiddenPowerOf({31, 30, 30, 30, 30, 30}).type, 0);
  EXPECT_EQ(hiddenPowerOf({31, 30, 30, 30, 30, 30}).power, 70);
  EXPECT_EQ(hiddenPowerOf({4, 21, 9, 26, 18, 11}).type, 3);
  EXPECT_EQ(hiddenPowerOf({4, 21, 9, 26, 18, 11}).power, 65);
  // Speed weighs 8 and Special Attack 16: the columns are not the formula's order.
  EXPECT_EQ(hiddenPowerOf({0, 0, 0, 0, 0, 1}).type, 8 * 15 / 63);
  EXPECT_EQ(hiddenPowerOf({0, 0, 0, 1, 0, 0}).type, 16 * 15 / 63);
}

TEST(HiddenPower, FilterBounds) {
  SearchSettings settings;
  settings.hiddenPowerMinPower = 70;
  EXPECT_TRUE(passesHiddenPowerFilter(settings, {5, 70}));
  EXPECT_FALSE(passesHiddenPowerFilter(settings, {5, 69}));
  settings.hiddenPowerType = 5;
  EXPECT_FALSE(passesHiddenPowerFilter(settings, {4, 70}));
}

TEST(IvBounds, BothBoundsAreInclusive) {
  SearchSettings settings;
  settings.ivMin = {4, 21, 9, 26, 18, 11};
  settings.ivMax = settings.ivMin;
  EXPECT_TRUE(passesIvBounds(settings, {4, 21, 9, 26, 18, 11}));
  settings.ivMin[5] = 12;
  EXPECT_FALSE(passesIvBounds(settings, {4, 21, 9, 26, 18, 11}));
}

TEST(DrawIvs, RoamingSkipsOneOutputAndFillsDSCLast) {
  const std::uint32_t outputs[7] = {0u << 27, 1u << 27, 2u << 27, 3u << 27, 4u << 27, 5u << 27, 6u << 27};
  EXPECT_EQ(drawIvs(outputs, false), (IvSet{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(drawIvs(outputs, true), (IvSet{1, 2, 3, 6, 4, 5}));  // C from the 7th output, D from the 5th
}

std::string evaluateBoth(const SearchSettings& settings, const BootMoment& moment, InitialSeed seed,
                         std::string* reference) {
  const testing::BothEvaluations both = testing::evaluateBothWays(settings, moment, seed);
  *reference = both.reference;
  EXPECT_EQ(both.fastLines, both.referenceLines);
  EXPECT_EQ(static_cast<std::size_t>(std::count(both.fast.begin(), both.fast.end(), '\n')), both.fastLines);
  return both.fast;
}

TEST(IvSearch, WorkedExample) {
  SearchSettings settings;
  settings.keyInputEnabled = true;
  std::string reference;
  EXPECT_EQ(evaluateBoth(settings, workedMomentWithA, workedSeed, &reference),
            "11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,A\r\n");
  EXPECT_EQ(reference, "11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,A\r\n");
}

TEST(IvSearch, PositionsAscendAndAnEmptyRangeFindsNothing) {
  SearchSettings settings;
  settings.ivConsumptionMin = 0;
  settings.ivConsumptionMax = 7;
  std::string reference;
  const std::string lines = evaluateBoth(settings, workedMomentWithA, workedSeed, &reference);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 8);
  EXPECT_EQ(lines.substr(0, 34), "11,9,27,13,47,35,0,27,2,18,9,16,9,");
  settings.ivConsumptionMin = 8;
  EXPECT_EQ(evaluateBoth(settings, workedMomentWithA, workedSeed, &reference), "");
}

TEST(IvSearch, RoamingColumns) {
  SearchSettings settings;
  settings.roaming = true;
  settings.ivConsumptionMin = settings.ivConsumptionMax = 0;
  std::string reference;
  Mt19937 generator(0x9D76553E);
  std::uint32_t out[7];
  for (auto& o : out) o = generator.next();
  // H, A, B from outputs 1 to 3; C from output 6, D from 4, S from 5.
  const std::string expected = fmt::format("11,9,27,13,47,35,0,{},{},{},{},{},{},", out[1] >> 27, out[2] >> 27,
                                           out[3] >> 27, out[6] >> 27, out[4] >> 27, out[5] >> 27);
  const std::string line = evaluateBoth(settings, workedMomentWithA, workedSeed, &reference);
  EXPECT_TRUE(line.starts_with(expected)) << line;
}

}  // namespace
}  // namespace hanabira
