#include "core/console_config.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <system_error>
#include <vector>

#include "core/field_text.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

using Problem = ConsoleConfigProblem;

// How much of an offending line a message shows.
constexpr std::size_t shownChars = 40;

// The text without the marks editors add: a UTF-8 byte-order mark before it, and the
// end-of-file mark (Ctrl-Z) of DOS editors after it.
std::string_view withoutMarks(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (text.ends_with('\x1A')) text.remove_suffix(1);
  return text;
}

bool startsAsUtf16(std::string_view text) { return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"); }

// Lines without their line ends. LF ends a line, with the CRs before it (CR LF, and the
// CR CR LF of a CR LF file written out again in text mode); in a file without LF, as the
// old Macs wrote them, CR does.
std::vector<std::string_view> splitLines(std::string_view text) {
  const char lineEnd = text.find('\n') == std::string_view::npos ? '\r' : '\n';
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find(lineEnd);
    std::string_view line = text.substr(0, end);
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// Control characters but tab (and the CRs inside a line), which text does not hold.
std::optional<char> nonTextByte(std::string_view line) {
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t' && c != '\r') || byte == 0x7F) return c;
  }
  return std::nullopt;
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Text cut to at most shownChars bytes, not inside a UTF-8 sequence, marked with "...".
std::string shortened(std::string_view text) {
  if (text.size() <= shownChars) return std::string(text);
  std::size_t end = shownChars;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end)) + "...";
}

// Lower-case hexadecimal, or with a minus sign where only that fits the field.
std::string hexText(std::uint32_t value, int chars) {
  std::string text = fmt::format("{:x}", value);
  if (text.size() > static_cast<std::size_t>(chars)) {
    std::string negated = fmt::format("-{:x}", 0u - value);
    if (negated.size() <= static_cast<std::size_t>(chars)) return negated;
  }
  return text;
}

// "81-83" and the like: two hexadecimal numbers of 32 bits, the first not above the second.
std::optional<ParameterRange> parseRange(std::string_view text) {
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const auto hex = [](std::string_view digits) -> std::optional<std::uint32_t> {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0) return std::nullopt;
      value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
  };
  const auto min = hex(text.substr(0, dash));
  const auto max = hex(text.substr(dash + 1));
  if (!min || !max || *max < *min) return std::nullopt;
  return ParameterRange{*min, *max};
}

// "White2,ENG,DSLite"
std::optional<Edition> parseEdition(std::string_view text) {
  const std::size_t first = text.find(',');
  const std::size_t second = text.find(',', first == std::string_view::npos ? first : first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const auto game = gameFromKey(text.substr(0, first));
  const auto language = languageFromKey(text.substr(first + 1, second - first - 1));
  const auto console = consoleFromKey(text.substr(second + 1));
  if (!game || !language || !console) return std::nullopt;
  return Edition{*game, *language, *console};
}

// An ISO 639 code as the catalogs are named: "ja", "de".
bool isLanguageCode(std::string_view text) {
  return (text.size() == 2 || text.size() == 3) &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// A whole number of milliseconds, "-1588", within a minute either way: the launch
// delays of consoles differ by far less, and the timer's rules expect no more.
std::optional<int> parseCalibration(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value <= -60000 || value >= 60000) {
    return std::nullopt;
  }
  return value;
}

// A line after the sixth: a choice, or a line of a later version, passed over.
void readChoiceLine(std::string_view line, std::size_t number, ConsoleConfigText& config) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view name = trimmed(line.substr(0, equals));
  const std::string_view value = trimmed(line.substr(equals + 1));
  const auto unreadable = [&](Problem::Kind kind) {
    if (!config.problem) config.problem = Problem{number, kind, shortened(line)};
  };
  if (name == "edition") {
    if (const auto edition = parseEdition(value)) {
      config.edition = edition;
    } else {
      unreadable(Problem::Kind::BadEdition);
    }
  } else if (name == "vcountRange" || name == "timer0Range") {
    const bool vcount = name == "vcountRange";
    if (const auto range = parseRange(value)) {
      (vcount ? config.vcountRange : config.timer0Range) = range;
      (vcount ? config.vcountRangeLine : config.timer0RangeLine) = number;
    } else {
      unreadable(Problem::Kind::BadRange);
    }
  } else if (name == "uiLanguage") {
    if (isLanguageCode(value)) {
      config.languages.window = std::string(value);
    } else {
      unreadable(Problem::Kind::BadLanguage);
    }
  } else if (name == "resultLanguage") {
    if (const auto language = resultLanguageFromKey(value)) {
      config.languages.result = language;
    } else {
      unreadable(Problem::Kind::BadLanguage);
    }
  } else if (name == "timerCalibrationMs") {
    if (const auto calibration = parseCalibration(value)) {
      config.timerCalibrationMs = calibration;
    } else {
      unreadable(Problem::Kind::BadCalibration);
    }
  }
}

// The first line holding a byte that no text holds.
std::optional<Problem> nonTextProblem(std::string_view text, const std::vector<std::string_view>& lines) {
  if (startsAsUtf16(text)) return Problem{1, Problem::Kind::Utf16, {}};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const auto byte = nonTextByte(lines[i])) {
      return Problem{i + 1, Problem::Kind::NotText, fmt::format("0x{:02X}", static_cast<unsigned char>(*byte))};
    }
  }
  return std::nullopt;
}

}  // namespace

std::string describe(const ConsoleConfigProblem& problem) {
  switch (problem.kind) {
    case Problem::Kind::NotText:
      return trf("line {}: not text (byte {})", problem.line, problem.text);
    case Problem::Kind::Utf16:
      return trf("line {}: UTF-16 text; save the file as ASCII or UTF-8", problem.line);
    case Problem::Kind::BadEdition:
      return trf("line {}: {}: expected edition=GAME,LANGUAGE,CONSOLE such as edition=White2,ENG,DSLite", problem.line,
                 problem.text);
    case Problem::Kind::BadLanguage:
      return trf("line {}: {}: expected uiLanguage=CODE such as uiLanguage=en, or resultLanguage=ja or en",
                 problem.line, problem.text);
    case Problem::Kind::BadCalibration:
      return trf("line {}: {}: expected timerCalibrationMs=MILLISECONDS such as timerCalibrationMs=-1588", problem.line,
                 problem.text);
    case Problem::Kind::BadRange:
      break;
  }
  return trf("line {}: {}: expected two hexadecimal numbers, the first not above the second, such as vcountRange=81-83",
             problem.line, problem.text);
}

ConsoleConfigText parseConsoleConfig(std::string_view fileText) {
  const std::string_view text = withoutMarks(fileText);
  const std::vector<std::string_view> lines = splitLines(text);
  ConsoleConfigText config;
  if ((config.problem = nonTextProblem(text, lines))) return config;

  auto line = [&](std::size_t i) -> std::optional<std::string> {
    if (i >= lines.size()) return std::nullopt;
    return std::string(lines[i]);
  };
  config.vcount = line(0);
  config.timer0 = line(1);
  config.gxStat = line(2);
  config.frame = line(3);
  if (lines.size() > 4) {
    // Bytes stand at characters 1-2, 4-5, ..., 16-17; a short line fills what it holds.
    const std::string_view address = lines[4];
    for (std::size_t k = 0; k < 6 && 3 * k + 2 <= address.size(); ++k) {
      config.macBytes[k] = std::string(address.substr(3 * k, 2));
    }
  }
  if (lines.size() > 5) config.versionWord = parseHexField(lines[5], static_cast<int>(lines[5].size()));
  for (std::size_t i = 6; i < lines.size(); ++i) readChoiceLine(lines[i], i + 1, config);
  return config;
}

ConsoleParameters readConsoleParameters(const ConsoleConfigText& text, ConsoleParameters base) {
  if (text.vcount) base.vcount = parseHexField(*text.vcount, vcountChars);
  if (text.timer0) base.timer0 = parseHexField(*text.timer0, timer0Chars);
  if (text.gxStat) base.gxStat = parseHexField(*text.gxStat, gxStatChars);
  if (text.frame) base.frame = parseDecimalField(*text.frame, frameChars);
  for (std::size_t k = 0; k < 6; ++k) {
    if (text.macBytes[k]) base.mac[k] = static_cast<std::uint8_t>(parseHexField(*text.macBytes[k], macByteChars));
  }
  if (text.versionWord) base.versionWord = *text.versionWord;
  if (text.edition) base.edition = text.edition;
  if (text.vcountRange) base.vcountRange = text.vcountRange;
  if (text.timer0Range) base.timer0Range = text.timer0Range;
  return base;
}

std::string formatConsoleConfig(const ConsoleParameters& p, const LanguageChoices& languages,
                                std::optional<int> timerCalibrationMs) {
  const MacAddress& m = p.mac;
  std::string text =
      fmt::format("{}\n{}\n{}\n{}\n{:02X}-{:02X}-{:02X}-{:02X}-{:02X}-{:02X}\n{:08X}\n", hexText(p.vcount, vcountChars),
                  hexText(p.timer0, timer0Chars), hexText(p.gxStat, gxStatChars), p.frame, m[0], m[1], m[2], m[3], m[4],
                  m[5], p.versionWord);
  if (p.edition) {
    text += fmt::format("edition={},{},{}\n", gameKey(p.edition->game), languageKey(p.edition->language),
                        consoleKey(p.edition->console));
  }
  if (p.vcountRange) text += fmt::format("vcountRange={:x}-{:x}\n", p.vcountRange->min, p.vcountRange->max);
  if (p.timer0Range) text += fmt::format("timer0Range={:x}-{:x}\n", p.timer0Range->min, p.timer0Range->max);
  if (languages.window) text += fmt::format("uiLanguage={}\n", *languages.window);
  if (languages.result) text += fmt::format("resultLanguage={}\n", resultLanguageKey(*languages.result));
  if (timerCalibrationMs) text += fmt::format("timerCalibrationMs={}\n", *timerCalibrationMs);
  return text;
}

void applyConsoleParameters(const ConsoleParameters& console, SearchSettings& settings) {
  settings.vcount = console.vcount;
  settings.timer0 = console.timer0;
  settings.gxStat = console.gxStat;
  settings.frame = console.frame;
  settings.versionWord = console.versionWord;
  settings.edition = console.edition;
  settings.vcountRange = console.vcountRange;
  settings.timer0Range = console.timer0Range;
  applyMacAddress(settings, console.mac);
}

}  // namespace hanabira
