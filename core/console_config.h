// "config.txt": the console parameters kept between runs, six lines of text:
//   VCount, Timer0 and GxStat in lower-case hexadecimal ("5f"), Frame in decimal,
//   the MAC address as "00-11-22-33-44-55", the version word as "02215F30";
// then, only where chosen, lines "name=value" (a file without them loads as before):
//   "edition=White2,ENG,DSLite", "vcountRange=81-83", "timer0Range=10e4-110d", and the
//   window's languages "uiLanguage=en" (an ISO 639 code) and "resultLanguage=en" (ja or en),
//   and the boot timer's calibration in milliseconds "timerCalibrationMs=-1588".
// A line after the sixth that is none of these is passed over, as lines a later version
// may add; one of these names with a value it cannot read is a problem of the file.
//
// The text is read as editors write it: a UTF-8 byte-order mark is skipped, CR LF, LF
// and (in a file without LF) CR end a line. Bytes that no text holds (NUL and the other
// control characters but tab, CR and LF) make the file not a configuration at all.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/search_settings.h"

namespace hanabira {

// Characters of the console fields that count, in the main window and in the file.
inline constexpr int vcountChars = 3;
inline constexpr int timer0Chars = 5;
inline constexpr int gxStatChars = 8;
inline constexpr int frameChars = 8;
inline constexpr int macByteChars = 2;

// Six short lines: the loaders read no more than this of a file, so that a huge file or
// a device (/dev/zero) cannot hold them up; what lies beyond is not a configuration.
inline constexpr std::size_t consoleConfigReadLimit = 64 * 1024;

// Why a line of the file cannot be read.
struct ConsoleConfigProblem {
  enum class Kind {
    NotText,         // a byte no text holds: binary data, or UTF-16 without its byte-order mark
    Utf16,           // UTF-16 (or UTF-32) text, which starts with its byte-order mark
    BadEdition,      // "edition=" without GAME,LANGUAGE,CONSOLE
    BadRange,        // "vcountRange=" or "timer0Range=" without two hexadecimal numbers, the first not above the second
    BadLanguage,     // "uiLanguage=" without a language code, "resultLanguage=" without ja or en
    BadCalibration,  // "timerCalibrationMs=" without a whole number of milliseconds within a minute either way
  };

  std::size_t line = 0;  // from 1
  Kind kind = Kind::NotText;
  std::string text;  // NotText: the byte ("0x00"); the others but Utf16: the line, cut short

  friend bool operator==(const ConsoleConfigProblem&, const ConsoleConfigProblem&) = default;
};

// The window's languages, each once its user has chosen it: that of its texts (an ISO
// 639 code, "en") and that of the names in its result files.
struct LanguageChoices {
  std::optional<std::string> window;
  std::optional<ResultLanguage> result;

  friend bool operator==(const LanguageChoices&, const LanguageChoices&) = default;
};

// One line, English: "line 3: not text (byte 0x00)".
std::string describe(const ConsoleConfigProblem& problem);

// The file as the main window takes it in: texts for the fields, unconverted, and the
// version word. A line the file does not have stays empty (nullopt).
struct ConsoleConfigText {
  std::optional<std::string> vcount;
  std::optional<std::string> timer0;
  std::optional<std::string> gxStat;
  std::optional<std::string> frame;
  // Cut from the address line at fixed places; the separators may be any character.
  std::array<std::optional<std::string>, 6> macBytes;
  std::optional<std::uint32_t> versionWord;
  std::optional<Edition> edition;
  std::optional<ParameterRange> vcountRange;
  std::optional<ParameterRange> timer0Range;
  LanguageChoices languages;
  std::optional<int> timerCalibrationMs;
  // The lines that gave the ranges (0: none), for the messages about them.
  std::size_t vcountRangeLine = 0;
  std::size_t timer0RangeLine = 0;
  // The first line that cannot be read. A file that is not text gives nothing else; a
  // choice line it cannot read is left out, and the other lines are read.
  std::optional<ConsoleConfigProblem> problem;
};

ConsoleConfigText parseConsoleConfig(std::string_view fileText);

struct ConsoleParameters {
  std::uint32_t vcount = 0;
  std::uint32_t timer0 = 0;
  std::uint32_t gxStat = 0;
  int frame = 0;
  MacAddress mac = {};
  std::uint32_t versionWord = blackVersionWord;
  std::optional<Edition> edition;
  std::optional<ParameterRange> vcountRange;
  std::optional<ParameterRange> timer0Range;

  friend bool operator==(const ConsoleParameters&, const ConsoleParameters&) = default;
};

// The console's values into the settings, as a search starts with them: VCount, Timer0,
// GxStat, Frame, the version word, the edition and ranges, and the message words of the
// address (which take GxStat and Frame in too).
void applyConsoleParameters(const ConsoleParameters& console, SearchSettings& settings);

// The file's texts read the way a search reads the main window's fields (VCount: three
// hexadecimal characters, and so on); lines the file lacks keep the given values.
ConsoleParameters readConsoleParameters(const ConsoleConfigText& text, ConsoleParameters base = {});

// The six lines, and the lines of the choices made (the timer's calibration only once the user has set one). A value
// that a field can only hold typed with a minus sign ("-1" as VCount is 0xFFFFFFFF, which "ffffffff" in three
// characters is not) is written so, so that every saved file loads back as the values saved.
std::string formatConsoleConfig(const ConsoleParameters& parameters, const LanguageChoices& languages = {},
                                std::optional<int> timerCalibrationMs = std::nullopt);

}  // namespace hanabira
