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
  // Lines of names it does not know are passed over; spaces around a value do not count.
  const ConsoleConfigText later = parseConsoleConfig(text + "later=1\nvcountRange = 5f-60 \n");
  EXPECT_EQ(later.problem, std::nullopt);
  EXPECT_EQ(later.vcountRange, (ParameterRange{0x5F, 0x60}));
  EXPECT_EQ(later.vcountRangeLine, 10u);
  EXPECT_EQ(later.timer0RangeLine, 8u);
}

// A choice it cannot read is the file's problem, on its line; the other lines still read.
TEST(ConsoleConfig, ChoicesThatCannotBeReadNameTheirLine) {
  const std::string six = "5f\n1a2b\nabcdef\n8\n00-11-22-33-44-55\n02215F30\n";
  const ConsoleConfigText reversed = parseConsoleConfig(six + "vcountRange=83-81\ntimer0Range=10e4-110d\n");
  ASSERT_TRUE(reversed.problem);
  EXPECT_EQ(describe(*reversed.problem),
            "line 7: vcountRange=83-81: expected two hexadecimal numbers, the first not above the second, such as "
            "vcountRange=81-83");
  EXPECT_EQ(reversed.vcountRange, std::nullopt);
  EXPECT_EQ(reversed.timer0Range, (ParameterRange{0x10E4, 0x110D}));
  EXPECT_EQ(reversed.vcount, "5f");

  const ConsoleConfigText edition = parseConsoleConfig(six + "edition=White3,ENG,DS\nvcountRange=x-1\n");
  ASSERT_TRUE(edition.problem);  // the first of two
  EXPECT_EQ(describe(*edition.problem),
            "line 7: edition=White3,ENG,DS: expected edition=GAME,LANGUAGE,CONSOLE such as edition=White2,ENG,DSLite");
  for (const char* range : {"vcountRange=", "vcountRange=81", "vcountRange=-81", "vcountRange=100000000-100000001"}) {
    EXPECT_EQ(parseConsoleConfig(six + range + "\n").problem->kind, ConsoleConfigProblem::Kind::BadRange) << range;
  }
}

// The window's languages follow as lines of their own, each only once chosen; a value
// that names no language is the file's problem, the rest read.
TEST(ConsoleConfig, LanguageChoicesAreLinesOnlyOnceChosen) {
  const std::string six = formatConsoleConfig(whiteConsole);
  EXPECT_EQ(formatConsoleConfig(whiteConsole, {}), six);
  EXPECT_EQ(formatConsoleConfig(whiteConsole, {"en", std::nullopt}), six + "uiLanguage=en\n");
  const LanguageChoices both{"de", ResultLanguage::English};
  const std::string text = formatConsoleConfig(whiteConsole, both);
  EXPECT_EQ(text, six + "uiLanguage=de\nresultLanguage=en\n");
  EXPECT_EQ(parseConsoleConfig(text).languages, both);
  EXPECT_EQ(parseConsoleConfig(six + "resultLanguage = ja\n").languages.result, ResultLanguage::Japanese);
  EXPECT_EQ(parseConsoleConfig(six).languages, LanguageChoices{});

  for (const char* line : {"uiLanguage=", "uiLanguage=EN", "uiLanguage=english", "uiLanguage=e1", "resultLanguage=de",
                           "resultLanguage="}) {
    const ConsoleConfigText bad = parseConsoleConfig(six + line + "\nresultLanguage=en\n");
    ASSERT_TRUE(bad.problem) << line;
    EXPECT_EQ(bad.problem->kind, ConsoleConfigProblem::Kind::BadLanguage) << line;
    EXPECT_EQ(bad.languages.result, ResultLanguage::English) << line;  // the next line still read
  }
  EXPECT_EQ(describe(*parseConsoleConfig(six + "uiLanguage=EN\n").problem),
            "line 7: uiLanguage=EN: expected uiLanguage=CODE such as uiLanguage=en, or resultLanguage=ja or en");
}

// The timer's calibration is a line of its own only once set; an old file reads without
// one, and a value that is no whole number of milliseconds within a minute is the
// file's problem.
TEST(ConsoleConfig, TimerCalibrationIsALineOnlyOnceSet) {
  const std::string six = formatConsoleConfig(whiteConsole);
  EXPECT_EQ(formatConsoleConfig(whiteConsole, {}, std::nullopt), six);
  const std::string text = formatConsoleConfig(whiteConsole, {"en", std::nullopt}, -2088);
  EXPECT_EQ(text, six + "uiLanguage=en\ntimerCalibrationMs=-2088\n");
  EXPECT_EQ(parseConsoleConfig(text).timerCalibrationMs, -2088);
  EXPECT_EQ(parseConsoleConfig(six).timerCalibrationMs, std::nullopt);
  EXPECT_EQ(parseConsoleConfig(six + "timerCalibrationMs = 59999\n").timerCalibrationMs, 59999);

  for (const char* line : {"timerCalibrationMs=", "timerCalibrationMs=-1588ms", "timerCalibrationMs=1.5",
                           "timerCalibrationMs=60000", "timerCalibrationMs=-60000", "timerCalibrationMs=99999999999"}) {
    const ConsoleConfigText bad = parseConsoleConfig(six + line + "\nuiLanguage=en\n");
    ASSERT_TRUE(bad.problem) << line;
    EXPECT_EQ(bad.problem->kind, ConsoleConfigProblem::Kind::BadCalibration) << line;
    EXPECT_EQ(bad.timerCalibrationMs, std::nullopt) << line;
    EXPECT_EQ(bad.languages.window, "en") << line;  // the next line still read
  }
}

// What editors write around the lines: a byte-order mark, CR LF, CR alone (without any LF
// in the file), CR CR LF (a CR LF file written out again in text mode), DOS's end mark.
TEST(ConsoleConfig, TextIsReadAsEditorsWriteIt) {
  const ConsoleParameters expected = readConsoleParameters(parseConsoleConfig(formatConsoleConfig(whiteConsole)));
  for (const char* file : {"\xEF\xBB\xBF"
                           "5f\r\n1a2b\r\nabcdef\r\n8\r\n00-11-22-33-44-55\r\n02215F30\r\n",
                           "5f\r1a2b\rabcdef\r8\r00-11-22-33-44-55\r02215F30\r",
                           "5f\r\r\n1a2b\r\r\nabcdef\r\r\n8\r\r\n00-11-22-33-44-55\r\r\n02215F30\r\r\n",
                           "5f\n1a2b\nabcdef\n8\n00-11-22-33-44-55\n02215F30\n\x1A"}) {
    const ConsoleConfigText text = parseConsoleConfig(file);
    EXPECT_EQ(text.problem, std::nullopt) << file;
    EXPECT_EQ(text.vcount, "5f") << file;
    EXPECT_EQ(readConsoleParameters(text), expected) << file;
  }
}

// Binary data or UTF-16 is no configuration: nothing of it is taken, and the line of the
// first byte that text does not hold is named.
TEST(ConsoleConfig, AFileThatIsNotTextGivesNothing) {
  using namespace std::string_literals;
  const std::pair<std::string, std::string> files[] = {
      {"60\nc79\n6\0\n8\n"s, "line 3: not text (byte 0x00)"},
      {"\xFF\xFE"
       "6\0"
       "0\0\n\0"s,
       "line 1: UTF-16 text; save the file as ASCII or UTF-8"},
      {"6\0"
       "0\0\r\0\n\0"s,
       "line 1: not text (byte 0x00)"},
      {"60\nc79\x1B[0m\n"s, "line 2: not text (byte 0x1B)"},
  };
  for (const auto& [file, message] : files) {
    const ConsoleConfigText text = parseConsoleConfig(file);
    ASSERT_TRUE(text.problem) << message;
    EXPECT_EQ(describe(*text.problem), message);
    EXPECT_FALSE(text.vcount) << message;
    EXPECT_FALSE(text.versionWord) << message;
  }
}

}  // namespace
}  // namespace hanabira
