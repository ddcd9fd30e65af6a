// The field-text conversions against the C library's own: whatever the text, the first
// maxChars characters read as a 32-bit strtoul reads them in base 16 and as strtol reads
// them in base 10 (clamped to 32 bits), and the cut never splits a UTF-8 sequence.
// Input: one byte for maxChars, then the text.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "core/field_text.h"
#include "fuzz_support.h"

namespace hanabira::fuzz {
namespace {

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool isValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if (!isContinuation(text[i + k])) return false;
    }
    i += length;
  }
  return true;
}

// Characters as a text field counts them: a stray continuation byte at the start is one.
std::size_t characters(std::string_view text) {
  std::size_t count = !text.empty() && isContinuation(text[0]) ? 1 : 0;
  for (char c : text) count += isContinuation(c) ? 0 : 1;
  return count;
}

// strtoul where unsigned long has 32 bits: a magnitude beyond them gives the largest
// value whatever the sign; otherwise a minus sign negates modulo 2^32.
std::uint32_t strtoul32(std::string_view text) {
  const std::string terminated(text);  // a NUL inside ends the number like any other character
  const char* start = terminated.c_str();
  errno = 0;
  const unsigned long long value = std::strtoull(start, nullptr, 16);
  if (errno == ERANGE) return std::numeric_limits<std::uint32_t>::max();
  while (*start == ' ' || (*start >= '\t' && *start <= '\r')) ++start;
  const bool negative = *start == '-';
  const unsigned long long magnitude = negative ? 0 - value : value;
  if (magnitude > std::numeric_limits<std::uint32_t>::max()) return std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
}

// strtol where long has 32 bits: out-of-range values are clamped.
int strtol32(std::string_view text) {
  const std::string terminated(text);
  const long long value = std::strtoll(terminated.c_str(), nullptr, 10);
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

}  // namespace
}  // namespace hanabira::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace hanabira;
  using namespace hanabira::fuzz;
  if (size == 0) return 0;
  const int maxChars = static_cast<int>(data[0]) - 8;  // -8 to 247: past the ends too
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  const std::string_view lead = leadingChars(text, maxChars);
  require(lead.data() == text.data() && lead.size() <= text.size(), "leadingChars is a prefix");
  const std::size_t limit = maxChars < 0 ? 0 : static_cast<std::size_t>(maxChars);
  require(characters(lead) <= limit, "leadingChars keeps at most maxChars characters");
  if (lead.size() < text.size()) {
    require(lead.empty() || !isContinuation(text[lead.size()]), "leadingChars does not split a character");
    if (isValidUtf8(text)) require(characters(lead) == limit, "leadingChars keeps maxChars characters of longer text");
  }

  require(parseHexField(text, maxChars) == strtoul32(lead), "parseHexField reads like a 32-bit strtoul");
  require(parseDecimalField(text, maxChars) == strtol32(lead), "parseDecimalField reads like strtol, clamped");
  return 0;
}
