// Shards of a search and their merge, in-process through the command line's own entry:
// the ranges, the digests that check them, and the merged file against one search.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>
#include <utility>

#include "cli/cli_app.h"
#include "core/sha1_hasher.h"
#include "engine/boot_moment_space.h"
#include "engine/moment_range.h"
#include "engine/settings_json.h"
#include "test_support.h"

namespace hanabira {
namespace {

namespace fs = std::filesystem;

TEST(ShardRange, ContiguousBalancedAndCoveringTheSearch) {
  for (std::uint64_t moments : {0ull, 1ull, 2ull, 5ull, 7ull, 1000ull, ~0ull}) {
    for (std::uint32_t count : {1u, 2u, 3u, 7u, 9u, 0xFFFFFFFFu}) {
      std::uint64_t next = 0;
      std::uint64_t smallest = ~0ull;
      std::uint64_t largest = 0;
      for (std::uint64_t index = 1; index <= std::min<std::uint64_t>(count, 12); ++index) {
        const MomentRange range = shardRange(moments, static_cast<std::uint32_t>(index), count);
        ASSERT_EQ(range.first, next) << moments << " in " << count;
        next = range.end;
        smallest = std::min(smallest, range.size());
        largest = std::max(largest, range.size());
      }
      EXPECT_LE(largest - smallest, 1u) << moments << " in " << count;
      EXPECT_EQ(shardRange(moments, count, count).end, moments);
    }
  }
  EXPECT_EQ((MomentRange{5, 9}.within(7)), (MomentRange{5, 7}));
  EXPECT_EQ((MomentRange{8, 9}.within(7)), (MomentRange{7, 7}));
  EXPECT_EQ((MomentRange{6, 2}.within(7)).size(), 0u);
}

TEST(Sha1Hasher, StandardMessagesInAnyPieces) {
  EXPECT_EQ(sha1Hex(""), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
  EXPECT_EQ(sha1Hex("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d");
  // 56 bytes: the length no longer fits the first block.
  EXPECT_EQ(sha1Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
  Sha1Hasher million;
  const std::string piece(997, 'a');
  for (std::size_t fed = 0; fed < 1'000'000; fed += piece.size()) {
    million.update(std::string_view(piece).substr(0, std::min<std::size_t>(piece.size(), 1'000'000 - fed)));
  }
  EXPECT_EQ(million.hexDigest(), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
}

// hanabira-cli run in this process, in a folder of its own.
class ShardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("hanabira-shard-test-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  std::string read(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void write(const std::string& name, const std::string& text) const {
    std::ofstream(path(name), std::ios::binary) << text;
  }

  struct Outcome {
    int exitCode;
    std::string err;
  };
  Outcome cli(std::vector<std::string> args, const std::atomic<bool>* cancel = nullptr) const {
    args.insert(args.begin(), "hanabira-cli");
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = runCli(static_cast<int>(argv.size()), argv.data(), {out, err, false, cancel});
    return {exitCode, err.str()};
  }

  // The search of `settings` in `count` shards, shard-K-of-N.txt; their names.
  std::vector<std::string> shards(const SearchSettings& settings, std::uint32_t count, const std::string& tag = "",
                                  const std::string& encoding = "cp932", const std::string& format = "txt") const {
    write(tag + "settings.json", settingsToJson(settings).dump());
    std::vector<std::string> names;
    for (std::uint32_t k = 1; k <= count; ++k) {
      names.push_back(path(tag + "shard-" + std::to_string(k) + ".txt"));
      const Outcome run =
          cli({"-s", path(tag + "settings.json"), "--shard", std::to_string(k) + "/" + std::to_string(count), "-o",
               names.back(), "-q", "--encoding", encoding, "--format", format});
      EXPECT_EQ(run.exitCode, 0) << run.err;
    }
    return names;
  }

  // `names` merged into merged.txt: the merge's outcome and the file.
  std::pair<Outcome, std::string> merged(std::vector<std::string> names) const {
    names.insert(names.begin(), "merge");
    names.insert(names.end(), {"-o", path("merged.txt"), "-q"});
    Outcome merge = cli(names);
    return {std::move(merge), read("merged.txt")};
  }

  // Merges into merged.txt, which holds "before" until then; checks that a refused merge
  // names `named` and leaves the file as it was.
  void expectRefused(std::vector<std::string> names, const std::string& named, const std::string& why) const {
    write("merged.txt", "before");
    names.insert(names.begin(), "merge");
    names.insert(names.end(), {"-o", path("merged.txt")});
    const Outcome merge = cli(names);
    EXPECT_EQ(merge.exitCode, 2) << merge.err;
    EXPECT_NE(merge.err.find(named), std::string::npos) << merge.err;
    EXPECT_NE(merge.err.find(why), std::string::npos) << merge.err;
    EXPECT_EQ(read("merged.txt"), "before");
    EXPECT_TRUE(noTemporaryFile());
  }

  bool noTemporaryFile() const {
    return std::none_of(fs::directory_iterator(dir_), fs::directory_iterator(),
                        [](const fs::directory_entry& entry) { return entry.path().extension() == ".tmp"; });
  }

  fs::path dir_;
};

// A minute of the worked example's console: 60 boot moments, a line each.
SearchSettings aMinute() {
  SearchSettings settings = testing::workedExampleSettings();
  settings.startSecond = 0;
  settings.endSecond = 59;
  return settings;
}

// Tiny searches too: shards with no moments, or moments but no lines.
SearchSettings fewMoments(SearchSettings settings, std::mt19937_64& random) {
  settings.endYear = settings.startYear;
  settings.endMonth = settings.startMonth;
  settings.endDay = settings.startDay;
  settings.endHour = settings.startHour;
  settings.endMinute = settings.startMinute;
  settings.endSecond = std::min(59, settings.startSecond + static_cast<int>(random() % 3));
  settings.keyInputEnabled = false;
  return settings;
}

TEST_F(ShardTest, MergedShardsAreTheSingleSearchByteForByte) {
  std::mt19937_64 random(16);
  for (SearchMode mode : {SearchMode::IvSearch, SearchMode::ShinyPidSearch, SearchMode::InheritanceSearch,
                          SearchMode::DeliverymanSearch, SearchMode::CometShardSearch, SearchMode::DomeSearch}) {
    const SearchSettings drawn = testing::randomSettings(random, mode);
    for (const SearchSettings& settings : {drawn, fewMoments(drawn, random)}) {
      const std::string encoding = random() % 2 == 0 ? "cp932" : "utf-8";
      write("settings.json", settingsToJson(settings).dump());
      ASSERT_EQ(cli({"-s", path("settings.json"), "-o", path("single.txt"), "-q", "--encoding", encoding}).exitCode, 0);
      const std::string single = read("single.txt");
      for (std::uint32_t count = 1; count <= 7; ++count) {
        std::vector<std::string> names = shards(settings, count, "", encoding);
        std::shuffle(names.begin(), names.end(), random);  // the merge puts them in order
        const auto [merge, text] = merged(names);
        ASSERT_EQ(merge.exitCode, 0) << merge.err;
        ASSERT_EQ(text, single) << static_cast<int>(mode) << ", " << count << " shards";
      }
    }

    // The plain reference path cuts the numbering alike.
    SearchOptions part;
    part.moments = shardRange(BootMomentSpace(drawn).size(), 2, 3);
    part.chunkMoments = 7;
    EXPECT_EQ(testing::referenceResult(drawn, part), testing::fastResult(drawn, part));
  }
}

// CSV and TSV keep one byte-order mark and one header, JSON Lines none; a shard of
// another format is another search's.
TEST_F(ShardTest, MergedShardsOfEveryFormatAreTheSingleSearch) {
  std::mt19937_64 random(29);
  for (const std::string format : {"csv", "tsv", "jsonl"}) {
    for (SearchMode mode : {SearchMode::ShinyPidSearch, SearchMode::DeliverymanSearch}) {
      const SearchSettings drawn = testing::randomSettings(random, mode);
      for (const SearchSettings& settings : {drawn, fewMoments(drawn, random)}) {
        write("settings.json", settingsToJson(settings).dump());
        ASSERT_EQ(cli({"-s", path("settings.json"), "-o", path("single"), "-q", "--format", format}).exitCode, 0);
        const std::string single = read("single");
        for (std::uint32_t count : {1u, 3u, 7u}) {
          const auto [merge, text] = merged(shards(settings, count, "", "utf-8", format));
          ASSERT_EQ(merge.exitCode, 0) << merge.err;
          ASSERT_EQ(text, single) << format << ", " << static_cast<int>(mode) << ", " << count << " shards";
        }
      }
    }
  }
  const std::vector<std::string> csv = shards(aMinute(), 3, "", "utf-8", "csv");
  expectRefused({csv[0], shards(aMinute(), 3, "tsv-", "utf-8", "tsv")[1], csv[2]}, path("tsv-shard-2.txt"),
                "another search");
  EXPECT_NE(read("shard-1.txt.shard.json").find("\"resultFormat\": \"csv\""), std::string::npos);
}

// With ranges of VCount and Timer0 the numbering runs through the blocks of date, VCount
// and Timer0; shards cut them anywhere, and their record names the ranges.
TEST_F(ShardTest, MergedShardsOfARangesSearchAreTheSingleSearch) {
  std::mt19937_64 random(17);
  std::size_t lines = 0;
  for (SearchMode mode : {SearchMode::IvSearch, SearchMode::ShinyPidSearch, SearchMode::InheritanceSearch,
                          SearchMode::DeliverymanSearch, SearchMode::CometShardSearch, SearchMode::DomeSearch}) {
    SearchSettings settings = fewMoments(testing::randomSettings(random, mode), random);
    settings.endSecond = std::min(59, settings.startSecond + 4);
    const auto vcount = static_cast<std::uint32_t>(random() % 0x100);
    const auto timer0 = static_cast<std::uint32_t>(0xFFFD - random() % 0x1000);
    settings.vcountRange = ParameterRange{vcount, vcount + 1};
    settings.timer0Range = ParameterRange{timer0, timer0 + 2};
    write("settings.json", settingsToJson(settings).dump());
    ASSERT_EQ(cli({"-s", path("settings.json"), "-o", path("single.txt"), "-q", "--encoding", "utf-8"}).exitCode, 0);
    const std::string single = read("single.txt");
    ASSERT_NE(single.find(",秒,VCount,Timer0,"), std::string::npos);
    lines += static_cast<std::size_t>(std::count(single.begin(), single.end(), '\n')) - 1;
    for (std::uint32_t count : {1u, 2u, 4u, 7u, 13u, 40u}) {
      const auto [merge, text] = merged(shards(settings, count, "", "utf-8"));
      ASSERT_EQ(merge.exitCode, 0) << merge.err;
      ASSERT_EQ(text, single) << static_cast<int>(mode) << ", " << count << " shards";
    }

    SearchOptions part;
    part.moments = shardRange(BootMomentSpace(settings).size(), 3, 7);
    part.chunkMoments = 4;
    EXPECT_EQ(testing::referenceResult(settings, part), testing::fastResult(settings, part));
  }
  EXPECT_GT(lines, 30u);

  // Another range is another search.
  SearchSettings settings = aMinute();
  settings.vcountRange = ParameterRange{0x5F, 0x60};
  const std::vector<std::string> names = shards(settings, 3);
  settings.vcountRange = ParameterRange{0x60, 0x61};
  expectRefused({names[0], shards(settings, 3, "other-")[1], names[2]}, path("other-shard-2.txt"), "another search");
}

TEST_F(ShardTest, MergeRefusesAMissingShard) {
  const std::vector<std::string> names = shards(aMinute(), 3);
  expectRefused({names[0], names[2]}, names[0], "shard 2 of 3 is missing");
  expectRefused({names[0], names[1]}, names[0], "shard 3 of 3 is missing");
  // A data file without its record, and one that is not there at all.
  fs::remove(names[1] + ".shard.json");
  expectRefused(names, names[1], "is not a shard");
  EXPECT_EQ(cli({"merge", path("nowhere.txt"), "-o", path("merged.txt")}).exitCode, 1);
}

TEST_F(ShardTest, MergeRefusesADuplicatedShard) {
  const std::vector<std::string> names = shards(aMinute(), 3);
  expectRefused({names[0], names[1], names[1], names[2]}, names[1], "are both shard 2 of 3");
  // A copy under another name, given by its record.
  fs::copy_file(names[2], path("copy.txt"));
  fs::copy_file(names[2] + ".shard.json", path("copy.txt.shard.json"));
  expectRefused({names[0], names[2], path("copy.txt.shard.json"), names[1]}, path("copy.txt"), "are both shard 3 of 3");
}

TEST_F(ShardTest, MergeRefusesATruncatedOrAlteredShard) {
  const std::vector<std::string> names = shards(aMinute(), 3);
  const std::string whole = read("shard-2.txt");
  // Cut at the end of a line, then one byte changed in place.
  write("shard-2.txt", whole.substr(0, whole.rfind("\r\n", whole.size() - 3) + 2));
  expectRefused(names, names[1], "is truncated");
  std::string altered = whole;
  altered[altered.size() - 3] ^= 1;
  write("shard-2.txt", altered);
  expectRefused(names, names[1], "has changed since its search wrote it");
  write("shard-2.txt", whole + whole.substr(whole.find("\r\n") + 2));
  expectRefused(names, names[1], "has changed");
  // The record's count of lines, which its SHA-1 does not cover.
  write("shard-2.txt", whole);
  const std::string record = read("shard-2.txt.shard.json");
  std::string edited = record;
  edited.replace(edited.find(R"("lines": 20)"), 11, R"("lines": 21)");
  write("shard-2.txt.shard.json", edited);
  expectRefused(names, names[1], "holds 20 matches, but its record says 21");
}

TEST_F(ShardTest, MergeNeverTakesAShardForItsOutput) {
  const std::vector<std::string> names = shards(aMinute(), 3);
  const std::string data = read("shard-1.txt");
  const std::string record = read("shard-1.txt.shard.json");
  for (const std::string& output : {names[0], names[0] + ".shard.json"}) {
    std::vector<std::string> args = {"merge", names[0], names[1], names[2], "-o", output};
    const Outcome merge = cli(args);
    EXPECT_EQ(merge.exitCode, 2);
    EXPECT_NE(merge.err.find("is a shard of the merge; write the merge to another file"), std::string::npos)
        << merge.err;
  }
  EXPECT_EQ(read("shard-1.txt"), data);
  EXPECT_EQ(read("shard-1.txt.shard.json"), record);

  // A shard named like the output's temporary file of old is an input like any other.
  fs::rename(names[0], path("merged.txt.merging"));
  fs::rename(names[0] + ".shard.json", path("merged.txt.merging.shard.json"));
  const auto [merge, text] = merged({path("merged.txt.merging"), names[1], names[2]});
  EXPECT_EQ(merge.exitCode, 0) << merge.err;
  EXPECT_EQ(read("merged.txt.merging"), data);
}

TEST_F(ShardTest, AStoppedMergeWritesNothing) {
  const std::vector<std::string> names = shards(aMinute(), 3);
  write("merged.txt", "before");
  const std::atomic<bool> stop{true};
  const Outcome merge = cli({"merge", names[0], names[1], names[2], "-o", path("merged.txt")}, &stop);
  EXPECT_EQ(merge.exitCode, 130);
  EXPECT_EQ(merge.err, "aborted: the merge did not finish; " + path("merged.txt") + " is as it was\n");
  EXPECT_EQ(read("merged.txt"), "before");
  EXPECT_TRUE(noTemporaryFile());
}

#ifndef _WIN32
// A link stays a link, with the file it points to replaced; a FIFO is written as it is.
TEST_F(ShardTest, MergeNeverReplacesWhatTheOutputIs) {
  const std::vector<std::string> names = shards(aMinute(), 3);
  const std::string whole = merged(names).second;
  write("real.txt", "before");
  fs::create_symlink("real.txt", path("link.txt"));
  EXPECT_EQ(cli({"merge", names[0], names[1], names[2], "-o", path("link.txt")}).exitCode, 0);
  EXPECT_TRUE(fs::is_symlink(path("link.txt")));
  EXPECT_EQ(read("real.txt"), whole);

  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
  std::string piped;
  std::thread reader([&] { piped = read("fifo"); });
  EXPECT_EQ(cli({"merge", names[0], names[1], names[2], "-o", path("fifo")}).exitCode, 0);
  reader.join();
  EXPECT_EQ(piped, whole);
  EXPECT_TRUE(fs::is_fifo(path("fifo")));
}
#endif

TEST_F(ShardTest, MergeRefusesAForeignShard) {
  const SearchSettings settings = aMinute();
  const std::vector<std::string> names = shards(settings, 3);
  SearchSettings other = settings;
  other.frame = 9;
  expectRefused({names[0], shards(other, 3, "other-")[1], names[2]}, path("other-shard-2.txt"), "another search");
  expectRefused({names[0], shards(settings, 3, "utf8-", "utf-8")[1], names[2]}, path("utf8-shard-2.txt"),
                "another search");
  expectRefused({names[0], shards(settings, 4, "four-")[1], names[2]}, path("four-shard-2.txt"),
                "is shard 2 of 4, but");
}

TEST_F(ShardTest, AStoppedShardIsIncomplete) {
  std::vector<std::string> names = shards(aMinute(), 3);
  const std::atomic<bool> stop{true};
  write("settings.json", settingsToJson(aMinute()).dump());
  EXPECT_EQ(cli({"-s", path("settings.json"), "--shard", "3/3", "-o", names[2], "-q"}, &stop).exitCode, 130);
  expectRefused(names, names[2], "is incomplete");
}

}  // namespace
}  // namespace hanabira
