// The start button's command and the dialogs' commands without a toolkit: a recording
// window stands in for the real one, and the test's thread plays the window's, running
// what the search or the command's work posts.
#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/utf8_path.h"
#include "engine/profile_search.h"
#include "engine/result_sink.h"
#include "engine/search_engine.h"
#include "ui/model/boot_timer_panel.h"
#include "ui/model/console_dialog.h"
#include "ui/model/control_ids.h"
#include "ui/model/dialog_commands.h"
#include "ui/model/main_window_layout.h"
#include "ui/model/neighbour_view.h"
#include "ui/model/problem_messages.h"
#include "ui/model/search_command.h"
#include "vocab/cp932.h"

namespace hanabira {
namespace {

namespace fs = std::filesystem;

class RecordingView final : public SearchView {
 public:
  void showStartCaption(std::string_view caption) override { captions.emplace_back(caption); }
  void showTitle(std::string_view title) override { titles.emplace_back(title); }
  void showProgressBar(const ProgressBarState& bar) override { bars.push_back(bar); }
  void showMessage(const std::string& text) override { messages.push_back(text); }
  void resultFileWritten(const fs::path& path) override { written.push_back(path); }

  std::vector<std::string> captions, titles, messages;
  std::vector<ProgressBarState> bars;
  std::vector<fs::path> written;
};

// What the searching thread posts, run on the test's thread when it asks.
class PostedTasks {
 public:
  SearchRunner::Post post() {
    return [this](std::function<void()> task) {
      const std::lock_guard lock(mutex_);
      tasks_.push_back(std::move(task));
      posted_.notify_one();
    };
  }

  void runUntil(const std::function<bool()>& done) {
    while (!done()) {
      std::unique_lock lock(mutex_);
      posted_.wait(lock, [this] { return !tasks_.empty(); });
      std::function<void()> task = std::move(tasks_.front());
      tasks_.pop_front();
      lock.unlock();
      task();
    }
  }

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> tasks_;
};

// The window as it opens, searching 2011-09-27 from `hour` to `endHour`.
WindowFields freshWindow(const char* hour, const char* endHour) {
  WindowFields fields;
  for (const ControlPlace& place : mainWindowControls) {
    if (place.kind == ControlKind::Edit) fields.texts[place.id] = place.text;
  }
  for (int id : {startYearEdit, endYearEdit}) fields.texts[id] = "11";
  for (int id : {startMonthEdit, endMonthEdit}) fields.texts[id] = "9";
  for (int id : {startDayEdit, endDayEdit}) fields.texts[id] = "27";
  fields.texts[startHourEdit] = hour;
  fields.texts[endHourEdit] = endHour;
  fields.checked = {blackRadio};
  return fields;
}

std::string slurp(const fs::path& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

// The table's header and rows as the result file holds them.
std::string tableAsFile(const ResultTable& table) {
  std::string header;
  for (const std::string& column : table.columns()) header += (header.empty() ? "" : ",") + column;
  std::vector<std::size_t> rows(table.rowCount());
  for (std::size_t row = 0; row < rows.size(); ++row) rows[row] = row;
  return utf8ToCp932(header + "\r\n" + table.copyText(rows));
}

class SearchCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("hanabira-search-command-test-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  RecordingView view_;
  PostedTasks tasks_;
  SearchCommand command_{view_, tasks_.post()};
  SearchSettings settings_;
};

TEST_F(SearchCommandTest, StartSearchesTheFieldsAndTellsTheWindow) {
  const fs::path result = dir_ / resultFileName;
  command_.startOrAbort(freshWindow("13", "13"), settings_, result);
  EXPECT_TRUE(command_.isRunning());
  EXPECT_EQ(view_.captions, std::vector<std::string>{"中断"});
  ASSERT_EQ(view_.bars.size(), 1u);
  EXPECT_EQ(view_.bars[0].text, "");

  tasks_.runUntil([&] { return !view_.written.empty(); });
  EXPECT_FALSE(command_.isRunning());
  EXPECT_EQ(view_.written, std::vector<fs::path>{result});
  EXPECT_EQ(view_.captions.back(), "検索開始");
  EXPECT_EQ(view_.titles.back(), mainWindowTitle());
  EXPECT_EQ(view_.bars.back().text, "検索完了");
  EXPECT_TRUE(view_.messages.empty());
  EXPECT_EQ(settings_.startHour, 13);  // the fields were read into the window's settings
  StringSink expected;
  runSearch(settings_, expected);
  EXPECT_EQ(slurp(result), expected.text());
  EXPECT_GT(command_.resultTable().rowCount(), 0u);
  EXPECT_EQ(tableAsFile(command_.resultTable()), expected.text());
}

TEST_F(SearchCommandTest, RefusalsAreMessagesAndStartNothing) {
  command_.startOrAbort(freshWindow("13", "24"), settings_, dir_ / resultFileName);
  const fs::path nowhere = dir_ / "missing" / resultFileName;
  command_.startOrAbort(freshWindow("13", "13"), settings_, nowhere);
  ASSERT_EQ(view_.messages.size(), 2u);
  EXPECT_EQ(view_.messages[0], "検索を開始できません。\n終了の時の値 24 は範囲外です。\n0～23を指定してください。");
  EXPECT_EQ(view_.messages[1], "検索を開始できません。\n結果ファイルを作成できません。\n" + utf8FromPath(nowhere) +
                                   "\nフォルダーが見つかりません。");
  EXPECT_FALSE(command_.isRunning());
  EXPECT_TRUE(view_.captions.empty());
  EXPECT_FALSE(fs::exists(dir_ / resultFileName));
}

TEST_F(SearchCommandTest, AbortEndsWithTheFileAndClosingWithNothing) {
  command_.startOrAbort(freshWindow("0", "23"), settings_, dir_ / resultFileName);
  command_.startOrAbort(freshWindow("0", "23"), settings_, dir_ / resultFileName);
  EXPECT_EQ(view_.captions, (std::vector<std::string>{"中断", "検索開始"}));  // at once, before it stopped
  tasks_.runUntil([&] { return !view_.written.empty(); });
  EXPECT_FALSE(command_.isRunning());
  EXPECT_TRUE(view_.bars.back().text.ends_with("%で中断")) << view_.bars.back().text;

  command_.startOrAbort(freshWindow("0", "23"), settings_, dir_ / resultFileName);
  command_.abortForClosing();
  EXPECT_FALSE(command_.isRunning());
  EXPECT_EQ(view_.written.size(), 1u);
  EXPECT_TRUE(view_.messages.empty());
}

ConsoleProfile console(std::string name, std::uint32_t vcount, std::uint32_t timer0, std::uint8_t macEnd) {
  ConsoleProfile profile{std::move(name), {}, {}};
  profile.console.vcount = vcount;
  profile.console.timer0 = timer0;
  profile.console.gxStat = 0x06000000;
  profile.console.frame = 8;
  profile.console.mac = {0x00, 0x09, 0xBF, 0x12, 0x34, macEnd};
  return profile;
}

// Over every profile the window writes the profiles' search, and a line of it is looked
// at (its neighbours, its boot) with its own profile's console, past the profile column.
TEST_F(SearchCommandTest, EveryProfileSearchesEachInTurnAndItsLinesKeepTheirProfile) {
  const ConsoleProfiles profiles = {console("DS Lite", 0x60, 0xC79, 0x56), console("3DS", 0x82, 0x10F5, 0x57)};
  const fs::path result = dir_ / resultFileName;
  command_.startOrAbort(freshWindow("13", "13"), settings_, result, &profiles);
  tasks_.runUntil([&] { return !view_.written.empty(); });
  EXPECT_TRUE(view_.messages.empty());
  EXPECT_EQ(view_.bars.back().text, "検索完了");
  StringSink expected;
  runProfileSearch(settings_, profiles, expected);
  EXPECT_EQ(slurp(result), expected.text());
  const ResultTable& table = command_.resultTable();
  EXPECT_EQ(tableAsFile(table), expected.text());

  ASSERT_TRUE(command_.searched());
  for (const std::size_t row : {std::size_t{0}, table.rowCount() - 1}) {
    const ConsoleProfile& profile = row == 0 ? profiles[0] : profiles[1];
    ASSERT_EQ(table.cell(row, 0), profile.name);
    const std::optional<RowHit> hit = hitOfRow(table, row, *command_.searched());
    ASSERT_TRUE(hit) << row;
    EXPECT_EQ(hit->settings.messageWord6, profileSettings(settings_, profile).messageWord6);  // its address
    EXPECT_EQ(hit->hit.vcount, profile.console.vcount);
    EXPECT_EQ(hit->hit.timer0, profile.console.timer0);
    EXPECT_EQ(hit->hit.hour, 13);
    EXPECT_EQ(bootTargetOfRow(table, row), (BootTarget{{11, 9, 27}, 13, hit->hit.minute, hit->hit.second}));
  }
  // A name the lines do not hold: no profile of this search.
  SearchedLines renamed = *command_.searched();
  renamed.profiles[0].name = "DSi";
  EXPECT_EQ(renamed.settingsOfRow(table, 0), nullptr);
}

// A profile the search refuses is named; an empty list is refused too; neither writes.
TEST_F(SearchCommandTest, EveryProfileRefusedNamesTheProfileAndWritesNothing) {
  ConsoleProfiles profiles = {console("DS Lite", 0x60, 0xC79, 0x56), console("3DS", 0x82, 0x10F5, 0x57)};
  profiles[1].console.timer0Range = ParameterRange{0x10F0, 0x10F5};
  const fs::path result = dir_ / resultFileName;
  command_.startOrAbort(freshWindow("13", "13"), settings_, result, &profiles);
  const ConsoleProfiles none;
  command_.startOrAbort(freshWindow("13", "13"), settings_, result, &none);
  ASSERT_EQ(view_.messages.size(), 2u);
  EXPECT_EQ(view_.messages[0],
            "プロファイル「3DS」: 行の列がプロファイル「DS Lite」と異なります (VCount か Timer0 "
            "の範囲が片方にだけあります)。");
  EXPECT_EQ(view_.messages[1], "検索するプロファイルがありません。プロファイルの「設定」ボタンで作成してください。");
  EXPECT_FALSE(command_.isRunning());
  EXPECT_FALSE(fs::exists(result));
}

// The console dialog's calibration of the README's worked example: an English White 2
// on a DS Lite that gave 15 29 10 9 9 29 at position 2 at about 2012-10-07 12:34:56.
class ConsoleCommandTest : public ::testing::Test {
 protected:
  ConsoleCommandTest() {
    window_.gxStat = 0x06000000;
    applyMacAddress(window_, {0x00, 0x09, 0xBF, 0x12, 0x34, 0x56});
    state_ = consoleDialogDesign.shown(window_);
    state_.selected[consoleGameBox] = static_cast<int>(Game::White2);
    state_.selected[consoleLanguageBox] = static_cast<int>(Language::English);
    state_.selected[consoleKindBox] = static_cast<int>(ConsoleKind::DsLite);
    consoleDialogDesign.changed(consoleKindBox, state_);  // its typical ranges
    const std::array<const char*, 6> boot = {"12", "10", "7", "12", "34", "56"};
    const std::array<const char*, 6> ivs = {"15", "29", "10", "9", "9", "29"};
    for (int k = 0; k < 6; ++k) {
      state_.texts[consoleBootFields + k] = boot[static_cast<std::size_t>(k)];
      state_.texts[consoleIvMinFields + k] = state_.texts[consoleIvMaxFields + k] = ivs[static_cast<std::size_t>(k)];
    }
    state_.texts[consolePositionField] = "2";
  }

  SearchSettings window_;
  DialogState state_;
  PostedTasks tasks_;
  int updates_ = 0;
  DialogCommands commands_{consoleDialogDesign, tasks_.post(), [this](const DialogUpdate& update) {
                             ++updates_;
                             if (update) update(state_);
                           }};
};

TEST_F(ConsoleCommandTest, CalibrationRunsOffTheWindowsThreadAndListsWhatItFound) {
  EXPECT_EQ(commands_.press(consoleCalibrateButton, state_, window_), "");
  EXPECT_TRUE(commands_.isRunning());
  EXPECT_EQ(state_.text(consoleCalibrationStatus), "計算中…");
  EXPECT_EQ(commands_.label(consoleCalibrateButton), "中止");
  tasks_.runUntil([&] { return !commands_.isRunning(); });

  EXPECT_EQ(updates_, 1);
  EXPECT_EQ(commands_.label(consoleCalibrateButton), "計算");
  EXPECT_EQ(state_.text(consoleCalibrationStatus), "1件見つかりました。");
  ASSERT_EQ(state_.rows[consoleResultTable].size(), 1u);
  EXPECT_EQ(state_.rows[consoleResultTable][0],
            (std::vector<std::string>{"82", "10F3", "6", "12:34:56", "+0", "なし", "2"}));
  EXPECT_EQ(state_.selection(consoleResultTable), 0);

  // Again, with values no boot gave: the old rows go at once.
  state_.texts[consoleIvMinFields] = state_.texts[consoleIvMaxFields] = "16";
  EXPECT_EQ(commands_.press(consoleCalibrateButton, state_, window_), "");
  EXPECT_TRUE(state_.rows[consoleResultTable].empty());
  tasks_.runUntil([&] { return !commands_.isRunning(); });
  EXPECT_EQ(state_.text(consoleCalibrationStatus), "見つかりませんでした。");
  EXPECT_EQ(state_.selection(consoleResultTable), -1);
}

TEST_F(ConsoleCommandTest, PressingAgainStopsTheCalibration) {
  // The wide ranges, which take seconds.
  state_.texts[consoleVcountMinField] = "50";
  state_.texts[consoleVcountMaxField] = "C0";
  state_.texts[consoleTimer0MinField] = "C00";
  state_.texts[consoleTimer0MaxField] = "1900";
  EXPECT_EQ(commands_.press(consoleCalibrateButton, state_, window_), "");
  EXPECT_EQ(commands_.press(consoleCalibrateButton, state_, window_), "");  // returns at once
  tasks_.runUntil([&] { return !commands_.isRunning(); });
  EXPECT_EQ(updates_, 1);
  EXPECT_EQ(state_.text(consoleCalibrationStatus), "計算を中止しました。");
  EXPECT_TRUE(state_.rows[consoleResultTable].empty());
  EXPECT_EQ(commands_.label(consoleCalibrateButton), "計算");

  consoleDialogDesign.changed(consoleKindBox, state_);  // and it runs again
  EXPECT_EQ(commands_.press(consoleCalibrateButton, state_, window_), "");
  tasks_.runUntil([&] { return !commands_.isRunning(); });
  EXPECT_EQ(state_.rows[consoleResultTable].size(), 1u);
}

TEST_F(ConsoleCommandTest, ARefusedCalibrationIsAMessageAndRunsNothing) {
  state_.texts[consoleSecondsField] = "601";
  EXPECT_EQ(commands_.press(consoleCalibrateButton, state_, window_),
            "計算を開始できません。\n起動日時の±秒の値 601 は範囲外です。\n0～600を指定してください。");
  state_.texts[consoleSecondsField] = "5";
  state_.texts[consoleVcountMaxField] = "4F";
  EXPECT_EQ(commands_.press(consoleCalibrateButton, state_, window_),
            "計算を開始できません。\nVCountの範囲(上限)の値 4F は範囲外です。\n81～FFFFを指定してください。");
  EXPECT_FALSE(commands_.isRunning());
  EXPECT_EQ(state_.text(consoleCalibrationStatus), "");
  EXPECT_EQ(updates_, 0);
}

// The dialog closes while the work runs: it stops, and nothing of it reaches the dialog.
TEST(DialogCommands, GoingAwayStopsTheWorkAndDropsItsUpdate) {
  PostedTasks tasks;
  int finished = 0;
  OptionDialogDesign design = consoleDialogDesign;
  design.run = [](int, DialogState&, const SearchSettings&) -> DialogCommand {
    return {[](const std::atomic<bool>& cancel) -> DialogUpdate {
      while (!cancel.load()) std::this_thread::yield();
      return [](DialogState& state) { state.texts[1] = "stopped"; };
    }};
  };
  {
    DialogCommands commands(design, tasks.post(), [&](const DialogUpdate&) { ++finished; });
    DialogState state;
    commands.press(7, state, SearchSettings{});
    EXPECT_TRUE(commands.isRunning());
  }  // returns only once the work has seen the stop
  EXPECT_EQ(finished, 0);
}

// As the command line warns, the window says that it lowers a range the game never reaches.
TEST_F(SearchCommandTest, PidRangeLoweredIsSaidAndSearched) {
  WindowFields fields = freshWindow("13", "13");
  fields.texts[pidConsumptionMaxEdit] = "5000";
  command_.startOrAbort(fields, settings_, dir_ / resultFileName);
  EXPECT_TRUE(command_.isRunning());
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_NE(view_.messages[0].find("5000"), std::string::npos) << view_.messages[0];
  EXPECT_NE(view_.messages[0].find("2800 までを検索します"), std::string::npos) << view_.messages[0];
  tasks_.runUntil([&] { return !view_.written.empty(); });
  EXPECT_EQ(settings_.pidConsumptionMax, 2800);

  fields.texts[pidConsumptionMaxEdit] = "2800";
  command_.startOrAbort(fields, settings_, dir_ / resultFileName);
  command_.abortForClosing();
  EXPECT_EQ(view_.messages.size(), 1u);
}

// What the fields can hold but means less than it says is searched, told in one message.
TEST_F(SearchCommandTest, BoundsPastTheValuesAndAnEarlierEndDateAreSaidAndSearched) {
  WindowFields fields = freshWindow("13", "13");
  fields.texts[ivMinEdits + 0] = "32";
  fields.texts[endDayEdit] = "26";
  command_.startOrAbort(fields, settings_, dir_ / resultFileName);
  EXPECT_TRUE(command_.isRunning());
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0],
            "終了日付 2011年9月26日 は開始日付より前です。\n開始日付 2011年9月27日 だけを検索します。\n\n"
            "個体値の下限(H)の値 32 は0～31の範囲外です。\nこの条件に合う個体値はありません。");
  tasks_.runUntil([&] { return !view_.written.empty(); });
}

}  // namespace
}  // namespace hanabira
