#include "evaluate/inheritance_search.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "engine/settings_validation.h"
#include "evaluate/reference_sequences.h"
#include "test_support.h"

namespace hanabira {
namespace {

using testing::evaluateBothWays;

// The worked example's seed: the drawn values at position 7 are 4, 21, 9, 26, 18, 11, and
// its personality-value sequence gives, pair by pair from R[2]: (S, 先), (C, 後), (H, 後),
// (A, 後); from R[3]: (B, 後), (S, 先), (D, 先), (D, 先), (C, 後).
using testing::workedMoment;
using testing::workedSeed;

SearchSettings eggAt(int position, bool ditto, int eggNature) {
  SearchSettings settings;
  settings.inheritanceSearch = true;
  settings.withoutDitto = !ditto;
  settings.eggNature = eggNature;
  settings.pidConsumptionMin = settings.pidConsumptionMax = position;
  return settings;
}

std::string eggLine(const SearchSettings& settings) {
  const auto both = evaluateBothWays(settings, workedMoment, workedSeed);
  EXPECT_EQ(both.fast, both.reference);
  return both.fast;
}

TEST(InheritanceSearch, EggLayoutWithAndWithoutDittoAndEverstone) {
  const std::string start = "11,9,27,13,47,35,7,4,21,9,26,18,11,9D76553EC8C0FA7A,";
  // With a Ditto the pairs start at c + 3 and the PID (D40CED8E) comes from R[9].
  EXPECT_EQ(eggLine(eggAt(0, true, -1)), start + "0,B-後,S-先,D-先,142,1\r\n");
  // Without one they start at c + 2, the PID (465658B2) from R[8].
  EXPECT_EQ(eggLine(eggAt(0, false, -1)), start + "0,S-先,C-後,H-後,178,1\r\n");
  // The everstone roll at R[1] (top bit set) moves everything one on: PID 57265521.
  EXPECT_EQ(eggLine(eggAt(0, true, 0)), start + "0,C-後,H-後,A-後,33,1\r\n");
  // A repeated stat discards its pair: the PID moves two on, to R[13] (5994F644).
  EXPECT_EQ(eggLine(eggAt(2, true, -1)), start + "2,S-先,D-先,C-後,68,1\r\n");
}

TEST(InheritanceSearch, NatureAndEverstoneConditions) {
  EXPECT_NE(eggLine(eggAt(0, true, 16)), "");  // R[0] gives nature 15
  EXPECT_EQ(eggLine(eggAt(0, true, 17)), "");
  EXPECT_EQ(eggLine(eggAt(2, true, 0)), "");   // R[3] = 78181F04: the everstone fails
  EXPECT_EQ(eggLine(eggAt(5, false, 0)), "");  // R[6] = 1A4DA267 likewise
}

TEST(InheritanceSearch, AbilityChoices) {
  // A Ditto never passes the hidden ability on: both paths refuse the search.
  SearchSettings settings = testing::workedExampleSettings();
  settings.inheritanceSearch = true;
  settings.eggAbility = 3;
  EXPECT_THROW(testing::fastResult(settings), InvalidSettingsError);
  EXPECT_THROW(testing::referenceResult(settings), InvalidSettingsError);
  settings = eggAt(0, true, -1);
  settings.eggAbility = 2;
  EXPECT_EQ(eggLine(settings), "");
  settings.eggAbility = 1;
  EXPECT_NE(eggLine(settings), "");
  // Without a Ditto the roll at c + 1 decides: R[1] scales to 3 of 5 and passes, R[6] to
  // 0 and fails.
  settings = eggAt(0, false, -1);
  settings.eggAbility = 3;
  EXPECT_NE(eggLine(settings), "");
  settings = eggAt(5, false, -1);
  settings.eggAbility = 3;
  EXPECT_EQ(eggLine(settings), "");
  settings.withoutDitto = false;
  EXPECT_NE(eggLine(settings), "");
}

TEST(InheritanceSearch, InheritedValuesDecideTheFilter) {
  // Drawn B = 9 lies outside 31..31, but B is inherited from the second parent (31).
  SearchSettings settings = eggAt(0, true, -1);
  settings.ivMin = {0, 0, 31, 0, 0, 0};
  settings.secondParentIvs = {0, 0, 31, 0, 0, 0};
  EXPECT_EQ(eggLine(settings), "11,9,27,13,47,35,7,4,21,9,26,18,11,9D76553EC8C0FA7A,0,B-後,S-先,D-先,142,1\r\n");
  // The first parent's 31 passes the prefilter for A, but A is not inherited.
  settings.ivMin = {0, 31, 0, 0, 0, 0};
  settings.firstParentIvs = {0, 31, 0, 0, 0, 0};
  EXPECT_EQ(eggLine(settings), "");
  // Hidden power from the inherited values: H 4, A 21, B 31, C 26, D 0 (先), S 0 (先).
  settings = eggAt(0, true, -1);
  settings.secondParentIvs = {0, 0, 31, 0, 0, 0};
  settings.firstParentIvs = {0, 0, 0, 0, 0, 0};
  settings.hiddenPowerType = hiddenPowerTypeOf({4, 21, 31, 26, 0, 0});
  EXPECT_NE(eggLine(settings), "");
  settings.hiddenPowerType = hiddenPowerTypeOf({4, 21, 9, 26, 18, 11});
  EXPECT_EQ(eggLine(settings), "");
}

TEST(EggRules, GenderThresholds) {
  // Male from 31, 63, 127 and 191 on; female below 191, 127, 63 and 31. The gender value
  // 63 is male for the quarter choices: accepted by ♂(3/4), rejected by ♀(1/4).
  const std::array<int, 9> firstAccepted = {0, 31, 63, 127, 191, 0, 0, 0, 0};
  const std::array<int, 9> lastAccepted = {255, 255, 255, 255, 255, 190, 126, 62, 30};
  EXPECT_TRUE(passesEggGender(2, 63));
  EXPECT_FALSE(passesEggGender(7, 63));
  for (int choice = 0; choice <= 8; ++choice) {
    for (int g = 0; g < 256; ++g) {
      EXPECT_EQ(passesEggGender(choice, g), firstAccepted[choice] <= g && g <= lastAccepted[choice])
          << "choice " << choice << ", gender value " << g;
    }
  }
}

TEST(EggRules, PidZero) {
  // The last value before the PID may be 0: PID 0, gender value 0, first ability.
  for (std::uint32_t low = 0;; ++low) {
    const InitialSeed seed = testing::seedWithStateAt(9, low);
    PlainPidSequence r(seed);
    int chosen = 0;
    for (int q = 3; q <= 7; q += 2) chosen |= 1 << scaledRandom(r[q], 6);
    if (std::popcount(static_cast<unsigned>(chosen)) != 3) continue;  // a pair discarded
    SearchSettings settings = eggAt(0, true, -1);
    const auto both = evaluateBothWays(settings, workedMoment, seed);
    EXPECT_EQ(both.fast, both.reference);
    EXPECT_TRUE(both.fast.ends_with(",0,1\r\n")) << both.fast;
    break;
  }
}

// A seed whose egg at position 0 (with a Ditto, no everstone) has this PID: R[9] is set,
// and the low half of the state is stepped until the pairs at R[3] to R[8] pick three
// different stats.
InitialSeed seedWithEggPid(std::uint32_t pid) {
  for (std::uint64_t low = 0;; ++low) {
    const InitialSeed seed = testing::seedWithStateAt(9, (std::uint64_t{pid} + 1) << 32 | low);
    PlainPidSequence r(seed);
    unsigned chosen = 0;
    for (int q = 3; q <= 7; q += 2) chosen |= 1u << scaledRandom(r[q], 6);
    if (std::popcount(chosen) == 3) return seed;
  }
}

TEST(InheritanceSearch, QuarterGenderChoicesSplitAtTheRatio) {
  // A three-quarters-male species hatches male from gender value 63 on, so ♂(3/4) lists
  // the egg of gender value 63 and ♀(1/4) does not; 62 is female, 64 male.
  for (const int g : {62, 63, 64}) {
    const InitialSeed seed = seedWithEggPid(0x2BAD5E00u | static_cast<std::uint32_t>(g));
    SearchSettings settings = eggAt(0, true, -1);
    settings.eggGenderRatio = 2;  // ♂(3/4)
    const auto male = evaluateBothWays(settings, workedMoment, seed);
    settings.eggGenderRatio = 7;  // ♀(1/4)
    const auto female = evaluateBothWays(settings, workedMoment, seed);
    EXPECT_EQ(male.fast, male.reference) << g;
    EXPECT_EQ(female.fast, female.reference) << g;
    EXPECT_EQ(male.fastLines, g >= 63 ? 1u : 0u) << g;
    EXPECT_EQ(female.fastLines, g >= 63 ? 0u : 1u) << g;
    EXPECT_TRUE((male.fast + female.fast).ends_with(fmt::format(",{},2\r\n", g))) << male.fast << female.fast;
  }
}

}  // namespace
}  // namespace hanabira
