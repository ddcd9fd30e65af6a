#include "engine/settings_validation.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace hanabira {
namespace {

std::string problemOf(const SearchSettings& settings) {
  const auto problem = findSettingsProblem(settings);
  return problem ? describe(*problem) : "";
}

SearchSettings valid() { return testing::workedExampleSettings(); }

TEST(SettingsValidation, ValidSettingsPass) {
  EXPECT_EQ(problemOf(valid()), "");
  SearchSettings leapDay = valid();
  leapDay.startYear = leapDay.endYear = 12;
  leapDay.startMonth = leapDay.endMonth = 2;
  leapDay.startDay = leapDay.endDay = 29;
  EXPECT_EQ(problemOf(leapDay), "");
}

TEST(SettingsValidation, DatesMustBeOnTheCalendar) {
  SearchSettings s = valid();
  s.startMonth = 4;
  s.startDay = 31;
  EXPECT_EQ(problemOf(s), "startDay 31: 2011-04 has 30 days");
  s = valid();
  s.endMonth = 2;
  s.endDay = 29;
  EXPECT_EQ(problemOf(s), "endDay 29: 2011-02 has 28 days");
  s = valid();
  s.startDay = 0;
  EXPECT_EQ(problemOf(s), "startDay 0: 2011-09 has 30 days");
  s = valid();
  s.startMonth = 13;
  EXPECT_EQ(problemOf(s), "startMonth 13: must be 1 to 12");
  s = valid();
  s.endYear = 100;
  EXPECT_EQ(problemOf(s), "endYear 100: must be 0 to 99");
  s = valid();
  s.startYear = -1;
  EXPECT_EQ(problemOf(s), "startYear -1: must be 0 to 99");
}

TEST(SettingsValidation, TimesMustBeOnTheClock) {
  SearchSettings s = valid();
  s.endHour = 24;
  EXPECT_EQ(problemOf(s), "endHour 24: must be 0 to 23");
  s = valid();
  s.startMinute = -1;
  EXPECT_EQ(problemOf(s), "startMinute -1: must be 0 to 59");
  s = valid();
  s.endSecond = 60;
  EXPECT_EQ(problemOf(s), "endSecond 60: must be 0 to 59");
  // A start after its end is no fault: that level visits nothing.
  s = valid();
  s.startHour = 20;
  s.endHour = 10;
  EXPECT_EQ(problemOf(s), "");
}

TEST(SettingsValidation, PositionsThatTheModeReads) {
  SearchSettings s = valid();
  s.ivConsumptionMin = -1;
  EXPECT_EQ(problemOf(s), "ivConsumptionMin -1: must be 0 or more");
  s = valid();
  s.ivConsumptionMax = 10000;
  EXPECT_EQ(problemOf(s), "ivConsumptionMax 10000: must be at most 9999");
  // The plain search reads no personality-value positions...
  s = valid();
  s.pidConsumptionMin = -5;
  s.deliveryNaturePosition = -1;
  EXPECT_EQ(problemOf(s), "");
  // ...the other modes do, and the deliveryman reads its nature position.
  s.cometShardSearch = true;
  EXPECT_EQ(problemOf(s), "pidConsumptionMin -5: must be 0 or more");
  s.cometShardSearch = false;
  s.deliverymanSearch = true;
  s.pidConsumptionMin = 0;
  EXPECT_EQ(problemOf(s), "deliveryNaturePosition -1: must be 0 or more");
}

TEST(SettingsValidation, OptionsOfTheActiveModeStayInTheirLists) {
  SearchSettings s = valid();
  s.shinyEncounterKind = 0;
  s.eggGenderRatio = 9;
  s.domeTrainers[3] = 53;
  EXPECT_EQ(problemOf(s), "");  // options of modes that do not run are not looked at
  s.shinyPidSearch = true;
  EXPECT_EQ(problemOf(s), "shinyEncounterKind 0: must be 1 to 3");
  s.inheritanceSearch = true;  // the shiny options other than the IDs no longer count
  EXPECT_EQ(problemOf(s), "eggGenderRatio 9: must be 0 to 8");
  s.eggGenderRatio = 8;
  s.eggNature = -2;
  EXPECT_EQ(problemOf(s), "eggNature -2: must be -1 to 25");
  s.domeSearch = true;
  EXPECT_EQ(problemOf(s), "domeTrainers 53: must be 0 to 52");
  s.domeSearch = false;
  s.deliverymanSearch = true;
  s.deliveryNature = 26;
  EXPECT_EQ(problemOf(s), "deliveryNature 26: must be 0 to 25");
}

TEST(SettingsValidation, TheHiddenAbilityWithADittoIsRefusedInTheEggSearchOnly) {
  SearchSettings s = valid();
  s.eggAbility = 3;
  EXPECT_EQ(problemOf(s), "");
  s.inheritanceSearch = true;
  EXPECT_EQ(problemOf(s),
            "eggAbility 3: a Ditto never passes on the hidden ability; set withoutDitto or choose another ability");
  s.withoutDitto = true;
  EXPECT_EQ(problemOf(s), "");
  s.withoutDitto = false;
  s.deliverymanSearch = true;  // a mode of higher priority runs instead
  EXPECT_EQ(problemOf(s), "");
}

TEST(SettingsValidation, ThePersonalityValueRangeIsClampedNotRefused) {
  SearchSettings s = valid();
  s.pidConsumptionMax = 5000;
  EXPECT_EQ(problemOf(s), "");
  EXPECT_TRUE(clampPidConsumption(s));
  EXPECT_EQ(s.pidConsumptionMax, 2800);
  EXPECT_FALSE(clampPidConsumption(s));
}

TEST(SettingsValidation, ErrorCarriesTheProblem) {
  SearchSettings s = valid();
  s.startHour = 99;
  try {
    StringSink sink;
    runSearch(s, sink);
    FAIL() << "no error";
  } catch (const InvalidSettingsError& error) {
    EXPECT_EQ(error.problem().field, "startHour");
    EXPECT_EQ(error.problem().value, 99);
    EXPECT_STREQ(error.what(), "startHour 99: must be 0 to 23");
  }
}

// Typed in hexadecimal, the ranges are told so, with the limit each end passes.
TEST(SettingsValidation, RangesOfVcountAndTimer0) {
  SearchSettings s = valid();
  s.vcountRange = ParameterRange{0x70, 0x60};
  EXPECT_EQ(problemOf(s), "vcountMax 0x60: must not lie below vcountMin 0x70");
  s.vcountRange = ParameterRange{0x70, 0x10000};
  EXPECT_EQ(problemOf(s), "vcountMax 0x10000: must be 0x70 to 0xFFFF");
  s.vcountRange = ParameterRange{0x50, 0xC0};
  s.timer0Range = ParameterRange{0xC00, 0x1900};  // 376,177 pairs
  EXPECT_EQ(problemOf(s), "");
  s.timer0Range = ParameterRange{0, 0xFFFF};
  EXPECT_EQ(problemOf(s),
            "timer0Max 0xFFFF: must be 0x0 to 0x243E, as the VCount and Timer0 ranges may make at most 1048576 pairs");
  s.timer0Range = ParameterRange{0x10000, 0x10000};
  EXPECT_EQ(problemOf(s), "timer0Min 0x10000: must be 0x0 to 0xFFFF");
  EXPECT_EQ(describe(*findParameterRangeProblem(s)), problemOf(s));
  s.timer0Range.reset();
  s.startHour = 24;
  EXPECT_EQ(findParameterRangeProblem(s), std::nullopt);
}

}  // namespace
}  // namespace hanabira
