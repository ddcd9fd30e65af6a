// Console profiles on the command line: a search with one profile or every one, a
// calibration stored into one, the profiles command, and a damaged file left alone.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli_test.h"
#include "core/utf8_path.h"
#include "engine/console_profiles.h"
#include "test_support.h"
#include "vocab/cp932.h"

namespace hanabira {
namespace {

namespace fs = std::filesystem;

// Three consoles; the first is config.txt's below.
const std::string threeProfiles = R"({"profiles": [
  {"name": "DS Lite", "macAddress": "00-11-22-33-44-55", "versionWord": "0x2215F10",
   "vcount": "0x60", "timer0": "0xC79", "gxStat": "0x6000000", "frame": 8},
  {"name": "3DS", "macAddress": "00-09-BF-12-34-56", "versionWord": "0x2215F10",
   "vcount": "0x82", "timer0": "0x10F5", "gxStat": "0x6000000", "frame": 9},
  {"name": "DSi", "edition": "White2,ENG,DSi", "macAddress": "00-09-BF-12-34-57", "versionWord": "0x2215F30",
   "vcount": "0x82", "timer0": "0x1101", "gxStat": "0x6000000", "frame": 8}
]})";

// Every IV passes: each second makes a line. (A function: datesJson is another file's.)
std::string minute() {
  return "{" + datesJson + R"(, "startHour": 13, "endHour": 13, "startMinute": 47, "endMinute": 47,
      "startSecond": 30, "endSecond": 39})";
}

// `text`'s lines after the header, each led by `prefix`.
std::string prefixedLines(const std::string& text, const std::string& prefix) {
  std::string out;
  std::istringstream lines(text.substr(text.find('\n') + 1));
  for (std::string line; std::getline(lines, line);) out += prefix + line + '\n';
  return out;
}

std::string headerOf(const std::string& text) { return text.substr(0, text.find('\n') + 1); }

// The command line in this process, stopped before it starts when `stopCode` is given.
Outcome runHere(std::vector<std::string> args, int stopCode = 0) {
  args.insert(args.begin(), "hanabira-cli");
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out;
  std::ostringstream err;
  const std::atomic<bool> cancel{stopCode != 0};
  const std::atomic<int> code{stopCode};
  const int exitCode = runCli(static_cast<int>(argv.size()), argv.data(), {out, err, false, &cancel, &code});
  return {exitCode, out.str(), err.str()};
}

TEST_F(CliTest, AllProfilesWritesEachProfilesOwnSearchInTurn) {
  writeFile("profiles.json", threeProfiles);
  writeFile("minute.json", minute());
  writeFile("config.txt", "60\nc79\n6000000\n8\n00-11-22-33-44-55\n02215F10\n");

  // The first profile is config.txt's console: a file of it alone is today's file plus the column.
  const Outcome today = run({"-s", "minute.json", "-c", "config.txt", "-o", "today.txt", "-q"});
  ASSERT_EQ(today.exitCode, 0) << today.err;
  writeFile("one.json", R"({"profiles": [{"name": "DS Lite", "macAddress": "00-11-22-33-44-55",
      "versionWord": "0x2215F10", "vcount": "0x60", "timer0": "0xC79", "gxStat": "0x6000000", "frame": 8}]})");
  const Outcome one = run({"-s", "minute.json", "--profiles", "one.json", "--all-profiles", "-o", "one.txt", "-q"});
  ASSERT_EQ(one.exitCode, 0) << one.err;
  const std::string todayText = slurp(file("today.txt"));
  EXPECT_EQ(slurp(file("one.txt")),
            utf8ToCp932("プロファイル,") + headerOf(todayText) + prefixedLines(todayText, "DS Lite,"));

  // Every profile: the lines of --profile NAME for each, in the file's order.
  std::string expected;
  for (const std::string name : {"DS Lite", "3DS", "DSi"}) {
    const Outcome single = run({"-s", "minute.json", "--profile", name, "-o", "-", "--encoding", "utf-8", "-q"});
    ASSERT_EQ(single.exitCode, 0) << single.err;
    if (expected.empty()) expected = "プロファイル," + headerOf(single.out);
    expected += prefixedLines(single.out, name + ",");
  }
  const Outcome all = run({"-s", "minute.json", "--all-profiles", "-o", "all.txt", "--encoding", "utf-8"});
  ASSERT_EQ(all.exitCode, 0) << all.err;
  EXPECT_EQ(slurp(file("all.txt")), expected);
  EXPECT_NE(all.err.find("30 matches in 30 boot moments"), std::string::npos) << all.err;

  // What cannot make one such file is refused before it is written.
  const Outcome shard = run({"-s", "minute.json", "--all-profiles", "--shard", "1/2"});
  EXPECT_EQ(shard.exitCode, 2);
  EXPECT_TRUE(shard.err.starts_with("error: --shard excludes --all-profiles")) << shard.err;
  writeFile("emoji.json",
            R"({"profiles": [{"name": "DS 🎮", "macAddress": "00-11-22-33-44-55", "versionWord": "0x2215F10",
      "vcount": "0x60", "timer0": "0xC79", "gxStat": "0x6000000", "frame": 8}]})");
  const Outcome emoji = run({"-s", "minute.json", "--profiles", "emoji.json", "--all-profiles", "-o", "e.txt"});
  EXPECT_EQ(emoji.exitCode, 2);
  EXPECT_EQ(emoji.err,
            "error: profile 'DS 🎮': the name has a character CP932 cannot hold; write the result in UTF-8 "
            "(--encoding utf-8)\n");
  EXPECT_FALSE(fs::exists(file("e.txt")));
  const Outcome unknown = run({"-s", "minute.json", "--profile", "DS", "-o", "e.txt"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_EQ(unknown.err, "error: no profile 'DS' in 'profiles.json'\n");
}

TEST_F(CliTest, ADamagedProfilesFileIsReportedByNameAndLeftUntouched) {
  const std::string damaged = R"({"profiles": [{"name": "DS Lite", "timer0": "C7)";
  writeFile("profiles.json", damaged);
  writeFile("import.json", threeProfiles);
  writeFile("minute.json", minute());
  const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(24);
  fs::last_write_time(file("profiles.json"), longAgo);
  const std::string calibrate = testing::sourceTreePath("docs/examples/white2-calibrate.json");
  const std::vector<std::vector<std::string>> runs = {{"-s", "minute.json", "--profile", "DS Lite"},
                                                      {"-s", "minute.json", "--all-profiles"},
                                                      {"calibrate", "-s", calibrate, "--save-profile", "DS Lite"},
                                                      {"profiles", "list"},
                                                      {"profiles", "import", "import.json"},
                                                      {"profiles", "remove", "DS Lite"},
                                                      {"profiles", "export", "-o", "out.json"}};
  for (const std::vector<std::string>& args : runs) {
    const Outcome refused = run(args);
    EXPECT_EQ(refused.exitCode, 2) << args[1];
    EXPECT_TRUE(refused.err.starts_with("error: profiles file 'profiles.json': ")) << refused.err;
    EXPECT_TRUE(refused.out.empty()) << refused.out;
  }
  EXPECT_EQ(slurp(file("profiles.json")), damaged);
  // Not written: a write would date it now. (Wine keeps the time only to the second.)
  EXPECT_LT(fs::last_write_time(file("profiles.json")), longAgo + std::chrono::hours(1));
  EXPECT_FALSE(fs::exists(file("out.json")));
  EXPECT_FALSE(fs::exists(file("result.txt")));
}

TEST_F(CliTest, CalibrateStoresIntoAProfileAndNothingWhenStopped) {
  // The README's calibration, narrowed to a few values of Timer0 around the planted one.
  const std::string boot = R"({"game": "White2", "language": "ENG", "console": "DSLite", "gxStat": "6000000",
      "macAddress": "00-09-BF-12-34-56", "startYear": 12, "startMonth": 10, "startDay": 7, "endYear": 12,
      "endMonth": 10, "endDay": 7, "startHour": 12, "startMinute": 34, "startSecond": 56,
      "ivMin": [15, 29, 10, 9, 9, 29], "ivMax": [15, 29, 10, 9, 9, 29], "ivConsumptionMin": 2,
      "ivConsumptionMax": 2, "vcountMin": "80", "vcountMax": "84", "timer0Min": "10F0", "timer0Max": "10F8"})";
  writeFile("boot.json", boot);
  const std::string settings = utf8FromPath(file("boot.json"));
  const std::string profiles = utf8FromPath(file("profiles.json"));
  const std::vector<std::string> save = {"calibrate",      "-s",      settings,    "--profiles", profiles,
                                         "--save-profile", "DS Lite", "--seconds", "1"};

  // Stopped: nothing stored, no file made.
  const Outcome stopped = runHere(save, 130);
  EXPECT_EQ(stopped.exitCode, 130);
  EXPECT_TRUE(stopped.err.ends_with("nothing stored in profile 'DS Lite'\n")) << stopped.err;
  EXPECT_FALSE(fs::exists(file("profiles.json")));

  // A new profile: the console the calibration ran with, holding the set found.
  const Outcome created = runHere(save);
  ASSERT_EQ(created.exitCode, 0) << created.err;
  EXPECT_TRUE(created.err.ends_with("stored line 1 in profile 'DS Lite'\n")) << created.err;
  ProfilesLoad load = loadProfilesFile(file("profiles.json"));
  ASSERT_EQ(load.profiles.size(), 1u);
  const ConsoleParameters expected{0x82,
                                   0x10F3,
                                   0x6000000,
                                   6,
                                   {0x00, 0x09, 0xBF, 0x12, 0x34, 0x56},
                                   0x2215F10,
                                   Edition{Game::White2, Language::English, ConsoleKind::DsLite},
                                   std::nullopt,
                                   std::nullopt};
  EXPECT_EQ(load.profiles[0].console, expected);
  ASSERT_FALSE(load.profiles[0].calibration.empty());
  EXPECT_EQ(load.profiles[0].calibration[0], (CalibratedConsole{0x82, 0x10F3, 6}));

  // An existing profile keeps its address and edition and loses its ranges; a stop leaves it.
  load.profiles[0].console.vcount = 0x60;
  load.profiles[0].console.mac[5] = 0x99;
  load.profiles[0].console.timer0Range = ParameterRange{0x10E0, 0x1110};
  load.profiles[0].calibration.clear();
  load.profiles.push_back(ConsoleProfile{"3DS", expected, {}});
  ASSERT_FALSE(saveProfilesFile(file("profiles.json"), load.profiles));
  const std::string before = slurp(file("profiles.json"));
  EXPECT_EQ(runHere(save, 143).exitCode, 143);
  EXPECT_EQ(slurp(file("profiles.json")), before);
  ASSERT_EQ(runHere(save).exitCode, 0);
  const ProfilesLoad updated = loadProfilesFile(file("profiles.json"));
  ASSERT_EQ(updated.profiles.size(), 2u);
  ConsoleParameters kept = expected;
  kept.mac[5] = 0x99;
  EXPECT_EQ(updated.profiles[0].console, kept);
  EXPECT_EQ(updated.profiles[0].calibration.front(), (CalibratedConsole{0x82, 0x10F3, 6}));
  EXPECT_EQ(updated.profiles[1], load.profiles[1]);
}

TEST_F(CliTest, ProfilesAreListedExportedImportedAndRemoved) {
  writeFile("profiles.json", threeProfiles);
  const Outcome listed = run({"profiles", "list"});
  EXPECT_EQ(listed.exitCode, 0) << listed.err;
  EXPECT_EQ(listed.out,
            "DS Lite\tMAC=00-11-22-33-44-55 VCount=60 Timer0=C79 Frame=8\n"
            "3DS\tMAC=00-09-BF-12-34-56 VCount=82 Timer0=10F5 Frame=9\n"
            "DSi\tWhite2,ENG,DSi MAC=00-09-BF-12-34-57 VCount=82 Timer0=1101 Frame=8\n");

  ASSERT_EQ(run({"profiles", "export", "DSi", "3DS", "-o", "two.json"}).exitCode, 0);
  const ProfilesLoad two = loadProfilesFile(file("two.json"));
  ASSERT_EQ(two.profiles.size(), 2u);
  EXPECT_EQ(two.profiles[0].name, "DSi");
  EXPECT_EQ(run({"profiles", "export", "-o", "-"}).out,
            formatProfiles(loadProfilesFile(file("profiles.json")).profiles));

  ASSERT_EQ(run({"profiles", "remove", "3DS"}).exitCode, 0);
  EXPECT_EQ(run({"profiles", "remove", "3DS"}).err, "error: no profile '3DS' in 'profiles.json'\n");
  const std::string withoutOne = slurp(file("profiles.json"));
  const Outcome twice = run({"profiles", "import", "two.json"});
  EXPECT_EQ(twice.exitCode, 2);
  EXPECT_EQ(twice.err,
            "error: profile 'DSi' is in 'profiles.json' already; nothing imported (--replace replaces it)\n");
  EXPECT_EQ(slurp(file("profiles.json")), withoutOne);
  ASSERT_EQ(run({"profiles", "import", "two.json", "--replace"}).exitCode, 0);
  const ProfilesLoad merged = loadProfilesFile(file("profiles.json"));
  ASSERT_EQ(merged.profiles.size(), 3u);
  EXPECT_EQ(merged.profiles[2], two.profiles[1]);
  EXPECT_EQ(run({"profiles", "import", "missing.json"}).err, "error: profiles file 'missing.json' does not exist\n");
}

}  // namespace
}  // namespace hanabira
