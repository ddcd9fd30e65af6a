// The editions table against the published words, and the words a search hashes.
#include "core/edition.h"

#include <gtest/gtest.h>

#include <string_view>

#include "core/initial_seed.h"
#include "test_support.h"

namespace hanabira {
namespace {

struct PublishedWords {
  std::string_view game, language, family;  // family: "DS" (DS, DS Lite) or "DSi" (DSi, 3DS)
  EditionWords words;
};

// W0 to W4 as written out from the published N (and A, B) of every edition.
constexpr PublishedWords published[] = {
    {"Black", "JPN", "DS", {0x02215F10, 0x0221600C, 0x0221600C, 0x02216058, 0x02216058}},
    {"Black", "JPN", "DSi", {0x02761150, 0x0276124C, 0x0276124C, 0x02761298, 0x02761298}},
    {"Black", "ENG", "DS", {0x022160B0, 0x022161AC, 0x022161AC, 0x022161F8, 0x022161F8}},
    {"Black", "ENG", "DSi", {0x02760190, 0x0276028C, 0x0276028C, 0x027602D8, 0x027602D8}},
    {"Black", "GER", "DS", {0x02215FF0, 0x022160EC, 0x022160EC, 0x02216138, 0x02216138}},
    {"Black", "GER", "DSi", {0x027602F0, 0x027603EC, 0x027603EC, 0x02760438, 0x02760438}},
    {"Black", "FRA", "DS", {0x02216030, 0x0221612C, 0x0221612C, 0x02216178, 0x02216178}},
    {"Black", "FRA", "DSi", {0x02760230, 0x0276032C, 0x0276032C, 0x02760378, 0x02760378}},
    {"Black", "SPA", "DS", {0x02216070, 0x0221616C, 0x0221616C, 0x022161B8, 0x022161B8}},
    {"Black", "SPA", "DSi", {0x027601F0, 0x027602EC, 0x027602EC, 0x02760338, 0x02760338}},
    {"Black", "ITA", "DS", {0x02215FB0, 0x022160AC, 0x022160AC, 0x022160F8, 0x022160F8}},
    {"Black", "ITA", "DSi", {0x027601D0, 0x027602CC, 0x027602CC, 0x02760318, 0x02760318}},
    {"Black", "KOR", "DS", {0x022167B0, 0x022168AC, 0x022168AC, 0x022168F8, 0x022168F8}},
    {"Black", "KOR", "DSi", {0x02761150, 0x0276124C, 0x0276124C, 0x02761298, 0x02761298}},
    {"White", "JPN", "DS", {0x02215F30, 0x0221602C, 0x0221602C, 0x02216078, 0x02216078}},
    {"White", "JPN", "DSi", {0x02761150, 0x0276124C, 0x0276124C, 0x02761298, 0x02761298}},
    {"White", "ENG", "DS", {0x022160D0, 0x022161CC, 0x022161CC, 0x02216218, 0x02216218}},
    {"White", "ENG", "DSi", {0x027601B0, 0x027602AC, 0x027602AC, 0x027602F8, 0x027602F8}},
    {"White", "GER", "DS", {0x02216010, 0x0221610C, 0x0221610C, 0x02216158, 0x02216158}},
    {"White", "GER", "DSi", {0x027602F0, 0x027603EC, 0x027603EC, 0x02760438, 0x02760438}},
    {"White", "FRA", "DS", {0x02216050, 0x0221614C, 0x0221614C, 0x02216198, 0x02216198}},
    {"White", "FRA", "DSi", {0x02760250, 0x0276034C, 0x0276034C, 0x02760398, 0x02760398}},
    {"White", "SPA", "DS", {0x02216070, 0x0221616C, 0x0221616C, 0x022161B8, 0x022161B8}},
    {"White", "SPA", "DSi", {0x027601F0, 0x027602EC, 0x027602EC, 0x02760338, 0x02760338}},
    {"White", "ITA", "DS", {0x02215FD0, 0x022160CC, 0x022160CC, 0x02216118, 0x02216118}},
    {"White", "ITA", "DSi", {0x027601D0, 0x027602CC, 0x027602CC, 0x02760318, 0x02760318}},
    {"White", "KOR", "DS", {0x022167B0, 0x022168AC, 0x022168AC, 0x022168F8, 0x022168F8}},
    {"White", "KOR", "DSi", {0x02761150, 0x0276124C, 0x0276124C, 0x02761298, 0x02761298}},
    {"Black2", "JPN", "DS", {0x0209A8DC, 0x02039AC9, 0x021FF9B0, 0x021FFA04, 0x021FFA04}},
    {"Black2", "JPN", "DSi", {0x0209A8DC, 0x02039AC9, 0x027AA730, 0x027AA784, 0x027AA784}},
    {"Black2", "ENG", "DS", {0x0209AEE8, 0x02039DE9, 0x02200010, 0x02200064, 0x02200064}},
    {"Black2", "ENG", "DSi", {0x0209AEE8, 0x02039DE9, 0x027A5F70, 0x027A5FC4, 0x027A5FC4}},
    {"Black2", "GER", "DS", {0x0209AE28, 0x02039D69, 0x021FFF50, 0x021FFFA4, 0x021FFFA4}},
    {"Black2", "GER", "DSi", {0x0209AE28, 0x02039D69, 0x027A6110, 0x027A6164, 0x027A6164}},
    {"Black2", "FRA", "DS", {0x0209AF08, 0x02039DF9, 0x02200030, 0x02200084, 0x02200084}},
    {"Black2", "FRA", "DSi", {0x0209AF08, 0x02039DF9, 0x027A5F90, 0x027A5FE4, 0x027A5FE4}},
    {"Black2", "SPA", "DS", {0x0209AEA8, 0x02039DB9, 0x021FFFD0, 0x02200024, 0x02200024}},
    {"Black2", "SPA", "DSi", {0x0209AEA8, 0x02039DB9, 0x027A6070, 0x027A60C4, 0x027A60C4}},
    {"Black2", "ITA", "DS", {0x0209ADE8, 0x02039D69, 0x021FFF10, 0x021FFF64, 0x021FFF64}},
    {"Black2", "ITA", "DSi", {0x0209ADE8, 0x02039D69, 0x027A5F70, 0x027A5FC4, 0x027A5FC4}},
    {"Black2", "KOR", "DS", {0x0209B60C, 0x0203A4D5, 0x02200750, 0x022007A4, 0x022007A4}},
    {"Black2", "KOR", "DSi", {0x0209B60C, 0x0203A4D5, 0x02200770, 0x022007C4, 0x022007C4}},
    {"White2", "JPN", "DS", {0x0209A8FC, 0x02039AF5, 0x021FF9D0, 0x021FFA24, 0x021FFA24}},
    {"White2", "JPN", "DSi", {0x0209A8FC, 0x02039AF5, 0x027AA5F0, 0x027AA644, 0x027AA644}},
    {"White2", "ENG", "DS", {0x0209AF28, 0x02039E15, 0x02200050, 0x022000A4, 0x022000A4}},
    {"White2", "ENG", "DSi", {0x0209AF28, 0x02039E15, 0x027A5E90, 0x027A5EE4, 0x027A5EE4}},
    {"White2", "GER", "DS", {0x0209AE48, 0x02039D95, 0x021FFF70, 0x021FFFC4, 0x021FFFC4}},
    {"White2", "GER", "DSi", {0x0209AE48, 0x02039D95, 0x027A6010, 0x027A6064, 0x027A6064}},
    {"White2", "FRA", "DS", {0x0209AF28, 0x02039E25, 0x02200050, 0x022000A4, 0x022000A4}},
    {"White2", "FRA", "DSi", {0x0209AF28, 0x02039E25, 0x027A5EF0, 0x027A5F44, 0x027A5F44}},
    {"White2", "SPA", "DS", {0x0209AEC8, 0x02039DE5, 0x021FFFF0, 0x02200044, 0x02200044}},
    {"White2", "SPA", "DSi", {0x0209AEC8, 0x02039DE5, 0x027A5FB0, 0x027A6004, 0x027A6004}},
    {"White2", "ITA", "DS", {0x0209AE28, 0x02039D95, 0x021FFF50, 0x021FFFA4, 0x021FFFA4}},
    {"White2", "ITA", "DSi", {0x0209AE28, 0x02039D95, 0x027A5ED0, 0x027A5F24, 0x027A5F24}},
    {"White2", "KOR", "DS", {0x0209B62C, 0x0203A501, 0x02200770, 0x022007C4, 0x022007C4}},
    {"White2", "KOR", "DSi", {0x0209B62C, 0x0203A501, 0x027A57B0, 0x027A5804, 0x027A5804}},
};

TEST(Editions, EveryRowHoldsThePublishedWords) {
  int rows = 0;
  for (const PublishedWords& p : published) {
    const Edition first{*gameFromKey(p.game), *languageFromKey(p.language),
                        p.family == "DS" ? ConsoleKind::Ds : ConsoleKind::Dsi};
    for (const ConsoleKind console : {first.console, static_cast<ConsoleKind>(static_cast<int>(first.console) + 1)}) {
      const Edition edition{first.game, first.language, console};
      EXPECT_EQ(editionFacts(edition).words, p.words) << p.game << " " << p.language << " " << consoleKey(console);
      EXPECT_EQ(editionFacts(edition).edition, edition);
      ++rows;
    }
  }
  EXPECT_EQ(rows, static_cast<int>(editionTable().size()));
}

TEST(Editions, JapaneseBlackAndWhiteOnTheDsAreTheVersionWords) {
  for (const ConsoleKind console : {ConsoleKind::Ds, ConsoleKind::DsLite}) {
    EXPECT_EQ(editionFacts({Game::Black, Language::Japanese, console}).words, versionWordWords(blackVersionWord));
    EXPECT_EQ(editionFacts({Game::White, Language::Japanese, console}).words, versionWordWords(whiteVersionWord));
  }
  // The worked example's seed, with the edition in place of the version word.
  SearchSettings settings = testing::workedExampleSettings();
  settings.versionWord = 0;
  settings.edition = Edition{Game::Black, Language::Japanese, ConsoleKind::Ds};
  EXPECT_EQ(computeInitialSeed(settings, {11, 9, 27, 13, 47, 35, 2, 0xFFE}), 0x9D76553EC8C0FA7Au);
}

TEST(Editions, ConsolesAndCertainties) {
  const EditionFacts& spanishBlack = editionFacts({Game::Black, Language::Spanish, ConsoleKind::DsLite});
  EXPECT_EQ(spanishBlack.wordsCertainty, Certainty::Confirmed);
  EXPECT_EQ(spanishBlack.frame, 6);
  EXPECT_EQ(editionFacts({Game::White2, Language::Korean, ConsoleKind::ThreeDs}).wordsCertainty,
            Certainty::Placeholder);
  // The English value, which one table gave every European sequel and never corrected here.
  const EditionFacts& italianBlack2 = editionFacts({Game::Black2, Language::Italian, ConsoleKind::Dsi});
  EXPECT_EQ(italianBlack2.words[2], editionFacts({Game::Black2, Language::English, ConsoleKind::Dsi}).words[2]);
  EXPECT_EQ(italianBlack2.wordsCertainty, Certainty::Placeholder);
  EXPECT_EQ(editionFacts({Game::White2, Language::English, ConsoleKind::Dsi}).wordsCertainty, Certainty::Unconfirmed);
  EXPECT_EQ(editionFacts({Game::Black2, Language::German, ConsoleKind::Dsi}).frameCertainty, Certainty::Inferred);
  for (const EditionFacts& row : editionTable()) {
    EXPECT_EQ(row.gxStat, 0x06000000u);
    const bool ds = row.edition.console == ConsoleKind::Ds || row.edition.console == ConsoleKind::DsLite;
    EXPECT_EQ(row.wordsCertainty == Certainty::Unconfirmed || row.wordsCertainty == Certainty::Placeholder, !ds);
    EXPECT_LE(row.typicalTimer0s.min, row.typicalTimer0s.max);
  }
  const EditionFacts& white2 = editionFacts({Game::White2, Language::English, ConsoleKind::DsLite});
  EXPECT_EQ(white2.typicalVcounts, (ParameterRange{0x81, 0x83}));
  EXPECT_EQ(white2.typicalTimer0s, (ParameterRange{0x10E4, 0x110D}));
  EXPECT_EQ(editionFacts({Game::White2, Language::Japanese, ConsoleKind::ThreeDs}).typicalTimer0s,
            (ParameterRange{0x18AF, 0x18B3}));
}

}  // namespace
}  // namespace hanabira
