#include "window_scripts.h"

#include <cstddef>
#include <nlohmann/json.hpp>
#include <sstream>

#include "engine/result_sink.h"
#include "engine/search_engine.h"
#include "engine/settings_json.h"
#include "engine/settings_validation.h"
#include "ui/model/console_dialog.h"
#include "ui/model/control_ids.h"
#include "ui/model/dialog_control_ids.h"
#include "vocab/cp932.h"

namespace hanabira::testing {
namespace {

using Action = ControlStep::Action;

// Types texts[k] into ids[k], in order.
template <std::size_t N>
ControlSteps typeEach(const std::array<int, N>& ids, const std::array<std::string_view, N>& texts) {
  ControlSteps steps;
  for (std::size_t k = 0; k < N; ++k) steps.push_back({Action::Type, ids[k], texts[k]});
  return steps;
}

ControlSteps operator+(ControlSteps first, const ControlSteps& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

constexpr std::array<int, 6> macFields = {macEdits,     macEdits + 1, macEdits + 2,
                                          macEdits + 3, macEdits + 4, macEdits + 5};
constexpr std::array<int, 6> dateFields = {startYearEdit, startMonthEdit, startDayEdit,
                                           endYearEdit,   endMonthEdit,   endDayEdit};

template <int First>
constexpr std::array<int, 6> sixFrom = {First, First + 1, First + 2, First + 3, First + 4, First + 5};

}  // namespace

const ControlSteps exampleMinute = ControlSteps{{Action::Type, vcountEdit, "60"},
                                                {Action::Type, timer0Edit, "c79"},
                                                {Action::Type, gxStatEdit, "6000000"},
                                                {Action::Type, frameEdit, "8"}} +
                                   typeEach(macFields, {"00", "11", "22", "33", "44", "55"}) +
                                   typeEach(dateFields, {"11", "9", "27", "11", "9", "27"}) +
                                   ControlSteps{{Action::Type, startHourEdit, "13"},
                                                {Action::Type, endHourEdit, "13"},
                                                {Action::Type, startMinuteEdit, "47"},
                                                {Action::Type, endMinuteEdit, "47"},
                                                {Action::Check, keyInputCheck}};

const char exampleMinuteJson[] = R"(
    "versionWord": "02215F10", "vcount": "60", "timer0": "C79", "gxStat": "6000000", "frame": 8,
    "macAddress": "00-11-22-33-44-55",
    "startYear": 11, "startMonth": 9, "startDay": 27, "endYear": 11, "endMonth": 9, "endDay": 27,
    "startHour": 13, "endHour": 13, "startMinute": 47, "endMinute": 47, "keyInputEnabled": true)";

const ControlSteps wholeFieldTexts = {
    {Action::Type, startYearEdit, "99"},
    {Action::Type, ivMaxEdits, "31"},
    {Action::Type, ivMinEdits + 5, "-1"},
    {Action::Type, vcountEdit, "5ff"},
    {Action::Type, macEdits, "FF"},
    {Action::Type, gxStatEdit, "86000000"},
    {Action::Type, pidConsumptionMaxEdit, "2800"},
    {Action::Type, hiddenPowerMinPowerEdit, "70"},
};

const ProfileScript profileChosenAgain = {
    exampleMinute + ControlSteps{{Action::Command, newProfileCommand, "DS Lite"},
                                 {Action::Type, vcountEdit, "5f"},
                                 {Action::Type, timer0Edit, "c7a"},
                                 {Action::Type, macEdits, "ff"},
                                 {Action::Choose, profileCombo, "DS Lite"}},
    {{vcountEdit, "60"}, {timer0Edit, "c79"}, {gxStatEdit, "6000000"}, {frameEdit, "8"}, {macEdits, "00"}},
};

const ControlSteps everyProfileSearch = exampleMinute + ControlSteps{{Action::Command, newProfileCommand, "DS Lite"},
                                                                     {Action::Type, vcountEdit, "5f"},
                                                                     {Action::Type, timer0Edit, "c7a"},
                                                                     {Action::Command, newProfileCommand, "3DS"},
                                                                     {Action::Check, allProfilesCheck}};

std::string everyProfileResult() {
  const std::string_view firstValues = R"("vcount": "60", "timer0": "C79")";
  std::string secondConsole = exampleMinuteJson;
  secondConsole.replace(secondConsole.find(firstValues), firstValues.size(), R"("vcount": "5F", "timer0": "C7A")");
  std::string result;
  for (const auto& [name, json] : {std::pair{"DS Lite", std::string(exampleMinuteJson)}, {"3DS", secondConsole}}) {
    std::istringstream lines(searchedResult("{" + json + "}"));
    std::string line;
    std::getline(lines, line);
    if (result.empty()) result = utf8ToCp932("プロファイル,") + line + "\n";
    while (std::getline(lines, line)) result += name + ("," + line) + "\n";
  }
  return result;
}

const std::vector<ModeScript> modeScripts = {
    {"individual_values",
     {{Action::Type, ivMinEdits + 5, "31"}},  // keeps the file short
     keyInputOptionsButton,
     {{Action::Click, 1003},  // St, L off; X on, Y off with it
      {Action::Click, 1005},
      {Action::Click, keyXCheck},
      {Action::Click, keyExclusionCheck},
      {Action::Choose, keyCountBox, "4"}},
     R"("ivMin": [0, 0, 0, 0, 0, 31],
        "keyAllowed": [true, true, true, false, true, true, true, true, true, false],
        "excludeOppositeAndReset": false, "keyXYEnabled": true, "keyAllowedY": false, "keyCountMax": 4)"},
    {"shiny",
     {{Action::Check, shinyPidCheck}},
     shinyOptionsButton,
     {{Action::Type, shinyTrainerIdField, "12345"},
      {Action::Type, shinySecretIdField, "54321"},
      {Action::Choose, shinyNatureBox, "ようき　　"},
      {Action::Click, shinyRoamingRadio},
      {Action::Click, shinyIdCorrectionCheck}},
     R"("shinyPidSearch": true, "trainerId": 12345, "secretId": 54321, "shinyNature": 14,
        "shinyEncounterKind": 2, "idCorrection": true)"},
    {"inheritance",
     {{Action::Check, inheritanceCheck}, {Action::Choose, hiddenPowerCombo, "じめん"}},
     inheritanceOptionsButton,
     typeEach(firstParentIvFields, {"31", "31", "31", "0", "0", "0"}) +
         typeEach(secondParentIvFields, {"0", "0", "0", "31", "31", "31"}) +
         ControlSteps{{Action::Click, withoutDittoRadio},
                      {Action::Choose, eggNatureBox, "がんばりや"},
                      {Action::Choose, eggAbilityBox, "夢"},
                      {Action::Choose, eggGenderRatioBox, "♀(1/8)"}},
     R"("inheritanceSearch": true, "firstParentIvs": [31, 31, 31, 0, 0, 0],
        "secondParentIvs": [0, 0, 0, 31, 31, 31], "withoutDitto": true, "eggNature": 1,
        "eggAbility": 3, "eggGenderRatio": 8, "hiddenPowerType": 3)"},
    {"deliveryman",
     {{Action::Check, deliverymanCheck}},
     deliverymanOptionsButton,
     {{Action::Type, deliveryNaturePositionField, "3"},
      {Action::Choose, deliveryNatureBox, "ようき　　"},
      {Action::Click, deliveryShinyCheck},
      {Action::Type, deliveryTrainerIdField, "54321"},
      {Action::Type, deliverySecretIdField, "1"}},
     R"("deliverymanSearch": true, "deliveryNaturePosition": 3, "deliveryNature": 14,
        "deliveryShiny": true, "deliveryTrainerId": 54321, "deliverySecretId": 1)"},
    {"comet_shard",
     {{Action::Check, cometShardCheck}},
     cometShardOptionsButton,
     {{Action::Click, compoundEyesCheck}},
     R"("cometShardSearch": true, "compoundEyes": false)"},
    {"dome",
     {{Action::Check, domeCheck}},
     domeOptionsButton,
     {{Action::Choose, domeTrainerBoxes[0], "OLのアツコ"},
      {Action::Choose, domeTrainerBoxes[2], "パイロットのマサフミ"},
      {Action::Choose, domeTrainerBoxes[5], "えんじのマユコ"},
      {Action::Type, domeSlackField, "1"}},
     R"("domeSearch": true, "domeTrainers": [1, 0, 31, 0, 0, 52], "domeConsumptionSlack": 1)"},
};

const CalibrationScript consoleCalibration = {
    typeEach(macFields, {"00", "09", "BF", "12", "34", "56"}) + ControlSteps{{Action::Type, gxStatEdit, "6000000"}},
    ControlSteps{{Action::Choose, consoleGameBox, "ホワイト2"},
                 {Action::Choose, consoleLanguageBox, "英語"},
                 {Action::Choose, consoleKindBox, "DS Lite"}} +
        typeEach(sixFrom<consoleBootFields>, {"12", "10", "7", "12", "34", "56"}) +
        typeEach(sixFrom<consoleIvMinFields>, {"15", "29", "10", "9", "9", "29"}) +
        typeEach(sixFrom<consoleIvMaxFields>, {"15", "29", "10", "9", "9", "29"}) +
        ControlSteps{{Action::Type, consolePositionField, "2"}},
    {"82", "10F3", "6", "12:34:56"},
    "1件見つかりました。",
    {Game::White2, Language::English, ConsoleKind::DsLite},
};

std::string searchedResult(const std::string& settingsJson) {
  SettingsFromJson loaded = settingsFromJson(parseSettingsText(settingsJson), SearchSettings{});
  if (!loaded.messageWordsGiven) applyMacAddress(loaded.settings, loaded.mac.value_or(MacAddress{}));
  clampPidConsumption(loaded.settings);
  StringSink result;
  runSearch(loaded.settings, result);
  return result.text();
}

}  // namespace hanabira::testing
