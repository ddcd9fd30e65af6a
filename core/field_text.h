// How typed numbers are read: only the first maxChars characters of a field count, and
// they go through the C library's conversions, so "12ab" is 12, "xyz" is 0 and nothing
// is ever refused. Characters are counted as Unicode code points of the UTF-8 text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace hanabira {

// strtoul in base 16: leading white space, an optional sign and "0x" prefix, digits up
// to the first other character; a minus sign negates modulo 2^32.
std::uint32_t parseHexField(std::string_view text, int maxChars);

// atoi: leading white space, an optional sign, decimal digits up to the first other
// character. Numbers beyond the 32-bit range are clamped to it, as strtol does.
int parseDecimalField(std::string_view text, int maxChars);

// Hexadecimal text as files and settings write it, read strictly: an optional "0x" and
// 1 to 8 digits, nothing else.
std::optional<std::uint32_t> parseHexText(std::string_view text);

// The first maxChars code points of a UTF-8 text.
std::string_view leadingChars(std::string_view text, int maxChars);

}  // namespace hanabira
