// The neighbours window's model: a row of the results table names its boot, whose own
// line heads the neighbours' target; the rows are the lines `hanabira-cli adjacent`
// prints for the same request, what the player saw ordering them the same way.
#include "ui/model/neighbour_view.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli_app.h"
#include "cli/shared_options.h"
#include "core/key_input.h"
#include "engine/player_input.h"
#include "engine/settings_json.h"
#include "test_support.h"

namespace hanabira {
namespace {

std::string joined(const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t c = 0; c < cells.size(); ++c) line += (c == 0 ? "" : ",") + cells[c];
  return line + "\r\n";
}

// The view's table as adjacent prints it.
std::string viewText(const NeighbourView& view) {
  std::string text = joined(view.columns());
  for (std::size_t row = 0; row < view.rowCount(); ++row) text += joined(view.cells(row));
  return text;
}

struct CliOutput {
  int exitCode;
  std::string out;
  std::string err;
};

// `hanabira-cli adjacent` in this process, at `hit`, on the settings written to a file.
CliOutput adjacent(const SearchSettings& settings, const BootMoment& hit, std::vector<std::string> options) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "hanabira-neighbour-view.json";
  std::ofstream(file) << settingsToJson(settings).dump();
  std::vector<std::string> args = {"hanabira-cli",
                                   "adjacent",
                                   "-s",
                                   file.string(),
                                   "--encoding",
                                   "utf-8",
                                   "--keys",
                                   keysText(hit.keyMask),
                                   "--moment",
                                   fmt::format("20{:02}-{:02}-{:02}T{:02}:{:02}:{:02}", hit.year, hit.month, hit.day,
                                               hit.hour, hit.minute, hit.second),
                                   "--hit-vcount",
                                   fmt::format("{:X}", hit.vcount),
                                   "--hit-timer0",
                                   fmt::format("{:X}", hit.timer0)};
  args.insert(args.end(), options.begin(), options.end());
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out, err;
  const int exitCode = runCli(static_cast<int>(argv.size()), argv.data(), CliEnvironment{out, err});
  std::filesystem::remove(file);
  return {exitCode, out.str(), err.str()};
}

SearchSettings white2Target() {
  SettingsInput input;
  input.settingsPath = testing::sourceTreePath("docs/examples/white2-target.json");
  return loadSettings(input).settings;
}

BootMoment white2Hit() {
  BootMoment hit = *parseMoment("2012-10-07T12:33:46");
  hit.keyMask = *parseKeys("A");
  hit.vcount = 0x82;
  hit.timer0 = 0x10F3;
  return hit;
}

ResultTable tableOf(const std::string& utf8Result) {
  ResultTable table;
  table.start(TextEncoding::Utf8);
  table.add(utf8Result);
  return table;
}

// Each line of a search names its own boot: the neighbours' target is that line, in
// either language, with the file's VCount and Timer0 columns and keys whose names run
// into each other ("RightR").
TEST(NeighbourView, ARowsHitIsTheBootOfItsLine) {
  for (ResultLanguage language : {ResultLanguage::Japanese, ResultLanguage::English}) {
    SearchSettings settings = white2Target();
    settings.resultLanguage = language;
    settings.startMinute = 33;
    settings.endMinute = 34;
    settings.timer0Range = ParameterRange{0x10F2, 0x10F4};
    settings.keyAllowed = {true, false, false, true, true, false, false, false, true, false};
    settings.keyCountMax = 2;
    settings.ivMin = {20, 0, 0, 0, 0, 20};
    const ResultTable table = tableOf(testing::fastResult(settings, testing::utf8()));
    ASSERT_GT(table.rowCount(), 10u);
    int keysRunTogether = 0;
    for (std::size_t row = 0; row < table.rowCount(); row += 7) {
      const std::optional<BootMoment> hit = hitOfRow(table, row, settings);
      ASSERT_TRUE(hit) << row;
      keysRunTogether += heldKeyCount(hit->keyMask) > 1;
      NeighbourView view(settings, *hit);
      NeighbourFields hitAlone;
      hitAlone.seconds = hitAlone.timer0s = hitAlone.vcounts = hitAlone.positions = "0";
      ASSERT_EQ(view.recompute(hitAlone), std::nullopt);
      std::vector<std::string> line = {"*", "0", "0", "0"};
      for (std::size_t column = 0; column < table.columns().size(); ++column) {
        line.emplace_back(table.cell(row, column));
      }
      bool found = false;
      for (std::size_t shown = 0; shown < view.rowCount(); ++shown) found = found || view.cells(shown) == line;
      EXPECT_TRUE(found) << joined(line) << viewText(view);
    }
    EXPECT_GT(keysRunTogether, 0);
  }
  // Not a line of these settings' search.
  const ResultTable other = tableOf("年,月,日,時,分,秒,消費数\r\n12,2,30,1,2,3,4\r\n12,2,3,1,2,3\r\n");
  EXPECT_EQ(hitOfRow(other, 0, white2Target()), std::nullopt);
  SearchSettings ranges = white2Target();
  ranges.timer0Range = ParameterRange{0x10F2, 0x10F4};
  EXPECT_EQ(hitOfRow(other, 1, ranges), std::nullopt);  // no VCount and Timer0 columns
}

// The README's loop in the window: the same lines as adjacent, the miss a second late
// first; and another mode's outcomes, with the keys one away and a nature and shininess seen.
TEST(NeighbourView, RowsAreTheLinesAdjacentPrints) {
  // The command first: it sets the language of the texts, which the summaries compared share.
  const CliOutput plain = adjacent(white2Target(), white2Hit(), {});
  ASSERT_EQ(plain.exitCode, 0) << plain.err;
  NeighbourView view(white2Target(), white2Hit());
  ASSERT_EQ(view.recompute({}), std::nullopt);
  EXPECT_EQ(viewText(view), plain.out);
  EXPECT_EQ(view.summary() + "\n", plain.err);
  EXPECT_EQ(view.bestSecondsOff(), std::nullopt);

  const CliOutput observed = adjacent(white2Target(), white2Hit(), {"--observed", "28,23,0-5,20,24,0-31"});
  ASSERT_EQ(observed.exitCode, 0) << observed.err;
  NeighbourFields seen;
  seen.ivs = {"28", "23", "0-5", "20", "24", ""};
  ASSERT_EQ(view.recompute(seen), std::nullopt);
  EXPECT_EQ(viewText(view), observed.out);
  EXPECT_EQ(view.summary() + "\n", observed.err);
  ASSERT_GT(view.rowCount(), 0u);
  EXPECT_TRUE(view.agrees(0));
  EXPECT_FALSE(view.isTarget(0));
  EXPECT_EQ(view.bestSecondsOff(), 1);

  std::mt19937_64 random(26);
  const SearchSettings delivery = testing::randomSettings(random, SearchMode::DeliverymanSearch);
  BootMoment hit =
      *parseMoment(fmt::format("20{:02}-{:02}-{:02}T{:02}:{:02}:{:02}", delivery.startYear, delivery.startMonth,
                               delivery.startDay, delivery.startHour, delivery.startMinute, delivery.startSecond));
  hit.keyMask = *parseKeys("B");
  hit.vcount = searchedVcounts(delivery).min;
  hit.timer0 = searchedTimer0s(delivery).min;
  const CliOutput cli = adjacent(delivery, hit,
                                 {"--seconds", "1", "--timer0", "2", "--vcount", "0", "--positions", "1",
                                  "--keys-one-away", "--observed-nature", "Adamant", "--observed-shiny", "no"});
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  NeighbourView deliveryView(delivery, hit);
  EXPECT_TRUE(deliveryView.showsNature() && deliveryView.showsShiny() && !deliveryView.showsIvs());
  const NeighbourFields wide{"1", "2", "0", "1", true, {}, 3, false};
  ASSERT_EQ(deliveryView.recompute(wide), std::nullopt);
  EXPECT_EQ(viewText(deliveryView), cli.out);
}

TEST(NeighbourView, RefusedFieldsSayWhichAndKeepTheTable) {
  NeighbourView view(white2Target(), white2Hit());
  ASSERT_EQ(view.recompute({}), std::nullopt);
  const std::string before = viewText(view);
  NeighbourFields fields;
  fields.seconds = "61";
  EXPECT_NE(view.recompute(fields).value_or("").find("60"), std::string::npos);
  fields.seconds = "-1";
  EXPECT_TRUE(view.recompute(fields));
  fields = {};
  fields.positions = "";
  EXPECT_TRUE(view.recompute(fields));
  fields = {};
  fields.ivs[2] = "20-32";
  EXPECT_TRUE(view.recompute(fields));
  fields.ivs[2] = "31-20";
  EXPECT_TRUE(view.recompute(fields));
  EXPECT_EQ(viewText(view), before);
}

}  // namespace
}  // namespace hanabira
