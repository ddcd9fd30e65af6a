#include "evaluate/result_formats.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>

#include "vocab/english_names.h"
#include "vocab/names.h"

namespace hanabira {
namespace {

constexpr std::array<std::string_view, 4> names = {"txt", "csv", "tsv", "jsonl"};

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view ideographicSpace = "\u3000";

struct ColumnRow {
  std::string_view japanese;
  std::string_view english;
  std::string_view jsonName;
  FieldKind kind;
};

// Every column a result line has, by the header's word in either language.
constexpr ColumnRow columnRows[] = {
    {"プロファイル", "Profile", "profile", FieldKind::Text},
    {"年", "Year", "year", FieldKind::Integer},
    {"月", "Month", "month", FieldKind::Integer},
    {"日", "Day", "day", FieldKind::Integer},
    {"時", "Hour", "hour", FieldKind::Integer},
    {"分", "Minute", "minute", FieldKind::Integer},
    {"秒", "Second", "second", FieldKind::Integer},
    {"VCount", "VCount", "vcount", FieldKind::Hexadecimal},
    {"Timer0", "Timer0", "timer0", FieldKind::Hexadecimal},
    {"消費数", "IV position", "ivPosition", FieldKind::Integer},
    {"個体値乱数消費", "IV position", "ivPosition", FieldKind::Integer},
    {"H", "HP", "hp", FieldKind::Integer},
    {"A", "Atk", "atk", FieldKind::Integer},
    {"B", "Def", "def", FieldKind::Integer},
    {"C", "SpA", "spa", FieldKind::Integer},
    {"D", "SpD", "spd", FieldKind::Integer},
    {"S", "Spe", "spe", FieldKind::Integer},
    {"めざパ", "Hidden Power", "hiddenPowerType", FieldKind::Name},
    {"威力", "Power", "hiddenPowerPower", FieldKind::Integer},
    {"初期seed", "Initial seed", "initialSeed", FieldKind::HexText},
    {"性格値乱数消費", "PID position", "pidPosition", FieldKind::Integer},
    {"乱数値", "Random value", "randomValue", FieldKind::HexText},
    {"性格値", "PID", "pid", FieldKind::HexText},
    {"性格", "Nature", "nature", FieldKind::Name},
    {"遺伝1", "Inherited 1", "inherited1", FieldKind::Name},
    {"遺伝2", "Inherited 2", "inherited2", FieldKind::Name},
    {"遺伝3", "Inherited 3", "inherited3", FieldKind::Name},
    {"性別", "Gender", "genderValue", FieldKind::Integer},
    {"特性", "Ability", "abilitySlot", FieldKind::Integer},
    {"性格値乱数消費下限", "First PID position", "firstPidPosition", FieldKind::Integer},
    {"上限", "Last PID position", "lastPidPosition", FieldKind::Integer},
    {"初期消費", "Initial advances", "initialAdvances", FieldKind::Integer},
    {"キー入力", "Keys", "keys", FieldKind::Keys},
};

// A Japanese nature's name is filled out with ideographic spaces to line up in txt.
std::string_view trimmed(std::string_view text) {
  while (text.starts_with(ideographicSpace)) text.remove_prefix(ideographicSpace.size());
  while (text.ends_with(ideographicSpace)) text.remove_suffix(ideographicSpace.size());
  return text;
}

void appendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      fmt::format_to(std::back_inserter(out), "\\u{:04x}", static_cast<unsigned>(c));
    } else {
      out += c;
    }
  }
  out += '"';
}

// The held keys' names as the line runs them together ("ASt", "A↑R"), the longest name
// that fits taken first so that "Right" is not read as "R".
std::vector<std::string_view> keyNamesIn(std::string_view field) {
  std::vector<std::string_view> held;
  while (!field.empty()) {
    std::string_view best;
    for (const auto* table : {&keyNames, &englishKeyNames}) {
      for (std::string_view name : *table) {
        if (field.starts_with(name) && name.size() > best.size()) best = name;
      }
    }
    if (best.empty()) best = field;  // not a key's name: kept whole rather than lost
    held.push_back(best);
    field.remove_prefix(best.size());
  }
  return held;
}

// A number's text as JSON, or the text as a string when it is not one.
template <typename Number>
void appendNumber(std::string& out, std::string_view text, int base) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error == std::errc() && end == text.data() + text.size() && !text.empty()) {
    fmt::format_to(std::back_inserter(out), "{}", value);
  } else {
    appendJsonString(out, text);
  }
}

void appendJsonValue(std::string& out, FieldKind kind, std::string_view field) {
  switch (kind) {
    case FieldKind::Integer:
      return appendNumber<std::int64_t>(out, field, 10);
    case FieldKind::Hexadecimal:
      return appendNumber<std::uint64_t>(out, field, 16);
    case FieldKind::Keys: {
      out += '[';
      const std::vector<std::string_view> held = keyNamesIn(field);
      for (std::size_t i = 0; i < held.size(); ++i) {
        if (i > 0) out += ',';
        appendJsonString(out, held[i]);
      }
      out += ']';
      return;
    }
    case FieldKind::Name:
    case FieldKind::HexText:
    case FieldKind::Text:
      return appendJsonString(out, field);
  }
}

void appendCsvField(std::string& out, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += field;
    return;
  }
  out += '"';
  for (const char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

std::string_view withoutLineEnd(std::string_view line) {
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

}  // namespace

std::string_view resultFormatName(ResultFormat format) { return names[static_cast<std::size_t>(format)]; }

std::optional<ResultFormat> resultFormatFromName(std::string_view name) {
  for (ResultFormat format : resultFormats) {
    if (resultFormatName(format) == name) return format;
  }
  return std::nullopt;
}

FieldColumn fieldColumnOf(std::string_view headerWord) {
  for (const ColumnRow& row : columnRows) {
    if (headerWord == row.japanese || headerWord == row.english) {
      return {std::string(row.jsonName), row.kind};
    }
  }
  return {std::string(headerWord), FieldKind::Text};
}

std::vector<std::string_view> txtFields(std::string_view line) {
  line = withoutLineEnd(line);
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

ResultConverter::ResultConverter(ResultFormat format, std::string_view header) : format_(format) {
  if (format_ == ResultFormat::Txt) {
    start_ = withoutLineEnd(header);
    start_ += "\r\n";
    return;
  }
  const std::vector<std::string_view> words = txtFields(header);
  for (std::string_view word : words) columns_.push_back(fieldColumnOf(word));
  if (format_ == ResultFormat::Csv) start_ = byteOrderMark;
  if (hasHeaderLine(format_)) appendLine(start_, header);
}

void ResultConverter::appendLine(std::string& out, std::string_view line) const {
  std::vector<std::string_view> fields = txtFields(line);
  for (std::size_t i = 0; i < fields.size() && i < columns_.size(); ++i) {
    if (columns_[i].kind == FieldKind::Name) fields[i] = trimmed(fields[i]);
  }
  switch (format_) {
    case ResultFormat::Txt:
      out += withoutLineEnd(line);
      break;
    case ResultFormat::Csv:
      for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += ',';
        appendCsvField(out, fields[i]);
      }
      break;
    case ResultFormat::Tsv:
      for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += '\t';
        out += fields[i];
      }
      break;
    case ResultFormat::Jsonl:
      appendJson(out, fields);
      out += '\n';
      return;
  }
  out += "\r\n";
}

void ResultConverter::appendJson(std::string& out, const std::vector<std::string_view>& fields) const {
  out += '{';
  for (std::size_t i = 0; i < fields.size() && i < columns_.size(); ++i) {
    if (i > 0) out += ',';
    appendJsonString(out, columns_[i].jsonName);
    out += ':';
    appendJsonValue(out, columns_[i].kind, fields[i]);
  }
  out += '}';
}

}  // namespace hanabira
