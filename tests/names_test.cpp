#include "vocab/names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string_view>

#include "vocab/cp932.h"
#include "vocab/english_names.h"

namespace hanabira {
namespace {

TEST(Names, NatureNamesAreTenBytesOfCp932) {
  for (int id = 0; id < natureCount; ++id) EXPECT_EQ(utf8ToCp932(*natureName(id)).size(), 10u) << id;
  EXPECT_EQ(utf8ToCp932(*natureName(6)), "\x82\xb7\x82\xc8\x82\xa8\x81\x40\x81\x40");  // すなお and two spaces
  EXPECT_EQ(*natureName(0), "がんばりや");
  EXPECT_EQ(*natureName(13), "ようき　　");
}

TEST(Names, OutOfRangeIdsHaveNoName) {
  EXPECT_FALSE(natureName(25));
  EXPECT_FALSE(natureName(-1));
  EXPECT_FALSE(hiddenPowerTypeName(16));
  EXPECT_FALSE(domeTrainerName(52));
  EXPECT_FALSE(domeTrainerName(-2147483647 - 1));
}

TEST(Names, HiddenPowerTypesAndDomeTrainers) {
  EXPECT_EQ(*hiddenPowerTypeName(3), "じめん");
  EXPECT_EQ(utf8ToCp932(*hiddenPowerTypeName(15)), "\x82\xa0\x82\xad");               // あく
  EXPECT_EQ(utf8ToCp932(*domeTrainerName(0)), "OL\x82\xcc\x83\x41\x83\x63\x83\x52");  // OLのアツコ
  EXPECT_EQ(*domeTrainerName(51), "えんじのマユコ");
  std::size_t longest = 0;
  for (int id = 0; id < domeTrainerCount; ++id) longest = std::max(longest, utf8ToCp932(*domeTrainerName(id)).size());
  EXPECT_EQ(longest, 28u);
  EXPECT_EQ(utf8ToCp932(*domeTrainerName(4)).size(), 28u);
  EXPECT_EQ(utf8ToCp932(*domeTrainerName(41)).size(), 28u);
}

TEST(Names, ChoiceListsAndKeys) {
  EXPECT_EQ(utf8ToCp932(eggGenderRatioLabels[0]), "\x81\x89(7/8)");
  EXPECT_EQ(utf8ToCp932(eggGenderRatioLabels[7]), "\x81\x8a(1/8)");
  EXPECT_EQ(utf8ToCp932(keyNames[4]), "\x81\xa8");  // →
  EXPECT_EQ(cp932ToUtf8(utf8ToCp932(notSpecifiedLabel)), "指定無し");
}

// Every English name is there, once; the result file's are ASCII, and the key names
// split again before each capital letter.
TEST(Names, EnglishNames) {
  const auto distinct = [](auto lookup, int count) {
    std::set<std::string_view> names;
    for (int id = 0; id < count; ++id) names.insert(*lookup(id));
    EXPECT_FALSE(lookup(count));
    return names.size() == static_cast<std::size_t>(count);
  };
  EXPECT_TRUE(distinct(englishNatureName, natureCount));
  EXPECT_TRUE(distinct(englishHiddenPowerTypeName, hiddenPowerTypeCount));
  EXPECT_TRUE(distinct(englishDomeTrainerName, domeTrainerCount));
  EXPECT_EQ(*englishNatureName(6), "Docile");
  EXPECT_EQ(*englishHiddenPowerTypeName(3), "Ground");
  EXPECT_EQ(*englishDomeTrainerName(10), "Artist Pierre");
  EXPECT_FALSE(englishNatureName(-1));
  for (int id = 0; id < natureCount; ++id) EXPECT_EQ(utf8ToCp932(*englishNatureName(id)), *englishNatureName(id));
  for (std::string_view key : englishKeyNames) {
    EXPECT_TRUE(
        std::isupper(static_cast<unsigned char>(key[0])) &&
        std::all_of(key.begin() + 1, key.end(), [](char c) { return std::islower(static_cast<unsigned char>(c)); }))
        << key;
  }
}

}  // namespace
}  // namespace hanabira
