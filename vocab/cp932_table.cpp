#include "vocab/cp932_table.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace hanabira {
namespace {

constexpr Cp932TableRow rows[] = {
#include "vocab/cp932_table.inc"
};

[[noreturn]] void refuse(std::string_view text) {
  throw std::runtime_error("text cannot be converted: " + std::string(text));
}

// The code point at the front of `utf8`, which it then drops; none for bytes that are
// not UTF-8.
std::optional<char32_t> takeCodePoint(std::string_view& utf8) {
  const auto lead = static_cast<unsigned char>(utf8.front());
  const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || length > utf8.size()) return std::nullopt;
  char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t index = 1; index < length; ++index) {
    const auto next = static_cast<unsigned char>(utf8[index]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  constexpr char32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};  // by length: longer is overlong
  if (codePoint < shortest[length]) return std::nullopt;
  utf8.remove_prefix(length);
  return codePoint;
}

void appendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {  // the table holds nothing beyond the Basic Multilingual Plane
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

// The row of a CP932 code, by a search of every row: decoding is rare (reading a result
// file back) and the table short.
const Cp932TableRow* rowOfCode(std::uint16_t code) {
  const auto found = std::find_if(std::begin(rows), std::end(rows), [&](const auto& row) { return row.code == code; });
  return found == std::end(rows) ? nullptr : found;
}

}  // namespace

std::span<const Cp932TableRow> cp932TableRows() { return rows; }

std::string utf8ToCp932ByTable(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::string_view rest = utf8; !rest.empty();) {
    const std::optional<char32_t> codePoint = takeCodePoint(rest);
    if (!codePoint) refuse(utf8);
    if (*codePoint < 0x80) {
      out += static_cast<char>(*codePoint);
      continue;
    }
    const auto row =
        std::lower_bound(std::begin(rows), std::end(rows), *codePoint,
                         [](const Cp932TableRow& candidate, char32_t wanted) { return candidate.codePoint < wanted; });
    if (row == std::end(rows) || row->codePoint != *codePoint) refuse(utf8);
    if (row->code > 0xFF) out += static_cast<char>(row->code >> 8);
    out += static_cast<char>(row->code & 0xFF);
  }
  return out;
}

std::string cp932ToUtf8ByTable(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 2);
  for (std::size_t index = 0; index < cp932.size(); ++index) {
    const auto byte = static_cast<unsigned char>(cp932[index]);
    if (byte < 0x80) {
      out += static_cast<char>(byte);
      continue;
    }
    const Cp932TableRow* row = rowOfCode(byte);
    if (row == nullptr && index + 1 < cp932.size()) {
      row = rowOfCode(static_cast<std::uint16_t>(byte << 8 | static_cast<unsigned char>(cp932[index + 1])));
      if (row != nullptr) ++index;
    }
    if (row == nullptr) refuse(cp932);
    appendUtf8(out, row->codePoint);
  }
  return out;
}

}  // namespace hanabira
