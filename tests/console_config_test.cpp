#include "core/console_config.h"

#include <gtest/gtest.h>

namespace hanabira {
namespace {

const ConsoleParameters whiteConsole{0x5F, 0x1A2B, 0xABCDEF, 8, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}, whiteVersionWord,
                                     {},   {},     {}};

TEST(ConsoleConfig, SixLinesInTheirFormats) {
  EXPECT_EQ(formatConsoleConfig(whiteConsole), "5f\n1a2b\nabcdef\n8\n00-11-22-33-44-55\n02215F30\n");
  ConsoleParameters negative = whiteConsole;
  negative.frame = -3;
  negative.mac = {0xAB, 0, 0, 0, 0, 0x0F};
  EXPECT_EQ(formatConsoleConfig(negative), "5f\n1a2b\nabcdef\n-3\nAB-00-00-00-00-0F\n02215F30\n");
}

TEST(ConsoleConfig, RoundTrip) {
  const ConsoleConfigText text = parseConsoleConfig(formatConsoleConfig(whiteConsole));
  EXPECT_EQ(text.vcount, "5f");
  EXPECT_EQ(text.macBytes[5], "55");
  const ConsoleParameters read = readConsoleParameters(text);
  EXPECT_EQ(read.vcount, whiteConsole.vcount);
  EXPECT_EQ(read.timer0, whiteConsole.timer0);
  EXPECT_EQ(read.gxStat, whiteConsole.gxStat);
  EXPECT_EQ(read.frame, whiteConsole.frame);
  EXPECT_EQ(read.mac, whiteConsole.mac);
  EXPECT_EQ(read.versionWord, whiteVersionWord);
}

TEST(ConsoleConfig, FieldsAreReadWithTheMainWindowsLimits) {
  // "1fff" is longer than VCount's three characters: it reads, and saves again, as 1ff.
  const ConsoleParameters read = readConsoleParameters(parseConsoleConfig("1fff\r\n0c79\r\n6000000\r\n8\r\n"));
  EXPECT_EQ(read.vcount, 0x1FFu);
  EXPECT_EQ(read.timer0, 0xC79u);
  EXPECT_EQ(formatConsoleConfig(read).substr(0, 13), "1ff\nc79\n60000");
}

TEST(ConsoleConfig, AnyAddressSeparatorAndUnknownVersions) {
  const ConsoleConfigText text = parseConsoleConfig("60\nc79\n6000000\n8\n00:11:22:33:44:55\n02215F20\n");
  EXPECT_EQ(readConsoleParameters(text).mac, (MacAddress{0x00, 0x11, 0x22, 0x33, 0x44, 0x55}));
  EXPECT_EQ(text.versionWord, 0x02215F20u);
}

// "-1" typed as VCount is 0xFFFFFFFF, which "ffffffff" cut to three characters is not:
// such values are saved with their sign, so that the next start searches the same console.
TEST(ConsoleConfig, ValuesTypedWithAMinusSignLoadBackTheSame) {
  const ConsoleParameters typed =
      readConsoleParameters(parseConsoleConfig("-1\n-fff\n-1\n-9999999\n-1-02-03-04-05-06\n"));
  EXPECT_EQ(typed.vcount, 0xFFFFFFFFu);
  EXPECT_EQ(typed.timer0, 0xFFFFF001u);
  const std::string saved = formatConsoleConfig(typed);
  EXPECT_EQ(saved, "-1\n-fff\nffffffff\n-9999999\nFF-02-03-04-05-06\n02215F10\n");
  const ConsoleParameters loaded = readConsoleParameters(parseConsoleConfig(saved));
  EXPECT_EQ(loaded.vcount, typed.vcount);
  EXPECT_EQ(loaded.timer0, typed.timer0);
  EXPECT_EQ(loaded.gxStat, typed.gxStat);
  EXPECT_EQ(loaded.frame, typed.frame);
  EXPECT_EQ(loaded.mac, typed.mac);
  // Values no field can hold (set other than by typing) are written plainly.
  EXPECT_EQ(formatConsoleConfig({0x12345, 0, 0, 0, {}, blackVersionWord, {}, {}, {}}).substr(0, 6), "12345\n");
}

TEST(ConsoleConfig, ShortFilesFillWhatTheyHave) {
  const ConsoleConfigText text = parseConsoleConfig("60\nc79\n");
  EXPECT_EQ(text.timer0, "c79");
  EXPECT_FALSE(text.gxStat);
  EXPECT_FALSE(text.versionWord);

  const ConsoleConfigText shortAddress = parseConsoleConfig("1\n2\n3\n4\n00-11-2\n");
  EXPECT_EQ(shortAddress.macBytes[1], "11");
  EXPECT_FALSE(shortAddress.macBytes[2]);
  ConsoleParameters base;
  base.mac[5] = 0x77;
  EXPECT_EQ(readConsoleParameters(shortAddress, base).mac[5], 0x77);
}

// The choices of the console dialog are lines after the sixth, written only when made.
TEST(ConsoleConfig, ChoicesFollowTheSixLinesAndLoadBack) {
  EXPECT_EQ(formatConsoleConfig(whiteConsole), "5f\n1a2b\nabcdef\n8\n00-11-22-33-44-55\n02215F30\n");
  ConsoleParameters chosen = whiteConsole;
  chosen.edition = Edition{Game::Black2, Language::Korean, ConsoleKind::Dsi};
  chosen.timer0Range = ParameterRange{0x10E4, 0x110D};
  const std::string text = formatConsoleConfig(chosen);
  EXPECT_EQ(text, "5f\n1a2b\nabcdef\n8\n00-11-22-33-44-55\n02215F30\nedition=Black2,KOR,DSi\ntimer0Range=10e4-110d\n");
  EXPECT_EQ(readConsoleParameters(parseConsoleConfig(text)), chosen);
  // Lines it does not know, or cannot read, are passed over.
  const ConsoleConfigText odd = parseConsoleConfig(text + "timer0Range=2-1\nlater=1\nvcountRange=5f-60\n");
  EXPECT_EQ(odd.timer0Range, std::nullopt);
  EXPECT_EQ(odd.vcountRange, (ParameterRange{0x5F, 0x60}));
}

}  // namespace
}  // namespace hanabira
