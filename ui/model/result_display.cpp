#include "ui/model/result_display.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include <fmt/format.h>

#include "evaluate/game_advances.h"
#include "evaluate/iv_numbering.h"
#include "evaluate/result_formats.h"

namespace hanabira {
namespace {

// The columns' names as the result file writes them, in Japanese and in English.
bool isIvPositionColumn(std::string_view name) {
  return name == "消費数" || name == "個体値乱数消費" || name == "IV position";
}
bool isSeedColumn(std::string_view name) { return name == "初期seed" || name == "Initial seed"; }
bool isKeyColumn(std::string_view name) { return name == "キー入力" || name == "Keys"; }

template <typename Number>
std::optional<Number> parsed(std::string_view text, int base) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

ResultLineRewriter::ResultLineRewriter(const std::vector<std::string>& fileColumns, Game game,
                                       const ResultDisplay& display)
    : game_(game), display_(display), ivPositionColumns_(fileColumns.size()) {
  for (std::size_t column = 0; column < fileColumns.size(); ++column) {
    ivPositionColumns_[column] = isIvPositionColumn(fileColumns[column]);
    if (isSeedColumn(fileColumns[column])) seedColumn_ = column;
  }
  const bool japanese = seedColumn_ && fileColumns[*seedColumn_] == "初期seed";
  const bool keys = !fileColumns.empty() && isKeyColumn(fileColumns.back());
  advancesAt_ = keys ? fileColumns.size() - 1 : fileColumns.size();
  columns_ = fileColumns;
  if (display_.initialAdvances && seedColumn_) {
    columns_.insert(columns_.begin() + static_cast<std::ptrdiff_t>(advancesAt_),
                    japanese ? "初期消費" : "Initial advances");
  }
}

std::string ResultLineRewriter::line(std::string_view fileLine) const {
  const std::vector<std::string_view> fields = txtFields(fileLine);
  const bool players = display_.ivNumbering == IvNumbering::Players;
  std::string out;
  out.reserve(fileLine.size() + 8);
  bool first = true;
  auto append = [&](std::string_view field) {
    if (!first) out += ',';
    out += field;
    first = false;
  };
  for (std::size_t column = 0; column <= fields.size(); ++column) {
    if (column == advancesAt_ && display_.initialAdvances && seedColumn_) {
      const auto seed = *seedColumn_ < fields.size() ? parsed<std::uint64_t>(fields[*seedColumn_], 16) : std::nullopt;
      append(seed ? fmt::format("{}", gameAdvances(game_, display_.memoryLink, *seed)) : std::string());
    }
    if (column == fields.size()) break;
    const auto position = column < ivPositionColumns_.size() && ivPositionColumns_[column] && players
                              ? parsed<int>(fields[column], 10)
                              : std::nullopt;
    append(position ? fmt::format("{}", playersIvAdvance(game_, *position)) : std::string(fields[column]));
  }
  return out;
}

}  // namespace hanabira
