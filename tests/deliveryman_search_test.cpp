#include "evaluate/deliveryman_search.h"

#include <gtest/gtest.h>

#include <random>

#include "evaluate/reference_sequences.h"
#include "evaluate/shiny_rules.h"
#include "test_support.h"

namespace hanabira {
namespace {

using testing::evaluateBothWays;

// The worked example's seed: R[0] to R[5] give the values 19, 21, 30, 15, 18, 26 (hidden
// power いわ 68), R[0] nature 15, R[10] nature 8; R[8] = 465658B3, R[9] = D40CED8F.
constexpr InitialSeed workedSeed = 0x9D76553EC8C0FA7A;
const SearchCursor workedMoment{11, 9, 27, 13, 47, 35, 2, 0x3FF};

SearchSettings deliveryAt(int position) {
  SearchSettings settings;
  settings.deliverymanSearch = true;
  settings.pidConsumptionMin = settings.pidConsumptionMax = position;
  return settings;
}

std::string deliveryLine(const SearchSettings& settings) {
  const auto both = evaluateBothWays(settings, workedMoment, workedSeed);
  EXPECT_EQ(both.fast, both.reference);
  return both.fast;
}

TEST(DeliverymanSearch, ValuesAndNatureFromThePersonalityValueSequence) {
  SearchSettings settings = deliveryAt(0);
  EXPECT_EQ(deliveryLine(settings), "11,9,27,13,47,35,0,わんぱく　,19,21,30,15,18,26,いわ,68,9D76553EC8C0FA7A\r\n");
  settings.deliveryNaturePosition = 0;  // the nature from the H value's own value
  EXPECT_EQ(deliveryLine(settings), "11,9,27,13,47,35,0,ひかえめ　,19,21,30,15,18,26,いわ,68,9D76553EC8C0FA7A\r\n");
  settings.deliveryNature = 16;
  EXPECT_NE(deliveryLine(settings), "");
  settings.deliveryNature = 15;
  EXPECT_EQ(deliveryLine(settings), "");
  settings = deliveryAt(0);
  settings.ivMin = {19, 21, 30, 15, 18, 27};
  EXPECT_EQ(deliveryLine(settings), "");
}

TEST(DeliverymanSearch, NaturePositionsFarBehindTheValues) {
  // The nature of position i comes from R[i + position], however far.
  for (int position : {11, 150, 151, 100000}) {
    SearchSettings settings = deliveryAt(20);
    settings.pidConsumptionMax = 40;
    settings.deliveryNaturePosition = position;
    PlainPidSequence r(workedSeed);
    settings.deliveryNature = natureOf(r[20 + position]) + 1;
    const std::string lines = deliveryLine(settings);
    EXPECT_TRUE(lines.starts_with("11,9,27,13,47,35,20,")) << position;
  }
}

TEST(DeliverymanSearch, ShinyDistributionPid) {
  // PID 46565800 with the low byte scaledRandom(D40CED8F, 126) = 104: 46565868.
  SearchSettings settings = deliveryAt(0);
  settings.deliveryShiny = true;
  settings.deliveryTrainerId = 0x4656 ^ 0x5868;
  settings.deliverySecretId = 0;
  EXPECT_NE(deliveryLine(settings), "");
  settings.deliverySecretId = 8;
  EXPECT_EQ(deliveryLine(settings), "");
  settings.deliveryShiny = false;  // the IDs then play no part
  EXPECT_NE(deliveryLine(settings), "");
}

TEST(DeliverymanSearch, FastEvaluatorAgreesWithTheReference) {
  std::mt19937_64 random(5);
  std::size_t lines = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    SearchSettings settings = testing::randomSettings(random, SearchMode::DeliverymanSearch);
    const InitialSeed seed = random();
    if (settings.pidConsumptionMin <= settings.pidConsumptionMax && random() % 4 != 0) {
      PlainPidSequence r(seed);
      const int i = settings.pidConsumptionMin + static_cast<int>(random() % 3);
      const std::uint32_t pid = (r[i + 8] & 0xFFFFFF00) | scaledRandom(r[i + 9], 126);
      settings.deliveryTrainerId = testing::shinyTrainerId(pid, settings.deliverySecretId, random);
      if (random() % 2 == 0) settings.deliveryNature = natureOf(r[i + settings.deliveryNaturePosition]) + 1;
    }
    const SearchCursor moment{
        settings.startYear, settings.startMonth, settings.startDay, 1, 2, 3, 4, static_cast<int>(random() % 1024)};
    const auto both = evaluateBothWays(settings, moment, seed);
    ASSERT_EQ(both.fast, both.reference) << "trial " << trial;
    ASSERT_EQ(both.fastLines, both.referenceLines);
    lines += both.fastLines;
  }
  EXPECT_GT(lines, 3000u);
}

}  // namespace
}  // namespace hanabira
