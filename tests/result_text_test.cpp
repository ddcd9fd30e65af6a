#include "evaluate/result_text.h"

#include <gtest/gtest.h>

#include <type_traits>

#include "evaluate/comet_shard_search.h"
#include "evaluate/deliveryman_search.h"
#include "evaluate/dome_search.h"
#include "evaluate/inheritance_search.h"
#include "evaluate/iv_search.h"
#include "evaluate/search_modes.h"
#include "evaluate/shiny_pid_search.h"
#include "test_support.h"
#include "vocab/cp932.h"

namespace hanabira {
namespace {

ResultText utf8Text(SearchMode mode, bool keys) {
  return ResultText(definitionOf(mode).columns, keys, TextEncoding::Utf8);
}

TEST(ResultText, HeadersOfEveryMode) {
  EXPECT_EQ(utf8Text(SearchMode::IvSearch, false).header(),
            "年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed\r\n");
  EXPECT_EQ(utf8Text(SearchMode::ShinyPidSearch, false).header(),
            "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,めざパ,威力,初期seed,性格値乱数消費,乱数値,性格値\r\n");
  EXPECT_EQ(utf8Text(SearchMode::InheritanceSearch, false).header(),
            "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,初期seed,性格値乱数消費,遺伝1,遺伝2,遺伝3,性別,特性\r\n");
  EXPECT_EQ(utf8Text(SearchMode::DeliverymanSearch, false).header(),
            "年,月,日,時,分,秒,性格値乱数消費,性格,H,A,B,C,D,S,めざパ,威力,初期seed\r\n");
  EXPECT_EQ(utf8Text(SearchMode::CometShardSearch, false).header(), "年,月,日,時,分,秒,性格値乱数消費,初期seed\r\n");
  EXPECT_EQ(utf8Text(SearchMode::DomeSearch, true).header(),
            "年,月,日,時,分,秒,性格値乱数消費下限,上限,初期seed,キー入力\r\n");
}

TEST(ResultText, TheHeaderIsCp932ByDefault) {
  const ResultText text(definitionOf(SearchMode::CometShardSearch).columns, true);
  EXPECT_EQ(text.header(), utf8ToCp932("年,月,日,時,分,秒,性格値乱数消費,初期seed,キー入力\r\n"));
}

TEST(ResultText, SelectsTheModeByPriority) {
  SearchSettings settings;
  EXPECT_EQ(selectSearchMode(settings), SearchMode::IvSearch);
  settings.shinyPidSearch = true;
  EXPECT_EQ(selectSearchMode(settings), SearchMode::ShinyPidSearch);
  settings.inheritanceSearch = true;
  EXPECT_EQ(selectSearchMode(settings), SearchMode::InheritanceSearch);
  settings.deliverymanSearch = true;
  EXPECT_EQ(selectSearchMode(settings), SearchMode::DeliverymanSearch);
  settings.cometShardSearch = true;
  EXPECT_EQ(selectSearchMode(settings), SearchMode::CometShardSearch);
  settings.domeSearch = true;
  EXPECT_EQ(selectSearchMode(settings), SearchMode::DomeSearch);
  settings.cometShardSearch = settings.inheritanceSearch = settings.shinyPidSearch = false;
  EXPECT_EQ(selectSearchMode(settings), SearchMode::DomeSearch);  // dome over deliveryman
}

const IvMatch workedMatch{7, {4, 21, 9, 26, 18, 11}, {3, 65}};
using testing::workedMomentWithA;

std::string ivLine(bool keys, const BootMoment& moment, std::uint64_t seed = 0x9D76553EC8C0FA7A) {
  std::string line;
  appendIvSearchLine(utf8Text(SearchMode::IvSearch, keys), line, moment, seed, workedMatch);
  return line;
}

TEST(ResultText, IvSearchLine) {
  EXPECT_EQ(ivLine(true, workedMomentWithA), "11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,A\r\n");
  EXPECT_EQ(ivLine(false, workedMomentWithA), "11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A\r\n");
  // Leading zeros of both halves of the seed are kept.
  EXPECT_EQ(ivLine(false, workedMomentWithA, 0x0000ABCD12345678).substr(48), "0000ABCD12345678\r\n");
  BootMoment early = workedMomentWithA;
  early.year = 5;
  early.month = 1;
  early.hour = 0;
  EXPECT_EQ(ivLine(false, early).substr(0, 15), "5,1,27,0,47,35,");
}

TEST(ResultText, KeyColumnNamesTheKeysHeldInRegisterOrder) {
  auto keys = [](int mask) {
    BootMoment moment = workedMomentWithA;
    moment.keyMask = mask;
    const std::string line = ivLine(true, moment);
    return line.substr(line.rfind(',') + 1);
  };
  EXPECT_EQ(keys(noKeysHeld), "\r\n");  // nothing held: the field is empty
  EXPECT_EQ(keys(0xFF6), "ASt\r\n");    // A and Start
  EXPECT_EQ(keys(0xCFF), "RL\r\n");     // R and L
  EXPECT_EQ(keys(0xF0F), "→←↑↓\r\n");
  EXPECT_EQ(keys(0xC00), "ABSeSt→←↑↓RL\r\n");
  // X and Y come after the key register's keys.
  EXPECT_EQ(keys(0xBFF), "X\r\n");
  EXPECT_EQ(keys(0x7FE), "AY\r\n");
  EXPECT_EQ(keys(0), "ABSeSt→←↑↓RLXY\r\n");
}

TEST(ResultText, Cp932LineBytes) {
  std::string line;
  appendIvSearchLine(ResultText(definitionOf(SearchMode::IvSearch).columns, true), line, workedMomentWithA,
                     0x9D76553EC8C0FA7A, workedMatch);
  EXPECT_EQ(line, utf8ToCp932("11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,A\r\n"));
}

// The line a mode's own function writes for `match`.
template <typename Match>
std::string lineOf(SearchMode mode, const Match& match, bool keys = false, TextEncoding encoding = TextEncoding::Utf8,
                   ResultLanguage language = ResultLanguage::Japanese) {
  const ResultText text(definitionOf(mode).columnsIn(language), keys, encoding, false, language);
  std::string line;
  const BootMoment& moment = workedMomentWithA;
  const InitialSeed seed = 0x0000ABCD12345678;
  if constexpr (std::is_same_v<Match, ShinyPidMatch>) appendShinyPidSearchLine(text, line, moment, seed, match);
  if constexpr (std::is_same_v<Match, InheritanceMatch>) appendInheritanceSearchLine(text, line, moment, seed, match);
  if constexpr (std::is_same_v<Match, DeliverymanMatch>) appendDeliverymanSearchLine(text, line, moment, seed, match);
  if constexpr (std::is_same_v<Match, CometShardMatch>) appendCometShardSearchLine(text, line, moment, seed, match);
  if constexpr (std::is_same_v<Match, DomeMatch>) appendDomeSearchLine(text, line, moment, seed, match);
  return line;
}

TEST(ResultText, LinesOfTheOtherModes) {
  const std::string moment = "11,9,27,13,47,35,";
  // The personality-value column of the shiny search shows the position minus one.
  EXPECT_EQ(lineOf(SearchMode::ShinyPidSearch, ShinyPidMatch{7, {4, 21, 9, 26, 18, 11}, {3, 65}, 0, 0x0000BEEF, 0x12}),
            moment + "7,4,21,9,26,18,11,じめん,65,0000ABCD12345678,-1,0000BEEF,00000012\r\n");
  EXPECT_EQ(lineOf(SearchMode::InheritanceSearch,
                   InheritanceMatch{7, {4, 21, 9, 26, 18, 11}, 50, {{{0, 0}, {4, 1}, {5, 0}}}, 142, 2}, true),
            moment + "7,4,21,9,26,18,11,0000ABCD12345678,50,H-先,D-後,S-先,142,2,A\r\n");
  EXPECT_EQ(lineOf(SearchMode::DeliverymanSearch, DeliverymanMatch{60, 6, {0, 1, 2, 3, 4, 31}, {15, 70}}),
            moment + "60,すなお　　,0,1,2,3,4,31,あく,70,0000ABCD12345678\r\n");
  EXPECT_EQ(lineOf(SearchMode::CometShardSearch, CometShardMatch{2800}, true), moment + "2800,0000ABCD12345678,A\r\n");
  EXPECT_EQ(lineOf(SearchMode::DomeSearch, DomeMatch{10, 12}), moment + "10,12,0000ABCD12345678\r\n");
}

TEST(ResultText, NatureNamesAndInheritanceLabelsInCp932) {
  // すなお and two ideographic spaces (81 40), then the comma.
  const std::string delivery =
      lineOf(SearchMode::DeliverymanSearch, DeliverymanMatch{60, 6, {0, 1, 2, 3, 4, 31}, {15, 70}}, false,
             TextEncoding::Cp932);
  EXPECT_NE(delivery.find(",60,\x82\xb7\x82\xc8\x82\xa8\x81\x40\x81\x40,"), std::string::npos);
  const std::string egg = lineOf(SearchMode::InheritanceSearch,
                                 InheritanceMatch{7, {4, 21, 9, 26, 18, 11}, 50, {{{0, 0}, {4, 1}, {5, 0}}}, 142, 2},
                                 false, TextEncoding::Cp932);
  EXPECT_EQ(egg, utf8ToCp932("11,9,27,13,47,35,7,4,21,9,26,18,11,0000ABCD12345678,50,H-先,D-後,S-先,142,2\r\n"));
}

// In English the same numbers and columns, with English words: names as they are,
// without filling, keys in ASCII, the same bytes in either encoding.
TEST(ResultText, EnglishWordsAndNames) {
  const ResultText ranges(definitionOf(SearchMode::IvSearch).columnsIn(ResultLanguage::English), true,
                          TextEncoding::Cp932, true, ResultLanguage::English);
  EXPECT_EQ(ranges.header(),
            "Year,Month,Day,Hour,Minute,Second,VCount,Timer0,IV position,HP,Atk,Def,SpA,SpD,Spe,Hidden Power,Power,"
            "Initial seed,Keys\r\n");
  std::string keys;
  ranges.appendLineEnd(keys, 0, 0);
  EXPECT_EQ(keys, ",ABSeStRightLeftUpDownRLXY\r\n");

  const std::string moment = "11,9,27,13,47,35,";
  for (TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Cp932}) {
    EXPECT_EQ(lineOf(SearchMode::DeliverymanSearch, DeliverymanMatch{60, 6, {0, 1, 2, 3, 4, 31}, {15, 70}}, false,
                     encoding, ResultLanguage::English),
              moment + "60,Docile,0,1,2,3,4,31,Dark,70,0000ABCD12345678\r\n");
    EXPECT_EQ(lineOf(SearchMode::InheritanceSearch,
                     InheritanceMatch{7, {4, 21, 9, 26, 18, 11}, 50, {{{0, 0}, {4, 1}, {5, 0}}}, 142, 2}, true,
                     encoding, ResultLanguage::English),
              moment + "7,4,21,9,26,18,11,0000ABCD12345678,50,HP-A,SpD-B,Spe-A,142,2,A\r\n");
  }
}

}  // namespace
}  // namespace hanabira
