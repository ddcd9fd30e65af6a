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
using testing::workedMoment;
using testing::workedSeed;

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

}  // namespace
}  // namespace hanabira
