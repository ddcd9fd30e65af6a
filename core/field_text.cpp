#include "core/field_text.h"

#include <cstdint>
#include <limits>

namespace hanabira {
namespace {

bool isCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

struct SignedText {
  bool negative;
  std::string_view digits;  // from the first digit (or whatever stands there) on
};

SignedText skipSpaceAndSign(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  return {negative, text.substr(i)};
}

}  // namespace

std::string_view leadingChars(std::string_view text, int maxChars) {
  std::size_t i = 0;
  for (int chars = 0; chars < maxChars && i < text.size(); ++chars) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;  // continuation bytes
  }
  return text.substr(0, i);
}

std::uint32_t parseHexField(std::string_view text, int maxChars) {
  auto [negative, digits] = skipSpaceAndSign(leadingChars(text, maxChars));
  // The prefix counts only when a hexadecimal digit follows it; "0x" alone reads as 0.
  if (digits.size() >= 3 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X') &&
      hexDigitValue(digits[2]) >= 0) {
    digits.remove_prefix(2);
  }
  std::uint64_t value = 0;
  for (char c : digits) {
    const int digit = hexDigitValue(c);
    if (digit < 0) break;
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > std::numeric_limits<std::uint32_t>::max())
      return std::numeric_limits<std::uint32_t>::max();  // saturates
  }
  const auto result = static_cast<std::uint32_t>(value);
  return negative ? 0u - result : result;
}

int parseDecimalField(std::string_view text, int maxChars) {
  const auto [negative, digits] = skipSpaceAndSign(leadingChars(text, maxChars));
  constexpr std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + 1;
  std::int64_t magnitude = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) magnitude = limit;  // beyond any int: clamped below
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

std::optional<std::uint32_t> parseHexText(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  if (text.empty() || text.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return value;
}

}  // namespace hanabira
