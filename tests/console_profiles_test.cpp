// The profiles file: what it holds reads back as written, what is wrong with a hand-made
// one is named, and no save, however it ends, leaves a part of a file.
#include "engine/console_profiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "cli_test.h"
#include "profiles_saved.h"

namespace hanabira {
namespace {

using ProfilesFileTest = CliTest;

TEST(ConsoleProfiles, ReadBackAsWritten) {
  ConsoleProfiles profiles = testing::savedProfileLists()[0];
  profiles.resize(3);
  // One without an edition, ranges or calibration, with values only a minus sign fits in
  // the window's fields.
  profiles.push_back(
      {"DS Lite 黒", {0xFFFFFFFF, 0, 0xFFFFFFFF, -1, {0xFF, 0, 0, 0, 0, 1}, blackVersionWord, {}, {}, {}}, {}});
  const ProfilesParse parsed = parseProfiles(formatProfiles(profiles));
  ASSERT_FALSE(parsed.problem) << describe(*parsed.problem);
  EXPECT_EQ(parsed.profiles, profiles);
}

TEST(ConsoleProfiles, HandWrittenFileReadsAsMeant) {
  const ProfilesParse parsed = parseProfiles(R"({"profiles": [
    {"name": "3DS", "edition": "White2,ENG,3DS", "macAddress": "00:09:bf:12:34:56",
     "vcount": 130, "timer0": "10f5", "gxStat": "0x6000000", "frame": 8, "comment": "later versions' keys pass"}]})");
  ASSERT_FALSE(parsed.problem) << describe(*parsed.problem);
  ASSERT_EQ(parsed.profiles.size(), 1u);
  const ConsoleParameters& console = parsed.profiles[0].console;
  EXPECT_EQ(console.mac, (MacAddress{0x00, 0x09, 0xBF, 0x12, 0x34, 0x56}));
  EXPECT_EQ(console.vcount, 0x82u);
  EXPECT_EQ(console.timer0, 0x10F5u);
  // Without its own version word, the edition's.
  EXPECT_EQ(console.versionWord, editionFacts(*console.edition).words[0]);

  SearchSettings settings;
  applyProfile(parsed.profiles[0], settings);
  EXPECT_EQ(settings.timer0, 0x10F5u);
  EXPECT_EQ(settings.edition, console.edition);
}

TEST(ConsoleProfiles, ProblemsNameTheProfileAndTheField) {
  const std::string good = R"("macAddress": "00-11-22-33-44-55", "versionWord": "0x2215F10", "vcount": "0x60",
                              "timer0": "0xC79", "gxStat": "0x6000000", "frame": 8)";
  const auto list = [&](const std::string& profile, const std::string& second = "") {
    return R"({"profiles": [{"name": "A", )" + good + "}, " + profile + second + "]}";
  };
  const struct {
    std::string text;
    std::string problem;
  } cases[] = {
      {"[1, 2]", "expected an object with a list \"profiles\""},
      {R"({"profiles": {}})", "expected an object with a list \"profiles\""},
      {list("7"), "profile 2: expected an object"},
      {list(R"({)" + good + "}"), "profile 2: name: missing"},
      {list(R"({"name": "A", )" + good + "}"), "profile 2 (A): name: there is a profile named A already"},
      {list(R"({"name": "A,B", )" + good + "}"),
       "profile 2 (A,B): name: a profile's name may not hold a comma or a control character"},
      {list(R"({"name": "  ", )" + good + "}"), "profile 2 (  ): name: a profile needs a name"},
      {list(R"({"name": "B", "vcount": "0x1G", )" + good.substr(good.find("\"timer0")) +
            R"(, "macAddress": "00-11-22-33-44-55", "versionWord": 1})"),
       "profile 2 (B): vcount: expected hexadecimal text of 1 to 8 digits"},
      {list(R"({"name": "B", )" + good + R"(, "timer0Range": ["0x1100", "0x10FF"]})"),
       "profile 2 (B): timer0Range: expected a list of two values, the lowest first"},
      {list(R"({"name": "B", )" + good + R"(, "edition": "White3,ENG,DS"})"),
       "profile 2 (B): edition: expected GAME,LANGUAGE,CONSOLE such as White2,ENG,DSLite"},
      {list(
           R"({"name": "B", "macAddress": "00-11-22-33-44", "vcount": 1, "timer0": 1, "gxStat": 1, "frame": 1, "versionWord": 1})"),
       "profile 2 (B): macAddress: expected six hexadecimal bytes such as 00-09-BF-12-34-56"},
      {list(
           R"({"name": "B", "macAddress": "00-11-22-33-44-55", "vcount": 4294967296, "timer0": 1, "gxStat": 1, "frame": 1, "versionWord": 1})"),
       "profile 2 (B): vcount: expected hexadecimal text of 1 to 8 digits"},
      {list(
           R"({"name": "B", "macAddress": "00-11-22-33-44-55", "vcount": 1, "timer0": 1, "gxStat": 1, "frame": 1.5, "versionWord": 1})"),
       "profile 2 (B): frame: expected a whole number"},
      {list(R"({"name": "B", "macAddress": "00-11-22-33-44-55", "vcount": 1, "timer0": 1, "gxStat": 1, "frame": 1})"),
       "profile 2 (B): versionWord: missing"},
      {list(R"({"name": "B", )" + good + R"(, "calibration": [{"vcount": 1, "timer0": 2}]})"),
       "profile 2 (B): frame: missing"},
  };
  for (const auto& c : cases) {
    const ProfilesParse parsed = parseProfiles(c.text);
    ASSERT_TRUE(parsed.problem) << c.text;
    EXPECT_EQ(describe(*parsed.problem), c.problem) << c.text;
    EXPECT_TRUE(parsed.profiles.empty());
  }
  EXPECT_TRUE(describe(*parseProfiles("{\"profiles\": [").problem).starts_with("not valid JSON: "));
}

TEST(ConsoleProfiles, NamesMustFitTheResultColumnAndBeUnique) {
  const ConsoleProfiles profiles = {{"DS", {}, {}}, {"3DS", {}, {}}};
  EXPECT_FALSE(profileNameProblem(profiles, "DSi"));
  EXPECT_FALSE(profileNameProblem(profiles, "ds"));  // names compare exactly
  EXPECT_FALSE(profileNameProblem(profiles, "DS", &profiles[0]));
  EXPECT_TRUE(profileNameProblem(profiles, "DS", &profiles[1]));
  for (const std::string& bad :
       std::vector<std::string>{"", " ", "a\tb", "a\nb", std::string(65, 'x'), std::string("\xE9t\xE9")}) {
    EXPECT_TRUE(profileNameProblem(profiles, bad)) << bad;
  }
  EXPECT_FALSE(profileNameProblem(profiles, std::string(64, 'x')));
}

TEST_F(ProfilesFileTest, LoadTellsNoFileFromAFileItCannotRead) {
  EXPECT_FALSE(loadProfilesFile(file("profiles.json")).found);

  std::filesystem::create_directory(file("folder.json"));
  EXPECT_TRUE(loadProfilesFile(file("folder.json")).error);

  const ProfilesLoad damaged = loadProfilesFile(writeFile("damaged.json", R"({"profiles": [{"name": "DS"}]})"));
  EXPECT_TRUE(damaged.found);
  ASSERT_TRUE(damaged.problem);
  EXPECT_EQ(describe(*damaged.problem), "profile 1 (DS): versionWord: missing");

  const ProfilesLoad huge = loadProfilesFile(writeFile("huge.json", std::string(profilesReadLimit + 1, ' ')));
  EXPECT_TRUE(huge.problem);
}

TEST_F(ProfilesFileTest, FailedSaveLeavesTheOldFile) {
  const std::string old = formatProfiles(testing::savedProfileLists()[1]);
  const std::filesystem::path path = writeFile("profiles.json", old);
  std::filesystem::create_directory(file("profiles.json.saving"));  // where the new text would go first
  EXPECT_TRUE(saveProfilesFile(path, testing::savedProfileLists()[0]));
  EXPECT_EQ(slurp(path), old);
  EXPECT_TRUE(saveProfilesFile(file("missing/profiles.json"), testing::savedProfileLists()[0]));
  EXPECT_FALSE(std::filesystem::exists(file("missing")));
}

#ifndef _WIN32
// Saves cut short by SIGKILL at a different moment each round, in a process that saves
// a long list and a short one in turn, leave one of the two whole.
TEST_F(ProfilesFileTest, SaveKilledHalfwayLeavesAWholeFile) {
  const auto lists = testing::savedProfileLists();
  for (int round = 0; round < 20; ++round) {
    testing::ChildProcess saver(HANABIRA_SAVE_LOOP_COMMAND, dir_, file("out.txt"), file("err.txt"));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (slurp(file("out.txt")).empty() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(slurp(file("out.txt")), "saving\n") << slurp(file("err.txt"));
    std::this_thread::sleep_for(std::chrono::microseconds(round * 250));
    saver.send(SIGKILL);
    EXPECT_EQ(saver.wait().exitCode, 128 + SIGKILL);
    const ProfilesLoad load = loadProfilesFile(file("profiles.json"));
    ASSERT_FALSE(load.problem) << "round " << round << ": " << describe(*load.problem);
    EXPECT_TRUE(load.profiles == lists[0] || load.profiles == lists[1]) << "round " << round;
  }
}
#endif

}  // namespace
}  // namespace hanabira
