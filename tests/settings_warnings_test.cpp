#include "engine/settings_warnings.h"

#include <gtest/gtest.h>

#include <limits>

#include "test_support.h"

namespace hanabira {
namespace {

std::string warningsOf(const SearchSettings& settings) {
  std::string lines;
  for (const SettingsWarning& warning : findSettingsWarnings(settings)) lines += describe(warning) + "\n";
  return lines;
}

// Stationary shiny search without ID correction, for IDs whose XOR is odd (12345 ^ 30650
// is 18307): the game's ID correction sets bit 31 of these personality values otherwise.
SearchSettings stationaryWithoutCorrection() {
  SearchSettings s = testing::workedExampleSettings();
  s.shinyPidSearch = true;
  s.shinyEncounterKind = 3;
  s.trainerId = 12345;
  s.secretId = 30650;
  return s;
}

TEST(SettingsWarnings, StationaryWithoutIdCorrectionForOddIds) {
  SearchSettings s = stationaryWithoutCorrection();
  EXPECT_EQ(
      warningsOf(s),
      "idCorrection false with shinyEncounterKind 3: the game applies the ID correction to stationary encounters, "
      "which changes their personality values for trainerId XOR secretId odd (18307); some results may not be "
      "the game's\n");
  s.secretId = 30651;  // even XOR: the correction changes nothing
  EXPECT_EQ(warningsOf(s), "");
  s.trainerId = 1;
  s.secretId = 0;
  EXPECT_NE(warningsOf(s), "");
  s.idCorrection = true;
  EXPECT_EQ(warningsOf(s), "");
  s.idCorrection = false;
  for (const int kind : {1, 2}) {
    s.shinyEncounterKind = kind;
    EXPECT_EQ(warningsOf(s), "") << kind;
  }
}

TEST(SettingsWarnings, OnlyTheShinySearchWarnsOfItsOptions) {
  SearchSettings s = stationaryWithoutCorrection();
  EXPECT_TRUE(lacksStationaryIdCorrection(s));
  s.inheritanceSearch = true;  // shiny eggs: no encounter kind
  EXPECT_EQ(warningsOf(s), "");
  EXPECT_TRUE(lacksStationaryIdCorrection(s));  // what the options say, whatever the mode
  s.inheritanceSearch = s.shinyPidSearch = false;
  EXPECT_EQ(warningsOf(s), "");
}

TEST(SettingsWarnings, ALoweredPersonalityValueRangeComesFirstInEveryMode) {
  SearchSettings s = testing::workedExampleSettings();
  s.pidConsumptionMax = 2800;
  EXPECT_EQ(warningsOf(s), "");
  s.pidConsumptionMax = 2801;
  EXPECT_EQ(warningsOf(s), "pidConsumptionMax 2801 lowered to 2800\n");
  s = stationaryWithoutCorrection();
  s.pidConsumptionMax = 5000;
  EXPECT_TRUE(warningsOf(s).starts_with("pidConsumptionMax 5000 lowered to 2800\nidCorrection false")) << warningsOf(s);
}

TEST(SettingsWarnings, UncertainEditionsAndTheFirstGamesRules) {
  SearchSettings s = testing::workedExampleSettings();
  s.edition = Edition{Game::White2, Language::English, ConsoleKind::DsLite};
  EXPECT_EQ(warningsOf(s), "");
  s.edition->console = ConsoleKind::Dsi;
  s.cometShardSearch = true;
  EXPECT_EQ(warningsOf(s),
            "game White2, language ENG, console DSi: its message words W0 to W4 are unconfirmed on a console; results "
            "may not be the game's\n"
            "cometShardSearch with game White2: the mode follows the rules of Black and White; results may not be the "
            "game's\n");
  s.edition = Edition{Game::Black, Language::Korean, ConsoleKind::ThreeDs};
  EXPECT_EQ(warningsOf(s),
            "game Black, language KOR, console 3DS: its message words W0 to W4 are placeholders copied from another "
            "edition; results may not be the game's\n"
            "is3ds false with console 3DS: the afternoon flag follows is3ds\n");
}

// The window's two-character fields hold bounds past the values there are, and an end
// date before the start date: searched as given, with a word on what they mean.
TEST(SettingsWarnings, BoundsPastTheValuesAndAnEndBeforeTheStart) {
  SearchSettings s = testing::workedExampleSettings();
  s.ivMin = {32, -1, 0, 20, -5, 0};
  s.ivMax = {31, 40, -1, 10, -3, 31};
  s.hiddenPowerMinPower = 1000;
  s.endDay = 26;
  EXPECT_EQ(warningsOf(s),
            "end date 2011-09-26 (endYear, endMonth, endDay) lies before the start date 2011-09-27: only the start "
            "date is searched\n"
            "ivMin[0] 32: individual values are 0 to 31, so none passes\n"
            "ivMin[1] -1: individual values are 0 to 31, so it is 0 in effect\n"
            "ivMax[1] 40: individual values are 0 to 31, so it is 31 in effect\n"
            "ivMax[2] -1: individual values are 0 to 31, so none passes\n"
            "ivMin[3] 20 above ivMax[3] 10: no individual value passes\n"
            "ivMin[4] -5: individual values are 0 to 31, so it is 0 in effect\n"
            "ivMax[4] -3: individual values are 0 to 31, so none passes\n"
            "hiddenPowerMinPower 1000: hidden powers are 30 to 70, so none passes\n");
  s.hiddenPowerMinPower = -100;
  EXPECT_TRUE(warningsOf(s).ends_with("hiddenPowerMinPower -100: hidden powers are 30 to 70, so it is 30 in effect\n"));
  // The comet shard and the dome read no individual values; the bounds at the ends of an
  // int are told as they are.
  s.ivMin = {std::numeric_limits<int>::min(), 0, 0, 0, 0, 0};
  s.ivMax = {std::numeric_limits<int>::max(), 31, 31, 31, 31, 31};
  s.deliverymanSearch = true;
  EXPECT_NE(warningsOf(s).find("ivMin[0] -2147483648: individual values are 0 to 31, so it is 0 in effect\n"
                               "ivMax[0] 2147483647: individual values are 0 to 31, so it is 31 in effect\n"),
            std::string::npos);
  for (bool SearchSettings::*mode : {&SearchSettings::cometShardSearch, &SearchSettings::domeSearch}) {
    s.*mode = true;
    EXPECT_EQ(warningsOf(s),
              "end date 2011-09-26 (endYear, endMonth, endDay) lies before the start date 2011-09-27: only the start "
              "date is searched\n");
    s.*mode = false;
  }
}

}  // namespace
}  // namespace hanabira
