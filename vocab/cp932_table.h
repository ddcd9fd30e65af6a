// CP932 without iconv: the conversion of cp932.h by tables of every character the C
// library's iconv converts (vocab/cp932_table.inc), for the platforms without a
// converter of their own (the browser). Both directions give iconv's result, and refuse
// what it refuses.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace hanabira {

struct Cp932TableRow {
  char16_t codePoint;  // CP932 holds nothing beyond the Basic Multilingual Plane
  std::uint16_t code;  // one byte (below 0x100) or two, lead byte high
};

// What each character beyond ASCII is written as, by code point. Several characters
// may share a code.
std::span<const Cp932TableRow> cp932EncodingRows();
// What each code beyond ASCII is read as, by code. A code CP932 holds twice reads as
// the character its other copy is written from.
std::span<const Cp932TableRow> cp932DecodingRows();

// Throws std::runtime_error on a character CP932 cannot hold, or text that is not UTF-8.
std::string utf8ToCp932ByTable(std::string_view utf8);
// Throws std::runtime_error on bytes that are not CP932.
std::string cp932ToUtf8ByTable(std::string_view cp932);

}  // namespace hanabira
