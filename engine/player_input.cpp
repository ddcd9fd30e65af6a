#include "engine/player_input.h"

#include <array>
#include <charconv>
#include <cstddef>

#include "core/calendar.h"
#include "vocab/english_names.h"
#include "vocab/names.h"

namespace hanabira {
namespace {

constexpr std::array<std::string_view, keyMaskBits> keyNamesInEnglish = {
    "A", "B", "Select", "Start", "Right", "Left", "Up", "Down", "R", "L", "X", "Y"};

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::optional<int> keyBit(std::string_view name) {
  if (equalIgnoringCase(name, "Se")) return 2;
  if (equalIgnoringCase(name, "St")) return 3;
  for (int bit = 0; bit < keyMaskBits; ++bit) {
    if (equalIgnoringCase(name, keyNamesInEnglish[static_cast<std::size_t>(bit)])) return bit;
  }
  return std::nullopt;
}

// `digits` decimal digits at `at`, nothing else.
std::optional<int> number(std::string_view text, std::size_t at, std::size_t digits) {
  if (at + digits > text.size()) return std::nullopt;
  int value = 0;
  const char* first = text.data() + at;
  const auto [end, error] = std::from_chars(first, first + digits, value);
  if (error != std::errc() || end != first + digits || *first == '-' || *first == '+') return std::nullopt;
  return value;
}

// "31" or "20-31": one value or a range of them, 0 to 31.
bool parseIvRange(std::string_view text, int& min, int& max) {
  const auto read = [](std::string_view digits, int& value) {
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return !digits.empty() && digits.front() != '-' && error == std::errc() && end == digits.data() + digits.size() &&
           value <= 31;
  };
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) return read(text, min) && read(text, max);
  return read(text.substr(0, dash), min) && read(text.substr(dash + 1), max) && min <= max;
}

}  // namespace

std::string keysText(int keyMask) {
  std::string text;
  for (int bit = 0; bit < keyMaskBits; ++bit) {
    if ((keyMask & (1 << bit)) != 0) continue;  // a 0 bit is a key held
    if (!text.empty()) text += '+';
    text += keyNamesInEnglish[static_cast<std::size_t>(bit)];
  }
  return text.empty() ? "none" : text;
}

std::optional<int> parseKeys(std::string_view text) {
  if (equalIgnoringCase(text, "none")) return noKeysHeld;
  int mask = noKeysHeld;
  while (true) {
    const std::size_t plus = text.find('+');
    const std::optional<int> bit = keyBit(text.substr(0, plus));
    if (!bit || (mask & (1 << *bit)) == 0) return std::nullopt;
    mask &= ~(1 << *bit);
    if (plus == std::string_view::npos) return mask;
    text.remove_prefix(plus + 1);
  }
}

std::optional<BootMoment> parseMoment(std::string_view text) {
  // YYYY-MM-DDTHH:MM:SS
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || (text[10] != 'T' && text[10] != ' ') ||
      text[13] != ':' || text[16] != ':') {
    return std::nullopt;
  }
  const auto year = number(text, 0, 4), month = number(text, 5, 2), day = number(text, 8, 2);
  const auto hour = number(text, 11, 2), minute = number(text, 14, 2), second = number(text, 17, 2);
  if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
  const Date date{*year - 2000, *month, *day};
  if (*year < 2000 || *year > 2099 || !isCalendarDate(date) || *hour > 23 || *minute > 59 || *second > 59) {
    return std::nullopt;
  }
  BootMoment moment;
  moment.year = date.year;
  moment.month = date.month;
  moment.day = date.day;
  moment.hour = *hour;
  moment.minute = *minute;
  moment.second = *second;
  moment.weekday = weekday(date);
  return moment;
}

std::optional<ObservedIvs> parseIvs(std::string_view text) {
  ObservedIvs observed;
  for (std::size_t stat = 0; stat < 6; ++stat) {
    const std::size_t comma = text.find(',');
    const bool last = stat == 5;
    if ((comma == std::string_view::npos) != last ||
        !parseIvRange(text.substr(0, comma), observed.min[stat], observed.max[stat])) {
      return std::nullopt;
    }
    if (!last) text.remove_prefix(comma + 1);
  }
  return observed;
}

std::optional<int> parseNature(std::string_view text) {
  for (int nature = 0; nature < natureCount; ++nature) {
    const std::string_view japanese = *natureName(nature);  // filled out with ideographic spaces
    if (equalIgnoringCase(text, *englishNatureName(nature)) || japanese.substr(0, japanese.find("\u3000")) == text) {
      return nature;
    }
  }
  return std::nullopt;
}

}  // namespace hanabira
