// CP932 without iconv: the conversion of cp932.h by a table of the characters the
// result file can hold (ASCII and those of vocab/cp932_table.inc), for the platforms
// without a converter of their own (the browser). Any other character is refused as
// the converters refuse what CP932 cannot hold.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace hanabira {

struct Cp932TableRow {
  char32_t codePoint;
  std::uint16_t code;  // one byte (below 0x100) or two, lead byte high
};

// The rows beyond ASCII, by code point.
std::span<const Cp932TableRow> cp932TableRows();

// Throws std::runtime_error on a character outside the table, or text that is not UTF-8.
std::string utf8ToCp932ByTable(std::string_view utf8);
// Throws std::runtime_error on bytes outside the table.
std::string cp932ToUtf8ByTable(std::string_view cp932);

}  // namespace hanabira
