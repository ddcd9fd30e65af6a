// --format as a user gives it: the file's name and encoding, standard output, shards.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

#include "cli_test.h"

namespace hanabira {
namespace {

namespace fs = std::filesystem;

TEST_F(CliTest, FormatsNameTheirFileAndAreUtf8) {
  const Outcome cp932 = run({"--example", "--format", "csv", "--encoding", "cp932"});
  EXPECT_EQ(cp932.exitCode, 2);
  EXPECT_NE(cp932.err.find("--format csv writes UTF-8; --encoding cp932 is for --format txt"), std::string::npos)
      << cp932.err;
  EXPECT_FALSE(fs::exists(file("result.csv")));

  const Outcome csv = run({"--example", "--format", "csv"});
  ASSERT_EQ(csv.exitCode, 0) << csv.err;
  EXPECT_NE(csv.err.find("written to result.csv\n"), std::string::npos) << csv.err;
  const std::string text = slurp(file("result.csv"));
  EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed,キー入力\r\n"));
  EXPECT_NE(text.find("\r\n11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,A\r\n"), std::string::npos);
  EXPECT_FALSE(fs::exists(file("result.txt")));

  const Outcome jsonl = run({"--example", "--format", "jsonl", "-o", "-", "-q"});
  ASSERT_EQ(jsonl.exitCode, 0) << jsonl.err;
  const std::string first = jsonl.out.substr(0, jsonl.out.find('\n'));
  const auto object = nlohmann::json::parse(first);
  EXPECT_EQ(object.at("year"), 11);
  EXPECT_EQ(object.at("initialSeed").get<std::string>().size(), 16u);

  ASSERT_EQ(run({"--example", "--format", "tsv", "--shard", "2/3", "-q"}).exitCode, 0);
  EXPECT_TRUE(fs::exists(file("result-2-of-3.tsv")));
  EXPECT_TRUE(fs::exists(file("result-2-of-3.tsv.shard.json")));
  EXPECT_EQ(run({"--example", "--format", "json"}).exitCode, 2);
}

// The settings file may choose the format; --format is over it, --print-settings shows it.
TEST_F(CliTest, TheSettingsFileChoosesAFormat) {
  writeFile("tsv.json", "{" + datesJson + R"(, "startHour": 13, "endHour": 13, "startMinute": 47, "endMinute": 47,
      "startSecond": 35, "endSecond": 35, "resultFormat": "tsv"})");
  ASSERT_EQ(run({"-s", "tsv.json", "-q"}).exitCode, 0);
  EXPECT_TRUE(slurp(file("result.tsv")).starts_with("年\t月\t"));
  ASSERT_EQ(run({"-s", "tsv.json", "-q", "--format", "txt", "--encoding", "cp932"}).exitCode, 0);
  EXPECT_TRUE(fs::exists(file("result.txt")));
  EXPECT_EQ(run({"-s", "tsv.json", "-q", "--encoding", "cp932"}).exitCode, 2);

  const Outcome printed = run({"-s", "tsv.json", "--print-settings"});
  EXPECT_NE(printed.out.find("\"resultFormat\": \"tsv\""), std::string::npos) << printed.out;
  EXPECT_EQ(run({"--example", "--print-settings"}).out.find("resultFormat"), std::string::npos);

  writeFile("bad.json", "{" + datesJson + R"(, "resultFormat": "xlsx"})");
  const Outcome bad = run({"-s", "bad.json"});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_NE(bad.err.find("resultFormat"), std::string::npos) << bad.err;
}

}  // namespace
}  // namespace hanabira
