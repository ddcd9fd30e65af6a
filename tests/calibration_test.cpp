// Finding a console's parameters from an outcome: the planted parameters come first,
// and the fast calibration finds what the plain one finds.
#include "engine/calibration.h"

#include <gtest/gtest.h>

#include <random>

#include "core/kernel_levels.h"
#include "evaluate/iv_rules.h"
#include "evaluate/reference_sequences.h"
#include "test_support.h"

namespace hanabira {
namespace {

// An English White 2 on a DS Lite (Frame 6) with VCount 0x82 and Timer0 0x10F3, booted on
// 2012-10-07 at 12:34:56 with no key held.
SearchSettings plantedConsole() {
  SearchSettings s;
  s.edition = Edition{Game::White2, Language::English, ConsoleKind::DsLite};
  s.vcount = 0x82;
  s.timer0 = 0x10F3;
  s.gxStat = 0x06000000;
  s.frame = 6;
  applyMacAddress(s, {0x00, 0x09, 0xBF, 0x12, 0x34, 0x56});
  s.startYear = s.endYear = 12;
  s.startMonth = s.endMonth = 10;
  s.startDay = s.endDay = 7;
  s.startHour = s.endHour = 12;
  s.startMinute = s.endMinute = 34;
  s.startSecond = s.endSecond = 56;
  return s;
}

const BootMoment plantedBoot{12, 10, 7, 12, 34, 56, 0, noKeysHeld};

void expectPlantedFirst(const std::vector<CalibrationMatch>& matches, int secondsOff) {
  ASSERT_FALSE(matches.empty());
  EXPECT_EQ(matches[0].vcount, 0x82u);
  EXPECT_EQ(matches[0].timer0, 0x10F3u);
  EXPECT_EQ(matches[0].frame, 6);
  EXPECT_EQ(matches[0].secondsOff, secondsOff);
  EXPECT_EQ(matches[0].moment.keyMask, noKeysHeld);
}

TEST(Calibration, TheValuesOfThePlantedBootFindItFirst) {
  SearchSettings observed = plantedConsole();
  const InitialSeed seed = computeInitialSeed(observed, plantedBoot);
  const IvSet ivs = drawIvs(plainIvSequence(seed, 8).data() + 2, false);
  for (int k = 0; k < 6; ++k) observed.ivMin[k] = observed.ivMax[k] = ivs[k];
  observed.ivConsumptionMin = observed.ivConsumptionMax = 2;
  observed.vcount = observed.timer0 = 0;
  // The boot is known to a few seconds; the wide ranges cover the console.
  observed.startSecond = observed.endSecond = 54;
  const std::vector<CalibrationMatch> matches = calibrate(calibrationRequest(observed));
  expectPlantedFirst(matches, 2);
  EXPECT_EQ(matches[0].seed, seed);
  EXPECT_EQ(matches[0].position, 2);
  EXPECT_EQ(matches[0].moment.second, 56);
}

TEST(Calibration, AKnownSeedFindsItsBootFirst) {
  const SearchSettings console = plantedConsole();
  const InitialSeed seed = computeInitialSeed(console, plantedBoot);
  SearchSettings observed = console;
  observed.keyInputEnabled = true;  // A or B may have been held
  observed.keyAllowed = {true, true, false, false, false, false, false, false, false, false};
  const std::vector<CalibrationMatch> matches = calibrate(calibrationRequest(observed, 2, seed));
  ASSERT_EQ(matches.size(), 1u);
  expectPlantedFirst(matches, 0);
}

// A boot with X held is found once X may be held, and not before.
TEST(Calibration, ABootWithXHeldIsFoundWithXAndY) {
  BootMoment boot = plantedBoot;
  boot.keyMask = noKeysHeld & ~(1 << keyX | 1 << 0);  // X and A
  SearchSettings observed = plantedConsole();
  const InitialSeed seed = computeInitialSeed(observed, boot);
  observed.keyInputEnabled = true;
  observed.keyAllowed.fill(false);
  observed.keyAllowed[0] = observed.keyAllowed[keyX] = true;
  const std::vector<CalibrationMatch> without = calibrate(calibrationRequest(observed, 2, seed));
  EXPECT_TRUE(without.empty());
  observed.keyXYEnabled = true;
  const std::vector<CalibrationMatch> with = calibrate(calibrationRequest(observed, 2, seed));
  ASSERT_EQ(with.size(), 1u);
  EXPECT_EQ(with[0].moment.keyMask, boot.keyMask);
  EXPECT_EQ(with[0].secondsOff, 0);
}

// Random consoles, boots, outcomes and small ranges: every level and thread count finds
// the plain calibration's matches in its order.
TEST(Calibration, FastFindsWhatThePlainOneFinds) {
  std::mt19937_64 random(12);
  std::size_t found = 0;
  for (int trial = 0; trial < 30; ++trial) {
    SearchSettings s = testing::randomIvSearchSettings(random);
    s.keyInputEnabled = random() % 4 == 0;
    s.keyAllowed.fill(false);
    s.keyAllowed[random() % keyMaskBits] = true;  // X or Y now and then, held with keyXYEnabled
    if (random() % 2 == 0) s.edition = Edition{Game::Black2, Language::German, ConsoleKind::Ds};
    CalibrationRequest request = calibrationRequest(s, static_cast<int>(random() % 4));
    request.vcounts.min = static_cast<std::uint32_t>(random() % 0x100);
    request.vcounts.max = request.vcounts.min + static_cast<std::uint32_t>(random() % 3);
    request.timer0s.min = static_cast<std::uint32_t>(random() % 0x2000);
    request.timer0s.max = request.timer0s.min + static_cast<std::uint32_t>(random() % 6);
    request.frames = {static_cast<int>(random() % 10), 8};
    if (random() % 3 == 0) {
      SearchSettings boot = s;
      boot.vcount = request.vcounts.max;
      boot.timer0 = request.timer0s.min;
      request.seed = computeInitialSeed(
          boot, {s.startYear, s.startMonth, s.startDay, s.startHour, s.startMinute, s.startSecond, 0, noKeysHeld});
      request.frames = {s.frame};
    } else {
      for (int k = 0; k < 6; ++k) {
        request.settings.ivMin[k] = static_cast<int>(random() % 12);
        request.settings.ivMax[k] = 20 + static_cast<int>(random() % 12);
      }
    }
    if (random() % 3 == 0) {  // a neighbourhood: masks of its own, ranked around the boot aimed at
      request.keyMasks = {static_cast<std::uint16_t>(noKeysHeld & ~(1 << (random() % keyMaskBits))), noKeysHeld};
      request.aimedAt = BootMoment{s.startYear,         s.startMonth,           s.startDay, s.startHour,
                                   s.startMinute,       s.startSecond,          0,          noKeysHeld,
                                   request.vcounts.max, request.timer0s.min + 2};
    }
    const std::vector<CalibrationMatch> reference = calibrateReference(request);
    for (Isa isa : supportedIsas()) {
      CalibrationOptions options;
      options.isa = isa;
      options.threads = testing::testThreads(1 + static_cast<unsigned>(trial % 3));
      ASSERT_EQ(calibrate(request, options), reference) << "trial " << trial << ", " << isaName(isa);
    }
    found += reference.size();
  }
  EXPECT_GT(found, 20u);
}

}  // namespace
}  // namespace hanabira
