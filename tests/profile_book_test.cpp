// The window's console profiles: the file kept whole through every change, names the
// list refuses, a damaged file left as it is, and what choosing a profile fills in.
#include "ui/model/profile_book.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ui/model/control_ids.h"

namespace hanabira {
namespace {

class ProfileBookTest : public ::testing::Test {
 protected:
  ProfileBookTest()
      : dir_(std::filesystem::temp_directory_path() /
             (std::string("hanabira-") + ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~ProfileBookTest() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path path(const char* name) const { return dir_ / name; }
  std::string read(const char* name) const {
    std::stringstream text;
    text << std::ifstream(path(name), std::ios::binary).rdbuf();
    return text.str();
  }
  void write(const char* name, std::string_view text) const { std::ofstream(path(name), std::ios::binary) << text; }
  // What a fresh window reads from the file.
  ConsoleProfiles reloaded() const {
    ProfileBook book(path(profilesFileName));
    EXPECT_EQ(book.load(), std::nullopt);
    return book.profiles();
  }

  std::filesystem::path dir_;
};

ConsoleParameters console(std::uint32_t timer0) {
  ConsoleParameters c;
  c.vcount = 0x60;
  c.timer0 = timer0;
  c.gxStat = 0x6000000;
  c.frame = 8;
  c.mac = {0x00, 0x09, 0xBF, 0x12, 0x34, 0x56};
  return c;
}

TEST_F(ProfileBookTest, EveryChangeReplacesTheFileWholeAndBadNamesChangeNothing) {
  ProfileBook book(path(profilesFileName));
  EXPECT_EQ(book.load(), std::nullopt);  // no file yet: no profiles, no message
  EXPECT_EQ(book.create("DS Lite", console(0xC79)), std::nullopt);
  EXPECT_EQ(book.create("3DS", console(0xC7A)), std::nullopt);
  EXPECT_EQ(reloaded(), book.profiles());
  ASSERT_EQ(book.profiles().size(), 2u);

  const std::string saved = read(profilesFileName);
  for (const std::string_view bad : {"", "   ", "3DS"}) {
    const auto refused = book.create(bad, console(1));
    ASSERT_TRUE(refused.has_value()) << bad;
    EXPECT_EQ(*refused, *profileNameProblem(book.profiles(), bad));
    EXPECT_EQ(book.rename(0, bad), refused) << bad;  // another profile's name, or none
  }
  EXPECT_EQ(read(profilesFileName), saved);
  EXPECT_EQ(book.profiles().size(), 2u);

  EXPECT_EQ(book.rename(0, "DS Lite"), std::nullopt);  // its own name is free to it
  EXPECT_EQ(book.rename(1, "3DS LL"), std::nullopt);
  EXPECT_EQ(book.remove(0), std::nullopt);
  ASSERT_EQ(reloaded().size(), 1u);
  EXPECT_EQ(reloaded()[0].name, "3DS LL");
  EXPECT_EQ(reloaded()[0].console, console(0xC7A));
  EXPECT_TRUE(book.remove(5).has_value());  // no such profile
}

TEST_F(ProfileBookTest, StoringKeepsEachCalibrationResultOnce) {
  ProfileBook book(path(profilesFileName));
  ASSERT_EQ(book.create("DS Lite", console(0xC79)), std::nullopt);
  const CalibratedConsole found{0x82, 0x10F5, 8};
  EXPECT_EQ(book.store(0, console(0x10F5), found), std::nullopt);
  EXPECT_EQ(book.store(0, console(0x10F5), found), std::nullopt);
  EXPECT_EQ(book.store(0, console(0x10F5), std::nullopt), std::nullopt);
  EXPECT_EQ(reloaded()[0].calibration, std::vector<CalibratedConsole>{found});
  EXPECT_EQ(reloaded()[0].console.timer0, 0x10F5u);
}

TEST_F(ProfileBookTest, ADamagedFileIsNamedAndNeverOverwritten) {
  const std::string damaged = R"({"profiles": [{"name": "DS Lite", "macAddress": "00-09-BF-12-34-56",
    "versionWord": "0x2215F10", "vcount": "0x60", "timer0": "xyz", "gxStat": "0x6000000", "frame": 8}]})";
  write(profilesFileName, damaged);
  ProfileBook book(path(profilesFileName));
  const std::optional<std::string> message = book.load();
  ASSERT_TRUE(message.has_value());
  EXPECT_NE(message->find(path(profilesFileName).string()), std::string::npos) << *message;
  EXPECT_NE(message->find("timer0"), std::string::npos) << *message;
  EXPECT_TRUE(book.profiles().empty());

  const std::optional<std::string> refused = book.create("3DS", console(1));
  ASSERT_TRUE(refused.has_value());
  EXPECT_NE(refused->find(path(profilesFileName).string()), std::string::npos) << *refused;
  EXPECT_EQ(read(profilesFileName), damaged);
}

TEST_F(ProfileBookTest, AFailedSaveChangesNothing) {
  write("folder", "a file where the folder should be");
  ProfileBook book(path("folder") / profilesFileName);
  const std::optional<std::string> problem = book.create("DS Lite", console(1));
  ASSERT_TRUE(problem.has_value());
  EXPECT_NE(problem->find(profilesFileName), std::string::npos) << *problem;
  EXPECT_TRUE(book.profiles().empty());
}

TEST_F(ProfileBookTest, ImportAddsAfterTheListOrNothingAtAll) {
  ProfileBook other(path("other.json"));
  ASSERT_EQ(other.create("3DS", console(2)), std::nullopt);
  ASSERT_EQ(other.create("DSi", console(3)), std::nullopt);
  ASSERT_EQ(other.exportTo(path("exported.json")), std::nullopt);

  ProfileBook book(path(profilesFileName));
  ASSERT_EQ(book.create("DSi", console(1)), std::nullopt);
  const std::string before = read(profilesFileName);
  EXPECT_TRUE(book.importFrom(path("exported.json")).has_value());  // "DSi" twice
  EXPECT_EQ(read(profilesFileName), before);

  ASSERT_EQ(book.rename(0, "DS Lite"), std::nullopt);
  EXPECT_EQ(book.importFrom(path("exported.json")), std::nullopt);
  ASSERT_EQ(reloaded().size(), 3u);
  EXPECT_EQ(reloaded()[1], other.profiles()[0]);
  EXPECT_EQ(reloaded()[2], other.profiles()[1]);

  write("broken.json", "[");
  EXPECT_TRUE(book.importFrom(path("broken.json")).has_value());
  EXPECT_EQ(book.profiles().size(), 3u);
}

// As config.txt of the same console fills them: the White 2 edition leaves both
// version buttons unchecked, so that the start command keeps its words.
TEST(ProfileFields, FillTheConsoleFieldsTheEditionAndTheRanges) {
  ConsoleProfile profile{"3DS", console(0x10F5), {}};
  profile.console.edition = Edition{Game::White2, Language::English, ConsoleKind::ThreeDs};
  profile.console.timer0Range = ParameterRange{0x10E4, 0x110D};
  LoadedConsoleFields fields = profileFields(profile);
  EXPECT_EQ(fields.texts[vcountEdit], "60");
  EXPECT_EQ(fields.texts[timer0Edit], "10f5");  // as config.txt writes it
  EXPECT_EQ(fields.texts[frameEdit], "8");
  EXPECT_EQ(fields.texts[macEdits + 2], "BF");
  EXPECT_EQ(fields.edition, profile.console.edition);
  EXPECT_EQ(fields.timer0Range, profile.console.timer0Range);
  EXPECT_EQ(fields.vcountRange, std::nullopt);
  EXPECT_EQ(fields.versionRadio, std::nullopt);

  profile.console.edition.reset();
  profile.console.versionWord = whiteVersionWord;
  EXPECT_EQ(profileFields(profile).versionRadio, whiteRadio);
}

}  // namespace
}  // namespace hanabira
