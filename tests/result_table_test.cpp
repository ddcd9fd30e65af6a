// The table of a search's lines: filled from the file's bytes as they come, in CP932 or
// UTF-8; sorted with numbers as numbers; rows copied as the file's lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ui/model/result_table.h"
#include "ui/model/result_table_save.h"
#include "vocab/cp932.h"

namespace hanabira {
namespace {

class RecordingListener final : public ResultTableListener {
 public:
  void tableReset() override { events.emplace_back("reset"); }
  void rowsAppended(std::size_t first, std::size_t count) override {
    events.push_back("append " + std::to_string(first) + "+" + std::to_string(count));
  }
  void orderChanging() override { events.emplace_back("changing"); }
  void orderChanged() override { events.emplace_back("changed"); }
  void tableCut() override { events.emplace_back("cut"); }

  std::vector<std::string> events;
};

std::vector<std::string> column(const ResultTable& table, std::size_t c) {
  std::vector<std::string> cells;
  for (std::size_t row = 0; row < table.rowCount(); ++row) cells.emplace_back(table.cell(row, c));
  return cells;
}

// Columns: a decimal, a hexadecimal one as Timer0 is written, a name, the keys.
ResultTable sampleTableOf(const std::string& lines) {
  ResultTable table;
  table.start(TextEncoding::Utf8);
  table.add("n,Timer0,name,keys\r\n" + lines);
  return table;
}

TEST(ResultTable, FillsAsTheBytesComeAndReadsCp932) {
  const std::string file = utf8ToCp932(
      "年,月,日,時,分,秒,性格値乱数消費,性格,キー入力\r\n"
      "11,9,27,13,47,35,52,がんばりや,A→\r\n"
      "11,9,27,13,47,36,60,ゆうかん　,\r\n");
  ResultTable table;
  RecordingListener listener;
  table.setListener(&listener);
  table.start(TextEncoding::Cp932);
  // Cut anywhere, inside a character of two bytes too.
  const std::size_t secondLine = file.find("\r\n") + 2;
  table.add(file.substr(0, 4));
  table.add(file.substr(4, secondLine + 3 - 4));
  EXPECT_EQ(table.rowCount(), 0u);
  table.add(file.substr(secondLine + 3, file.size() - 2 - secondLine - 3));
  EXPECT_EQ(table.rowCount(), 1u);
  table.add(file.substr(file.size() - 2));

  EXPECT_EQ(listener.events, (std::vector<std::string>{"reset", "reset", "append 0+1", "append 1+1"}));
  ASSERT_EQ(table.columns().size(), 9u);
  EXPECT_EQ(table.columns()[7], "性格");
  EXPECT_EQ(table.columns()[8], "キー入力");
  EXPECT_EQ(column(table, 7), (std::vector<std::string>{"がんばりや", "ゆうかん　"}));
  EXPECT_EQ(column(table, 8), (std::vector<std::string>{"A→", ""}));  // no key held: an empty field
  EXPECT_EQ(table.cell(0, 9), "");                                    // past the last field
  const std::size_t both[] = {1, 0};
  EXPECT_EQ(utf8ToCp932(table.copyText(both)), file.substr(secondLine));

  table.start(TextEncoding::Utf8);  // the next search
  EXPECT_EQ(listener.events.back(), "reset");
  EXPECT_TRUE(table.columns().empty());
  EXPECT_EQ(table.rowCount(), 0u);
}

TEST(ResultTable, SortsNumbersByValueAndTextsAsText) {
  ResultTable table = sampleTableOf(
      "10,C79,Fire,A\r\n"
      "9,10F3,Bug,ASt\r\n"
      "100,0C7A,Fire,\r\n"
      "9,FF,Dark,B\r\n");
  table.sortBy(SortKey{0, SortOrder::Ascending});
  EXPECT_EQ(column(table, 0), (std::vector<std::string>{"9", "9", "10", "100"}));
  EXPECT_EQ(column(table, 1),
            (std::vector<std::string>{"10F3", "FF", "C79", "0C7A"}));  // equal cells: the file's order
  table.sortBy(SortKey{1, SortOrder::Descending});
  EXPECT_EQ(column(table, 1), (std::vector<std::string>{"10F3", "0C7A", "C79", "FF"}));
  table.sortBy(SortKey{2, SortOrder::Descending});
  EXPECT_EQ(column(table, 0), (std::vector<std::string>{"10", "100", "9", "9"}));  // Fire Fire Dark Bug
  table.sortBy(SortKey{3, SortOrder::Ascending});
  EXPECT_EQ(column(table, 3), (std::vector<std::string>{"", "A", "ASt", "B"}));
  EXPECT_EQ(table.fileRow(0), 2u);
  EXPECT_EQ(table.shownRow(2), 0u);
  table.sortBy(std::nullopt);
  EXPECT_EQ(column(table, 0), (std::vector<std::string>{"10", "9", "100", "9"}));
  const std::size_t rows[] = {3, 1, 3};
  EXPECT_EQ(table.copyText(rows), "9,10F3,Bug,ASt\r\n9,FF,Dark,B\r\n");
}

TEST(ResultTable, RowsAddedToASortedTableTakeTheirPlaces) {
  ResultTable table = sampleTableOf("20,A\r\n5,B\r\n");
  RecordingListener listener;
  table.setListener(&listener);
  table.sortBy(SortKey{0, SortOrder::Ascending});
  table.add("7,C\r\n30,D\r\n");
  EXPECT_EQ(column(table, 0), (std::vector<std::string>{"5", "7", "20", "30"}));
  EXPECT_EQ(listener.events, (std::vector<std::string>{"changing", "changed", "append 2+2", "changing", "changed"}));
  // A cell that is no number: the column sorts as text from then on.
  table.add("6x,E\r\n");
  EXPECT_EQ(column(table, 0), (std::vector<std::string>{"20", "30", "5", "6x", "7"}));
  for (std::size_t row = 0; row < table.rowCount(); ++row) EXPECT_EQ(table.shownRow(table.fileRow(row)), row);
}

TEST(ResultTable, KeepsItsFirstRowsOfAFileTooLong) {
  ResultTable table(2);
  RecordingListener listener;
  table.setListener(&listener);
  table.start(TextEncoding::Utf8);
  table.add("n\r\n1\r\n2\r\n");
  EXPECT_FALSE(table.isCut());
  table.add("3\r\n4\r\n");
  table.add("5\r\n");
  EXPECT_TRUE(table.isCut());
  EXPECT_EQ(listener.events, (std::vector<std::string>{"reset", "reset", "cut"}));
  EXPECT_EQ(column(table, 0), (std::vector<std::string>{"1", "2"}));
}

// Black 2 lines in the players' numbering with the game's own advances after Memory
// Link: positions 2 lower, the advances before the keys from each line's seed, the rest
// as written, rows added later too; and back to the file's lines.
TEST(ResultTable, DisplayRewritesPositionsAndAddsAdvances) {
  const std::string header = "年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed,キー入力";
  const std::string first = "12,10,7,12,33,46,2,31,30,18,10,24,30,かくとう,49,CFB50E2A26EE20D9,A";
  const std::string second = "12,10,7,12,52,43,5,30,30,12,10,26,30,かくとう,67,5D300CB90706A045,";
  ResultTable table;
  RecordingListener listener;
  table.setListener(&listener);
  table.start(TextEncoding::Utf8, Game::Black2);
  table.add(header + "\r\n" + first + "\r\n");
  table.sortBy(SortKey{6, SortOrder::Descending});
  listener.events.clear();

  table.setDisplay({IvNumbering::Players, true, true});
  EXPECT_EQ(listener.events, std::vector<std::string>{"reset"});
  EXPECT_EQ(table.sortKey(), std::nullopt);
  EXPECT_EQ(table.columns().size(), 18u);
  EXPECT_EQ(table.columns()[16], "初期消費");
  EXPECT_EQ(table.columns()[17], "キー入力");
  table.add(second + "\r\n");
  const std::size_t both[] = {0, 1};
  // 52 after Memory Link, 62 without it (game_advances_test.cpp).
  EXPECT_EQ(table.copyText(both),
            "12,10,7,12,33,46,0,31,30,18,10,24,30,かくとう,49,CFB50E2A26EE20D9,51,A\r\n"
            "12,10,7,12,52,43,3,30,30,12,10,26,30,かくとう,67,5D300CB90706A045,52,\r\n");

  table.setDisplay({});
  EXPECT_EQ(table.columns().size(), 17u);
  EXPECT_EQ(table.copyText(both), first + "\r\n" + second + "\r\n");

  // English, no keys: the column comes last. Black and White count positions alike.
  table.start(TextEncoding::Utf8, Game::White);
  table.setDisplay({IvNumbering::Players, true, false});
  table.add("Year,Month,Day,Hour,Minute,Second,IV position,Initial seed\r\n11,9,27,13,47,0,3,9D76553EC8C0FA7A\r\n");
  EXPECT_EQ(table.columns().back(), "Initial advances");
  EXPECT_EQ(table.cell(0, 6), "3");
  EXPECT_EQ(table.cell(0, 8), "52");  // the advances' worked value for this seed
}

// Saved as shown: sorted, in the chosen format; txt in the file's encoding.
TEST(ResultTable, SavesTheShownRowsInAnyFormat) {
  ResultTable table;
  table.start(TextEncoding::Cp932);
  table.add(utf8ToCp932("年,性格,キー入力\r\n11,ゆうかん　,A→\r\n12,がんばりや,\r\n"));
  table.sortBy(SortKey{0, SortOrder::Descending});

  EXPECT_EQ(savedTableText(table, ResultFormat::Txt),
            utf8ToCp932("年,性格,キー入力\r\n12,がんばりや,\r\n11,ゆうかん　,A→\r\n"));
  EXPECT_EQ(savedTableText(table, ResultFormat::Csv),
            "\xEF\xBB\xBF年,性格,キー入力\r\n12,がんばりや,\r\n11,ゆうかん,A→\r\n");
  EXPECT_EQ(savedTableText(table, ResultFormat::Jsonl),
            "{\"year\":12,\"nature\":\"がんばりや\",\"keys\":[]}\n"
            "{\"year\":11,\"nature\":\"ゆうかん\",\"keys\":[\"A\",\"→\"]}\n");

  EXPECT_EQ(formatToSave("a/b.JSONL", ResultFormat::Txt), ResultFormat::Jsonl);
  EXPECT_EQ(formatToSave("a/b", ResultFormat::Tsv), ResultFormat::Tsv);
  EXPECT_EQ(formatToSave("a/b.dat", ResultFormat::Csv), ResultFormat::Csv);
  const auto refused = saveTable(table, ResultFormat::Csv, std::filesystem::path("no-such-folder") / "r.csv");
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->find("no-such-folder"), std::string::npos) << *refused;
}

}  // namespace
}  // namespace hanabira
