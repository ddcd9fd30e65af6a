#include "engine/profile_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"
#include "vocab/cp932.h"

namespace hanabira {
namespace {

// Every IV passes, so each of the 60 seconds makes a line.
SearchSettings minuteSettings() {
  SearchSettings settings = testing::workedExampleSettings();
  settings.startSecond = 0;
  settings.endSecond = 59;
  return settings;
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

const ConsoleProfiles threeConsoles = {console("DS Lite", 0x60, 0xC79, 0x56), console("3DS", 0x82, 0x10F5, 0x57),
                                       console("DSi", 0x5F, 0xC7A, 0x58)};

// `text`'s lines after the header, each led by `prefix`.
std::string prefixedLines(const std::string& text, const std::string& prefix) {
  std::string out;
  std::istringstream lines(text.substr(text.find('\n') + 1));
  for (std::string line; std::getline(lines, line);) out += prefix + line + '\n';
  return out;
}

std::string headerOf(const std::string& text) { return text.substr(0, text.find('\n') + 1); }

TEST(ProfileSearch, WritesEachProfilesOwnLinesInTheListsOrderUnderOneHeader) {
  const SearchSettings settings = minuteSettings();
  StringSink sink;
  const ProfileSearchSummary summary = runProfileSearch(settings, threeConsoles, sink, {testing::utf8()});

  std::string expected;
  std::uint64_t lines = 0;
  for (const ConsoleProfile& profile : threeConsoles) {
    const std::string own = testing::fastResult(profileSettings(settings, profile), testing::utf8());
    if (expected.empty()) expected = "プロファイル," + headerOf(own);
    expected += prefixedLines(own, profile.name + ",");
    lines += static_cast<std::uint64_t>(std::count(own.begin(), own.end(), '\n')) - 1;
  }
  EXPECT_EQ(sink.text(), expected);
  EXPECT_EQ(summary.total.candidates, lines);
  EXPECT_EQ(summary.total.momentsTotal, 180u);
  EXPECT_EQ(summary.total.momentsDone, 180u);
  EXPECT_EQ(summary.profilesSearched, 3u);
  EXPECT_FALSE(summary.total.cancelled);

  // The console kind of a profile's edition keeps or drops the afternoon flag.
  ConsoleProfile kind = threeConsoles[1];
  kind.console.edition = Edition{Game::White2, Language::English, ConsoleKind::ThreeDs};
  EXPECT_TRUE(profileSettings(settings, kind).is3ds);
  kind.console.edition->console = ConsoleKind::Dsi;
  SearchSettings was3ds = settings;
  was3ds.is3ds = true;
  EXPECT_FALSE(profileSettings(was3ds, kind).is3ds);

  // One profile, CP932 and the reference path: that search's file with the column.
  const std::string own = testing::referenceResult(profileSettings(settings, threeConsoles[1]));
  StringSink one;
  runProfileSearch(settings, std::span(threeConsoles).subspan(1, 1), one, {{}, true, {}});
  EXPECT_EQ(one.text(), utf8ToCp932("プロファイル,") + headerOf(own) + prefixedLines(own, "3DS,"));
}

TEST(ProfileSearch, ProgressCoversTheWholeAndAStopLeavesAnExactPrefix) {
  const SearchSettings settings = minuteSettings();
  std::vector<double> shares;
  std::atomic<bool> cancel = false;
  ProfileSearchOptions options{testing::utf8()};
  options.search.cancel = &cancel;
  options.search.chunkMoments = 7;
  options.search.threads = 2;
  options.search.onProgress = [&](const SearchProgress& progress) {
    shares.push_back(progress.shareDone());
    EXPECT_EQ(progress.momentsTotal, 180u);
  };
  StringSink whole;
  runProfileSearch(settings, threeConsoles, whole, options);
  EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
  EXPECT_EQ(shares.back(), 1.0);

  // Stopped as the second profile starts: the first profile's part, whole.
  options.search.onProgress = nullptr;
  options.onProfile = [&](std::size_t index) { cancel = index == 1; };
  StringSink stopped;
  const ProfileSearchSummary summary = runProfileSearch(settings, threeConsoles, stopped, options);
  EXPECT_TRUE(summary.total.cancelled);
  EXPECT_EQ(summary.profilesSearched, 2u);
  EXPECT_EQ(summary.total.momentsDone, 60u);
  const std::string first =
      headerOf(whole.text()) +
      prefixedLines(testing::fastResult(profileSettings(settings, threeConsoles[0]), testing::utf8()), "DS Lite,");
  EXPECT_EQ(stopped.text(), first);
  EXPECT_TRUE(whole.text().starts_with(stopped.text()));
}

TEST(ProfileSearch, RefusesBeforeWritingNamingTheProfile) {
  using Kind = ProfileSearchProblem::Kind;
  const SearchSettings settings = minuteSettings();
  auto problemOf = [&](const ConsoleProfiles& profiles, TextEncoding encoding = TextEncoding::Utf8) {
    StringSink sink;
    try {
      ProfileSearchOptions options;
      options.search.encoding = encoding;
      runProfileSearch(settings, profiles, sink, options);
    } catch (const ProfileSearchError& error) {
      EXPECT_EQ(sink.text(), "");
      return std::optional(error.problem());
    }
    return std::optional<ProfileSearchProblem>();
  };

  EXPECT_EQ(problemOf({})->kind, Kind::NoProfiles);
  ConsoleProfiles profiles = threeConsoles;
  profiles[2].name = "DSi, white";
  EXPECT_EQ(problemOf(profiles)->kind, Kind::NameSeparator);
  profiles[2].name = "DSi\n";
  EXPECT_EQ(problemOf(profiles)->kind, Kind::NameSeparator);

  // A name CP932 cannot hold: refused for a CP932 file only.
  profiles[2].name = "DSi 🎮";
  EXPECT_EQ(problemOf(profiles, TextEncoding::Cp932)->kind, Kind::NameEncoding);
  EXPECT_FALSE(problemOf(profiles).has_value());
  profiles[2].name = "ＤＳｉ";
  EXPECT_FALSE(problemOf(profiles, TextEncoding::Cp932).has_value());

  profiles = threeConsoles;
  profiles[1].console.timer0Range = ParameterRange{0x10F0, 0x10F8};
  const std::optional<ProfileSearchProblem> columns = problemOf(profiles);
  EXPECT_EQ(columns->kind, Kind::Columns);
  EXPECT_EQ(describe(*columns),
            "profile '3DS': its lines would have other columns than those of profile 'DS Lite' (a range of VCount or "
            "Timer0 in one of them only)");

  profiles[1].console.timer0Range = ParameterRange{0x10F8, 0x10F0};
  const std::optional<ProfileSearchProblem> refused = problemOf(profiles);
  ASSERT_EQ(refused->kind, Kind::Settings);
  EXPECT_EQ(refused->profile, "3DS");
  EXPECT_TRUE(describe(*refused).starts_with("profile '3DS': timer0Max 0x10F0")) << describe(*refused);
}

}  // namespace
}  // namespace hanabira
