#include "vocab/names.h"

#include <gtest/gtest.h>

#include "vocab/cp932.h"

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

}  // namespace
}  // namespace hanabira
