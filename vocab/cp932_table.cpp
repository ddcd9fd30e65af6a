#include "vocab/cp932_table.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace hanabira {
namespace {

#include "vocab/cp932_table.inc"

// The row of `key` in rows sorted by `field`; null when there is none.
template <auto field, std::size_t size>
const Cp932TableRow* findRow(const Cp932TableRow (&rows)[size], char32_t key) {
  const auto found =
      std::lower_bound(std::begin(rows), std::end(rows), key,
                       [](const Cp932TableRow& row, char32_t wanted) { return char32_t{row.*field} < wanted; });
  return found != std::end(rows) && char32_t{found->*field} == key ? found : nullptr;
}

// iconv reads the language tags (U+E0000..U+E007F) and writes nothing for them.
bool isLanguageTag(char32_t codePoint) { return codePoint >= 0xE0000 && codePoint <= 0xE007F; }

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

}  // namespace

std::span<const Cp932TableRow> cp932EncodingRows() { return encodingRows; }

std::span<const Cp932TableRow> cp932DecodingRows() { return decodingRows; }

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
    if (isLanguageTag(*codePoint)) continue;
    const Cp932TableRow* row = findRow<&Cp932TableRow::codePoint>(encodingRows, *codePoint);
    if (row == nullptr) refuse(utf8);
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
    const Cp932TableRow* row = findRow<&Cp932TableRow::code>(decodingRows, byte);
    if (row == nullptr && index + 1 < cp932.size()) {
      row = findRow<&Cp932TableRow::code>(decodingRows, byte << 8 | static_cast<unsigned char>(cp932[index + 1]));
      if (row != nullptr) ++index;
    }
    if (row == nullptr) refuse(cp932);
    appendUtf8(out, row->codePoint);
  }
  return out;
}

}  // namespace hanabira
