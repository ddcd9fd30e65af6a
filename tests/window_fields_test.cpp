// How the start and save commands read the window's fields, and the messages the window
// shows when a search cannot start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <sstream>
#include <string>

#include "engine/calibration.h"
#include "engine/settings_validation.h"
#include "evaluate/search_modes.h"
#include "ui/model/control_ids.h"
#include "ui/model/file_problem.h"
#include "ui/model/main_window_layout.h"
#include "ui/model/problem_messages.h"
#include "ui/model/window_fields.h"

namespace hanabira {
namespace {

SearchSettings readStart(const WindowFields& fields, SearchSettings settings = {}) {
  readStartFields(fields, settings);
  return settings;
}

TEST(WindowFields, FieldsCountOnlyTheirLeadingCharacters) {
  WindowFields fields;
  fields.texts = {
      {startYearEdit, "1234"},           {vcountEdit, "0x5F"},  {timer0Edit, "0C79F"},  {gxStatEdit, "6000000z"},
      {startMonthEdit, "12ab"},          {startDayEdit, "xyz"}, {ivMinEdits + 2, "-1"}, {ivConsumptionMaxEdit, "12345"},
      {pidConsumptionMaxEdit, "123456"}, {startHourEdit, " 7"}};
  const SearchSettings s = readStart(fields);
  EXPECT_EQ(s.startYear, 12);
  EXPECT_EQ(s.vcount, 0x5u);  // the prefix takes two of the three characters
  EXPECT_EQ(s.timer0, 0xC79Fu);
  EXPECT_EQ(s.gxStat, 0x6000000u);
  EXPECT_EQ(s.startMonth, 12);
  EXPECT_EQ(s.startDay, 0);
  EXPECT_EQ(s.ivMin[2], -1);  // passed on as typed
  EXPECT_EQ(s.ivConsumptionMax, 1234);
  EXPECT_EQ(s.pidConsumptionMax, 12345);
  EXPECT_EQ(s.startHour, 7);

  fields.texts[vcountEdit] = "5F";
  EXPECT_EQ(readStart(fields).vcount, 0x5Fu);
}

// Whatever is typed, a field reads only as many characters as it counts: a very long
// number gives that many digits, and text without ASCII digits (full-width digits,
// Japanese) reads as 0, as an empty field does.
TEST(WindowFields, EveryFieldReadsOnlyTheCharactersItCounts) {
  WindowFields nines;
  WindowFields fullWidth;
  for (const ControlPlace& place : mainWindowControls) {
    if (place.kind != ControlKind::Edit) continue;
    nines.texts[place.id] = std::string(100000, '9');
    fullWidth.texts[place.id] = "１２３４あ";
  }
  const SearchSettings s = readStart(nines);
  EXPECT_EQ(s.vcount, 0x999u);
  EXPECT_EQ(s.timer0, 0x99999u);
  EXPECT_EQ(s.gxStat, 0x99999999u);
  EXPECT_EQ(s.frame, 99999999);
  EXPECT_EQ(s.messageWord6, 0x9999u);
  for (int value : {s.startYear, s.startMonth, s.startDay, s.endYear, s.endMonth, s.endDay, s.startHour, s.endHour,
                    s.startMinute, s.endMinute, s.startSecond, s.endSecond, s.hiddenPowerMinPower}) {
    EXPECT_EQ(value, 99);
  }
  EXPECT_EQ(s.ivMax, (StatArray{99, 99, 99, 99, 99, 99}));
  EXPECT_EQ(s.ivMin, (StatArray{99, 99, 99, 99, 99, 99}));
  EXPECT_EQ(s.ivConsumptionMin, 9999);
  EXPECT_EQ(s.pidConsumptionMax, 99999);

  const SearchSettings none = readStart(fullWidth);
  const SearchSettings empty = readStart({});
  EXPECT_EQ(none.vcount, empty.vcount);
  EXPECT_EQ(none.gxStat, empty.gxStat);
  EXPECT_EQ(none.messageWord7, empty.messageWord7);
  EXPECT_EQ(none.startYear, 0);
  EXPECT_EQ(none.ivMax, empty.ivMax);
  EXPECT_EQ(none.pidConsumptionMax, 0);
}

TEST(WindowFields, EmptyFieldsReadAsZero) {
  const SearchSettings s = readStart({});
  EXPECT_EQ(s.vcount, 0u);
  EXPECT_EQ(s.frame, 0);
  EXPECT_EQ(s.endHour, 0);
  EXPECT_EQ(s.ivMax[5], 0);
  EXPECT_EQ(s.hiddenPowerMinPower, 0);
  EXPECT_EQ(s.messageWord6, 0u);
  EXPECT_EQ(s.messageWord7, 0u);
}

TEST(WindowFields, AddressWordsTakeGxStatAndFrame) {
  WindowFields fields;
  fields.texts = {{macEdits + 0, "00"}, {macEdits + 1, "11"}, {macEdits + 2, "22"},    {macEdits + 3, "33"},
                  {macEdits + 4, "44"}, {macEdits + 5, "55"}, {gxStatEdit, "6000000"}, {frameEdit, "8"}};
  SearchSettings s = readStart(fields);
  EXPECT_EQ(s.messageWord6, 0x4455u);
  EXPECT_EQ(s.messageWord7, 0x00112233u ^ 0x08000006u);

  // Frame -1 enters as 0xFFFFFFFF before the bytes are swapped.
  fields.texts = {{frameEdit, "-1"}, {gxStatEdit, "6000000"}};
  s = readStart(fields);
  EXPECT_EQ(s.frame, -1);
  EXPECT_EQ(s.messageWord7, 0xFFFFFFF9u);

  // A signed address byte keeps its low byte only; the neighbouring bytes stay apart.
  fields.texts = {{macEdits + 0, "-1"}};
  EXPECT_EQ(readStart(fields).messageWord7, 0xFF000000u);
}

TEST(WindowFields, CheckBoxesComboAndVersion) {
  WindowFields fields;
  fields.checked = {shinyPidCheck, domeCheck, roamingCheck, is3dsCheck, keyInputCheck, whiteRadio};
  fields.hiddenPowerItem = 16;
  SearchSettings options;
  options.trainerId = 12345;  // set by an option dialog
  const SearchSettings s = readStart(fields, options);
  EXPECT_TRUE(s.shinyPidSearch && s.domeSearch && s.roaming && s.is3ds && s.keyInputEnabled);
  EXPECT_TRUE(!s.inheritanceSearch && !s.deliverymanSearch && !s.cometShardSearch);
  EXPECT_EQ(s.hiddenPowerType, 15);
  EXPECT_EQ(s.versionWord, whiteVersionWord);
  EXPECT_EQ(s.trainerId, std::uint16_t{12345});

  fields = {};
  EXPECT_EQ(readStart(fields).hiddenPowerType, -1);
  fields.checked = {blackRadio};
  SearchSettings loaded;
  loaded.versionWord = 0x02215F20;
  EXPECT_EQ(readStart(fields, loaded).versionWord, blackVersionWord);
  // Neither version checked: the word from "config.txt" stays in force.
  fields.checked = {};
  EXPECT_EQ(readStart(fields, loaded).versionWord, 0x02215F20u);
}

// Every mode but the plain search has a check box of the window, which asks for it alone.
TEST(WindowFields, EveryModeHasItsCheckBox) {
  for (const SearchModeDefinition& row : searchModes()) {
    if (row.flag == nullptr) continue;
    const auto box = std::find_if(modeCheckBoxes.begin(), modeCheckBoxes.end(),
                                  [&](const ModeCheckBox& b) { return b.mode == row.mode; });
    ASSERT_NE(box, modeCheckBoxes.end()) << row.name;
    EXPECT_TRUE(std::any_of(mainWindowControls.begin(), mainWindowControls.end(), [&](const ControlPlace& c) {
      return c.id == box->id && c.kind == ControlKind::CheckBox;
    })) << row.name;
    WindowFields fields;
    fields.checked = {box->id};
    EXPECT_EQ(selectSearchMode(readStart(fields)), row.mode) << row.name;
  }
}

TEST(WindowFields, SaveReadsTheConsoleFieldsLikeTheStart) {
  WindowFields fields;
  fields.texts = {{vcountEdit, "1FFF"}, {timer0Edit, "0c79"}, {gxStatEdit, "6000000"},
                  {frameEdit, "-3"},    {macEdits + 0, "ab"}, {macEdits + 5, "5"}};
  fields.checked = {blackRadio};
  ConsoleParameters saved = readSavedConsole(fields);
  EXPECT_EQ(saved.vcount, 0x1FFu);
  EXPECT_EQ(saved.timer0, 0xC79u);
  EXPECT_EQ(saved.frame, -3);
  EXPECT_EQ(saved.mac, (MacAddress{0xAB, 0, 0, 0, 0, 0x05}));
  EXPECT_EQ(saved.versionWord, blackVersionWord);
  // Without "ブラック" checked the save writes White, even when neither is checked.
  fields.checked = {};
  saved = readSavedConsole(fields);
  EXPECT_EQ(saved.versionWord, whiteVersionWord);

  SearchSettings settings;
  settings.startYear = 11;
  applyConsoleParameters(saved, settings);
  EXPECT_EQ(settings.vcount, 0x1FFu);
  EXPECT_EQ(settings.versionWord, whiteVersionWord);
  EXPECT_EQ(settings.startYear, 11);
}

TEST(ProblemMessages, ProblemsAreNamedInJapanese) {
  SearchSettings s;
  s.startYear = s.endYear = 11;
  s.startMonth = 4;
  s.startDay = 31;
  s.endMonth = 5;
  s.endDay = 1;
  EXPECT_EQ(settingsProblemMessage(*findSettingsProblem(s)),
            std::string("検索を開始できません。\n開始日付の日の値 31 は範囲外です。\n2011年4月は30日までです。"));

  s.startDay = 1;
  s.endHour = 24;
  EXPECT_EQ(settingsProblemMessage(*findSettingsProblem(s)),
            std::string("検索を開始できません。\n終了の時の値 24 は範囲外です。\n0～23を指定してください。"));

  s.endHour = 23;
  s.ivConsumptionMax = 7;
  s.inheritanceSearch = true;
  s.eggAbility = 3;
  EXPECT_EQ(settingsProblemMessage(*findSettingsProblem(s)),
            std::string("検索を開始できません。\nメタモンとの組み合わせでは夢特性は遺伝しません。\n"
                        "メタモン無しを選ぶか、特性に「夢」以外を指定してください。"));
  s.inheritanceSearch = false;

  s.endHour = 23;
  s.ivConsumptionMax = 10000;
  EXPECT_TRUE(settingsProblemMessage(*findSettingsProblem(s)).ends_with("9999以下を指定してください。"));

  const SettingsProblem unknown{"someOption", -2, SettingsProblem::Kind::OutOfRange, 0,
                                std::numeric_limits<int>::max()};
  EXPECT_EQ(settingsProblemMessage(unknown),
            std::string("検索を開始できません。\nsomeOptionの値 -2 は範囲外です。\n0以上を指定してください。"));
}

// The lines of every message but the path and the system's detail: in Japanese, and
// short enough that a message box shows each unbroken.
void expectShortJapaneseLines(const std::string& message, std::string_view path) {
  std::istringstream lines(message);
  for (std::string line; std::getline(lines, line);) {
    if (line == path || line.starts_with("詳細: ")) continue;
    std::string withoutName = line;
    if (const auto name = withoutName.find("config.txt"); name != std::string::npos) withoutName.erase(name, 10);
    EXPECT_FALSE(std::any_of(withoutName.begin(), withoutName.end(), [](char c) { return std::isalpha(c) != 0; }))
        << line;
    const auto characters = std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; });
    EXPECT_LE(characters, 32) << line;
  }
}

TEST(ProblemMessages, FileProblemsSayTheCommonReasonsInJapanese) {
  const std::filesystem::path file = "/no such folder/config.txt";
  EXPECT_EQ(fileProblem(file, EISDIR).reason, FileProblem::Reason::Folder);
  EXPECT_EQ(fileProblem(std::filesystem::temp_directory_path(), EACCES).reason, FileProblem::Reason::Folder);
  EXPECT_EQ(fileProblem(file, EACCES).reason, FileProblem::Reason::NoPermission);
  EXPECT_EQ(fileProblem(file, ENOSPC).reason, FileProblem::Reason::DiskFull);
  EXPECT_EQ(fileProblem(file, ENOENT).reason, FileProblem::Reason::MissingFolder);
  const FileProblem other = fileProblem(file, EIO);
  EXPECT_EQ(other.reason, FileProblem::Reason::Other);
  EXPECT_NE(reasonText(other).find("\n詳細: " + other.systemText), std::string::npos);
  EXPECT_EQ(reasonText(fileProblem(file, 0)), "システムのエラーです。");  // no reason given

  const std::string path = "C:\\ユーザー\\とても長い名前のフォルダー\\その中のフォルダー\\result.txt";
  for (const FileProblem& problem :
       {fileProblem(file, EISDIR), fileProblem(file, EACCES), fileProblem(file, ENOSPC), fileProblem(file, ENOENT),
        FileProblem{FileProblem::Reason::NotAFile, {}}, other}) {
    for (const std::string& message : {resultFileCreateMessage(path, problem), resultFileWriteMessage(path, problem),
                                       configLoadMessage(path, problem), configSaveMessage(path, problem)}) {
      EXPECT_NE(message.find("\n" + path + "\n"), std::string::npos) << message;  // on a line of its own
      expectShortJapaneseLines(message, path);
    }
  }
  expectShortJapaneseLines(resultFileNotOpenedMessage(path), path);
  expectShortJapaneseLines(settingsWarningMessage({SettingsWarning::Kind::PidConsumptionLowered, 5000}), path);
}

TEST(ProblemMessages, RefusedSettingsAreToldOnShortLines) {
  SearchSettings s;
  s.startYear = s.endYear = 11;
  s.startMonth = 4;
  s.startDay = 31;
  s.endMonth = 5;
  s.endDay = 1;
  expectShortJapaneseLines(settingsProblemMessage(*findSettingsProblem(s)), {});
  s.startDay = 1;
  s.inheritanceSearch = true;
  s.eggAbility = 3;
  expectShortJapaneseLines(settingsProblemMessage(*findSettingsProblem(s)), {});
}

// The ranges are typed in hexadecimal in the console dialog, and named so.
TEST(ProblemMessages, RangesAreNamedInHexadecimal) {
  SearchSettings s;
  s.startYear = s.endYear = 11;
  s.vcountRange = ParameterRange{0x60, 0x5F};
  EXPECT_EQ(
      settingsProblemMessage(*findSettingsProblem(s)),
      std::string("検索を開始できません。\nVCountの範囲(上限)の値 5F は範囲外です。\n60～FFFFを指定してください。"));

  s.vcountRange = ParameterRange{0x50, 0xC0};
  s.timer0Range = ParameterRange{0x10000, 0x10000};
  EXPECT_EQ(
      settingsProblemMessage(*findSettingsProblem(s)),
      std::string("検索を開始できません。\nTimer0の範囲(下限)の値 10000 は範囲外です。\n0～FFFFを指定してください。"));

  // 113 VCounts leave room for 9279 Timer0s.
  s.timer0Range = ParameterRange{0, 0xFFFF};
  EXPECT_EQ(
      settingsProblemMessage(*findSettingsProblem(s)),
      std::string("検索を開始できません。\nTimer0の範囲(上限)の値 FFFF は範囲外です。\n0～243Eを指定してください。\n"
                  "VCount×Timer0は1048576通りまでです。"));
}

// What the window searches with a warning, and a config.txt it cannot read, on short lines.
TEST(ProblemMessages, WarningsAndConfigLinesAreToldOnShortLines) {
  using Kind = SettingsWarning::Kind;
  const std::pair<SettingsWarning, std::string> warnings[] = {
      {{Kind::IvMinOutside, 32, {}, 5},
       "個体値の下限(S)の値 32 は0～31の範囲外です。\nこの条件に合う個体値はありません。"},
      {{Kind::IvMaxOutside, 99, {}, 0}, "個体値の上限(H)の値 99 は0～31の範囲外です。\n31として検索します。"},
      {{Kind::IvMinAboveIvMax, 20, {}, 1, 10},
       "個体値の下限(A)の値 20 が上限 10 を超えています。\nこの条件に合う個体値はありません。"},
      {{Kind::HiddenPowerOutside, -9}, "めざパの威力の値 -9 は30～70の範囲外です。\n30として検索します。"},
      {{Kind::EndDateBeforeStart, 0, {}, 0, 0, Date{11, 9, 27}, Date{11, 9, 1}},
       "終了日付 2011年9月1日 は開始日付より前です。\n開始日付 2011年9月27日 だけを検索します。"},
  };
  for (const auto& [warning, message] : warnings) {
    EXPECT_EQ(settingsWarningMessage(warning), message);
    std::istringstream lines(message);
    for (std::string line; std::getline(lines, line);) {  // the stats are named by their letters
      EXPECT_LE(std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; }), 32) << line;
    }
  }
  const std::string path = "/home/user/config.txt";
  expectShortJapaneseLines(configContentMessage(path, {3, ConsoleConfigProblem::Kind::NotText, "0x00"}), path);
  EXPECT_EQ(configContentMessage(path, {7, ConsoleConfigProblem::Kind::BadEdition, "edition=White3,ENG,DS"}),
            "config.txt の7行目を読み込めません。\n" + path +
                "\nedition=White3,ENG,DS\n版と本体の指定が正しくありません。\nこの行を除いて読み込みました。");
}

TEST(ProblemMessages, CalibrationNamesTheDialogsFields) {
  SearchSettings s;
  s.startYear = s.endYear = 12;
  s.startMonth = s.endMonth = 10;
  s.startDay = s.endDay = 7;
  s.startSecond = 60;
  CalibrationRequest request = calibrationRequest(s);
  EXPECT_EQ(calibrationProblemMessage(*findCalibrationProblem(request)),
            std::string("計算を開始できません。\n起動日時の秒の値 60 は範囲外です。\n0～59を指定してください。"));

  request.settings.startSecond = 59;
  request.secondsAround = maxCalibrationSeconds + 1;
  EXPECT_EQ(calibrationProblemMessage(*findCalibrationProblem(request)),
            std::string("計算を開始できません。\n起動日時の±秒の値 601 は範囲外です。\n0～600を指定してください。"));

  // What the dialog does not show is named as the window names it.
  request.secondsAround = 5;
  request.settings.endHour = 24;
  EXPECT_EQ(calibrationProblemMessage(*findCalibrationProblem(request)),
            std::string("計算を開始できません。\n終了の時の値 24 は範囲外です。\n0～23を指定してください。"));
}

}  // namespace
}  // namespace hanabira
