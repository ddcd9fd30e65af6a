#include "engine/neighbour_table.h"

#include <fmt/format.h>

#include <string_view>

#include "vocab/cp932.h"

namespace hanabira {
namespace {

constexpr std::string_view mark = "*";

struct ColumnNames {
  std::string_view target, observed, offsets;
};

constexpr ColumnNames japaneseNames = {"目標,", "観測と一致,", "秒のずれ,Timer0のずれ,VCountのずれ,"};
constexpr ColumnNames englishNames = {"Target,", "Observed,", "Seconds off,Timer0 off,VCount off,"};

// "+1", "-2", "0".
std::string offset(int value) { return value == 0 ? "0" : fmt::format("{:+}", value); }

}  // namespace

NeighbourTable::NeighbourTable(ResultLanguage language, TextEncoding encoding, bool observed) : observed_(observed) {
  const ColumnNames& names = language == ResultLanguage::English ? englishNames : japaneseNames;
  std::string columns(names.target);
  if (observed) columns += names.observed;
  columns += names.offsets;
  columns_ = encoding == TextEncoding::Cp932 ? utf8ToCp932(columns) : columns;
}

std::string NeighbourTable::header(const Neighbourhood& neighbourhood) const { return columns_ + neighbourhood.header; }

std::string NeighbourTable::line(const NeighbourRow& row, std::string_view text, bool agreesWithObservation) const {
  std::string line = fmt::format("{},", row.isTarget ? mark : "");
  if (observed_) line += fmt::format("{},", agreesWithObservation ? mark : "");
  line += fmt::format("{},{},{},", offset(row.boot.secondsOff), offset(row.boot.timer0Off), offset(row.boot.vcountOff));
  line += text;
  return line;
}

}  // namespace hanabira
