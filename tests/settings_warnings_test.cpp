#include "engine/settings_warnings.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace hanabira
