#include "evaluate/shiny_pid_search.h"

#include <gtest/gtest.h>

#include <random>

#include "evaluate/reference_sequences.h"
#include "evaluate/shiny_rules.h"
#include "test_support.h"

namespace hanabira {
namespace {

using testing::evaluateBothWays;

using testing::workedMoment;
using testing::workedSeed;  // R[0] = 9D76553E, R[1] = ACCA3248

TEST(ShinyRules, PidsOfTheEncounterKindsAndTheShinyTest) {
  EXPECT_EQ(encounterPid(0, hatchedEncounter), 0u);
  EXPECT_EQ(encounterPid(0x12345678, hatchedEncounter), 0x12345677u);
  EXPECT_EQ(encounterPid(0x80000000, stationaryEncounter), 0x00010000u);  // bits 31 and 0 differ
  EXPECT_EQ(encounterPid(0x00000001, stationaryEncounter), 0x80010001u);
  EXPECT_EQ(encounterPid(0x00000000, stationaryEncounter), 0x00010000u);  // they agree
  EXPECT_EQ(withIdCorrection(encounterPid(1, roamingEncounter), trainerShinyValue(0, 0)), 0x80000001u);
  EXPECT_TRUE(isShiny(0x00070000, trainerShinyValue(0, 0)));   // halves XOR to 7
  EXPECT_FALSE(isShiny(0x00080000, trainerShinyValue(0, 0)));  // to 8
}

// The kernels' form of the test against the rules, for every kind and ID correction, on
// values where the decrement borrows or bits 31 and 0 matter, and on values made shiny.
TEST(ShinyRules, TheKernelsTestIsTheShinyTest) {
  std::mt19937_64 random(5);
  for (int kind : {hatchedEncounter, roamingEncounter, stationaryEncounter}) {
    for (bool idCorrection : {false, true}) {
      for (int trial = 0; trial < 200; ++trial) {
        const auto trainerValue = static_cast<std::uint32_t>(random() & 0xFFFF);
        const HalvesTest test = shinyTest(kind, idCorrection, trainerValue, 0);
        const auto low = static_cast<std::uint32_t>(random() & 0xFFFF);
        const auto nearShiny = static_cast<std::uint32_t>((low ^ trainerValue ^ (random() & 0x800F)) << 16 | low);
        for (std::uint32_t value : {0u, 1u, 0x10000u, 0x80000000u, 0xFFFFFFFFu, nearShiny, nearShiny + 1,
                                    nearShiny ^ 0x80000001u, static_cast<std::uint32_t>(random())}) {
          std::uint32_t pid = encounterPid(value, kind);
          if (idCorrection) pid = withIdCorrection(pid, trainerValue);
          ASSERT_EQ(passesHalvesTest(test, value), isShiny(pid, trainerValue))
              << "kind " << kind << ", correction " << idCorrection << ", trainer " << trainerValue << ", value "
              << value;
        }
      }
    }
  }
}

SearchSettings workedShinySearch(int kind) {
  SearchSettings settings;
  settings.shinyPidSearch = true;
  settings.shinyEncounterKind = kind;
  settings.pidConsumptionMin = 0;
  settings.pidConsumptionMax = 2;
  return settings;
}

TEST(ShinyPidSearch, AMatchAtPositionZeroIsWrittenAsMinusOne) {
  SearchSettings settings = workedShinySearch(hatchedEncounter);
  settings.trainerId = 0xC84B;  // PID 9D76553D: its halves XOR to C84B
  const auto both = evaluateBothWays(settings, workedMoment, workedSeed);
  EXPECT_EQ(both.fast, "11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,-1,9D76553E,9D76553D\r\n");
  EXPECT_EQ(both.reference, both.fast);
  // Nothing past the IV stage when it fails.
  settings.ivMin = {31, 31, 31, 31, 31, 31};
  EXPECT_EQ(evaluateBothWays(settings, workedMoment, workedSeed).fast, "");
}

TEST(ShinyPidSearch, NatureIsTestedOnlyForRoamingAndStationary) {
  // R[1] gives nature 16; R[0] itself is the roaming PID, shiny for ID C848.
  SearchSettings settings = workedShinySearch(roamingEncounter);
  settings.trainerId = 0xC848;
  settings.shinyNature = 17;
  EXPECT_EQ(evaluateBothWays(settings, workedMoment, workedSeed).fast,
            "11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,-1,9D76553E,9D76553E\r\n");
  settings.shinyNature = 18;
  EXPECT_EQ(evaluateBothWays(settings, workedMoment, workedSeed).fast, "");
  settings.shinyEncounterKind = hatchedEncounter;  // an egg ignores the nature choice
  settings.trainerId = 0xC84B;
  EXPECT_NE(evaluateBothWays(settings, workedMoment, workedSeed).fast, "");
}

TEST(ShinyPidSearch, ALinePerPassingIvPositionAndShinyPid) {
  SearchSettings settings = workedShinySearch(roamingEncounter);
  settings.trainerId = 0xC848;
  settings.ivConsumptionMin = 0;
  settings.ivConsumptionMax = 7;
  const auto both = evaluateBothWays(settings, workedMoment, workedSeed);
  EXPECT_EQ(both.fastLines, 8u);
  EXPECT_EQ(both.fast, both.reference);
  EXPECT_TRUE(both.fast.starts_with("11,9,27,13,47,35,0,27,2,18,9,16,9,")) << both.fast;

  // ID correction clears bit 31 (bit 0 of C848 ^ 553E is 0), and the PID is no longer shiny.
  settings.idCorrection = true;
  EXPECT_EQ(evaluateBothWays(settings, workedMoment, workedSeed).fast, "");
  settings.trainerId = 0xC849;  // keeps bit 31
  EXPECT_EQ(evaluateBothWays(settings, workedMoment, workedSeed).fastLines, 8u);
}

}  // namespace
}  // namespace hanabira
