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

}  // namespace

ConsoleConfigText parseConsoleConfig(std::string_view fileText) {
  const std::vector<std::string_view> lines = splitLines(fileText);
  auto line = [&](std::size_t i) -> std::optional<std::string> {
    if (i >= lines.size()) return std::nullopt;
    return std::string(lines[i]);
  };

  ConsoleConfigText config{line(0), line(1), line(2), line(3), {}, std::nullopt};
  if (lines.size() > 4) {
    // Bytes stand at characters 1-2, 4-5, ..., 16-17; a short line fills what it holds.
    const std::string_view address = lines[4];
    for (std::size_t k = 0; k < 6 && 3 * k + 2 <= address.size(); ++k) {
      config.macBytes[k] = std::string(address.substr(3 * k, 2));
    }
  }
  if (lines.size() > 5) config.versionWord = parseHexField(lines[5], static_cast<int>(lines[5].size()));
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
  return base;
}

std::string formatConsoleConfig(const ConsoleParameters& p) {
  const MacAddress& m = p.mac;
  return fmt::format("{}\n{}\n{}\n{}\n{:02X}-{:02X}-{:02X}-{:02X}-{:02X}-{:02X}\n{:08X}\n",
                     hexText(p.vcount, vcountChars), hexText(p.timer0, timer0Chars), hexText(p.gxStat, gxStatChars),
                     p.frame, m[0], m[1], m[2], m[3], m[4], m[5], p.versionWord);
}

void applyConsoleParameters(const ConsoleParameters& console, SearchSettings& settings) {
  settings.vcount = console.vcount;
  settings.timer0 = console.timer0;
  settings.gxStat = console.gxStat;
  settings.frame = console.frame;
  settings.versionWord = console.versionWord;
  applyMacAddress(settings, console.mac);
}

}  // namespace hanabira
