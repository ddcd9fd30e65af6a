#include "core/field_text.h"

#include <gtest/gtest.h>

#include <string>

namespace hanabira {
namespace {

TEST(FieldText, OnlyTheLeadingCharactersCount) {
  EXPECT_EQ(parseDecimalField("1234", 2), 12);  // a year field
  EXPECT_EQ(parseHexField("0x5F", 3), 0x5u);    // the prefix uses two of VCount's three characters
  EXPECT_EQ(parseHexField("5F", 3), 0x5Fu);
  EXPECT_EQ(parseHexField("1FFF", 3), 0x1FFu);
  EXPECT_EQ(parseDecimalField("123456", 5), 12345);
  // Characters, not bytes: a full-width digit is one character and ends the number.
  EXPECT_EQ(parseDecimalField("1２3", 2), 1);
  EXPECT_EQ(leadingChars("あいう", 2), "あい");
}

TEST(FieldText, DecimalFollowsAtoi) {
  EXPECT_EQ(parseDecimalField("12ab", 8), 12);
  EXPECT_EQ(parseDecimalField("xyz", 8), 0);
  EXPECT_EQ(parseDecimalField("", 8), 0);
  EXPECT_EQ(parseDecimalField("-1", 2), -1);
  EXPECT_EQ(parseDecimalField(" 7", 2), 7);
  EXPECT_EQ(parseDecimalField("+5", 2), 5);
  EXPECT_EQ(parseDecimalField("- 5", 3), 0);
  EXPECT_EQ(parseDecimalField("99999999999", 255), 2147483647);
  EXPECT_EQ(parseDecimalField("-99999999999", 255), -2147483647 - 1);
}

TEST(FieldText, HexadecimalFollowsStrtoul) {
  EXPECT_EQ(parseHexField("c79", 5), 0xC79u);
  EXPECT_EQ(parseHexField("0XaB", 8), 0xABu);
  EXPECT_EQ(parseHexField("0x", 8), 0u);
  EXPECT_EQ(parseHexField("  6000000", 8), 0x600000u);
  EXPECT_EQ(parseHexField("-1", 8), 0xFFFFFFFFu);  // a minus sign negates modulo 2^32
  EXPECT_EQ(parseHexField("g1", 8), 0u);
  EXPECT_EQ(parseHexField("FFFFFFFFF", 255), 0xFFFFFFFFu);   // saturates
  EXPECT_EQ(parseHexField("-FFFFFFFFF", 255), 0xFFFFFFFFu);  // and then ignores the sign, as a 32-bit strtoul does
}

TEST(FieldText, TextNoFieldExpects) {
  // Full-width digits and spaces are no digits or white space: nothing is read.
  EXPECT_EQ(parseDecimalField("１２", 2), 0);
  EXPECT_EQ(parseHexField("ＦＦ", 8), 0u);
  EXPECT_EQ(parseDecimalField("\u3000"
                              "12",
                              3),
            0);
  // However long the text, only its first characters are looked at.
  const std::string nines(1'000'000, '9');
  EXPECT_EQ(parseDecimalField(nines, 2), 99);
  EXPECT_EQ(parseDecimalField(nines, 255), 2147483647);
  EXPECT_EQ(parseHexField(nines, 8), 0x99999999u);
  EXPECT_EQ(leadingChars(nines, -1), "");
}

}  // namespace
}  // namespace hanabira
