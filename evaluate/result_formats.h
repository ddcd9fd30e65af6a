// The result file in the formats other tools read. A search writes its text lines (the
// txt format: a header, then comma-separated lines ended by CR LF); a converter made from
// the header turns each UTF-8 line into the chosen format's:
//
//   csv    UTF-8 with a byte-order mark, the header row in the result's language, fields
//          quoted where RFC 4180 asks for it, CR LF
//   tsv    UTF-8, the same header row and fields separated by tabs, CR LF
//   jsonl  one JSON object per line (LF), no header: fields named in English whatever the
//          result's language, numbers as numbers, the seed, the PID and the random value
//          as hexadecimal text, the keys as a list of key names, names as strings
//
// Japanese nature names, filled out with ideographic spaces in txt, are trimmed in the
// other formats. What each column becomes is one row of a table of column names, so
// that a new mode's columns need only their rows.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hanabira {

enum class ResultFormat { Txt, Csv, Tsv, Jsonl };

inline constexpr std::array<ResultFormat, 4> resultFormats = {ResultFormat::Txt, ResultFormat::Csv, ResultFormat::Tsv,
                                                              ResultFormat::Jsonl};

// "txt", "csv", "tsv", "jsonl": the option's word and the file name's extension.
std::string_view resultFormatName(ResultFormat format);
std::optional<ResultFormat> resultFormatFromName(std::string_view name);

// Whether the format's file begins with a header line (every one but jsonl).
constexpr bool hasHeaderLine(ResultFormat format) { return format != ResultFormat::Jsonl; }

enum class FieldKind {
  Integer,      // decimal: a JSON number
  Hexadecimal,  // VCount, Timer0: a JSON number of the hexadecimal text's value
  HexText,      // the seed, a PID: kept as its hexadecimal text
  Name,         // a nature, a type...: a string, ideographic spaces trimmed
  Keys,         // the keys held, their names run together: a list of names
  Text,         // a string as it stands
};

// One column as the converter reads it: the JSON field it fills and how.
struct FieldColumn {
  std::string jsonName;
  FieldKind kind = FieldKind::Text;
};

// The column a header word names; a word no table row knows is text under its own name.
FieldColumn fieldColumnOf(std::string_view headerWord);

class ResultConverter {
 public:
  // `header`: the txt header line in UTF-8, with or without its CR LF.
  ResultConverter(ResultFormat format, std::string_view header);

  ResultFormat format() const { return format_; }
  // What the file begins with: txt's header line, csv's byte-order mark and header row,
  // tsv's header row, nothing for jsonl.
  const std::string& start() const { return start_; }
  // One UTF-8 txt line (its CR LF optional) as the format's line, with its line end.
  void appendLine(std::string& out, std::string_view line) const;

 private:
  void appendJson(std::string& out, const std::vector<std::string_view>& fields) const;

  ResultFormat format_;
  std::vector<FieldColumn> columns_;
  std::string start_;
};

// The fields of a txt line, split at its commas (its CR LF dropped).
std::vector<std::string_view> txtFields(std::string_view line);

}  // namespace hanabira
