#include "core/console_config.h"

#include <fmt/format.h>

#include <vector>

#include "core/field_text.h"

namespace hanabira {
namespace {

// Lines without their line ends; CR LF and LF both end a line.
std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
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

// "81-83" and the like: two hexadecimal numbers, the first not above the second.
std::optional<ParameterRange> parseRange(std::string_view text) {
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash + 1 == text.size() || text.size() > 17) return std::nullopt;
  const auto hex = [](std::string_view digits) -> std::optional<std::uint32_t> {
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

void readChoiceLine(std::string_view line, ConsoleConfigText& config) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view name = line.substr(0, equals);
  const std::string_view value = line.substr(equals + 1);
  if (name == "edition") {
    config.edition = parseEdition(value);
  } else if (name == "vcountRange") {
    config.vcountRange = parseRange(value);
  } else if (name == "timer0Range") {
    config.timer0Range = parseRange(value);
  }
}

}  // namespace

ConsoleConfigText parseConsoleConfig(std::string_view fileText) {
  const std::vector<std::string_view> lines = splitLines(fileText);
  auto line = [&](std::size_t i) -> std::optional<std::string> {
    if (i >= lines.size()) return std::nullopt;
    return std::string(lines[i]);
  };

  ConsoleConfigText config{line(0), line(1), line(2), line(3), {}, std::nullopt, {}, {}, {}};
  if (lines.size() > 4) {
    // Bytes stand at characters 1-2, 4-5, ..., 16-17; a short line fills what it holds.
    const std::string_view address = lines[4];
    for (std::size_t k = 0; k < 6 && 3 * k + 2 <= address.size(); ++k) {
      config.macBytes[k] = std::string(address.substr(3 * k, 2));
    }
  }
  if (lines.size() > 5) config.versionWord = parseHexField(lines[5], static_cast<int>(lines[5].size()));
  for (std::size_t i = 6; i < lines.size(); ++i) readChoiceLine(lines[i], config);
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

std::string formatConsoleConfig(const ConsoleParameters& p) {
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
