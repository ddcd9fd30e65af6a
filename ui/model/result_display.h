// The window's choices of how a search's lines show, beyond the file as written: the
// players' numbering of IV positions and a column of the game's own advances after boot,
// as the result file has them when asked for (evaluate/result_text.h). The lines are
// rewritten from the file's own: the positions from their columns, the advances from
// each line's initial seed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/edition.h"
#include "core/search_settings.h"

namespace hanabira {

struct ResultDisplay {
  IvNumbering ivNumbering = IvNumbering::Positions;
  bool initialAdvances = false;
  bool memoryLink = false;  // Black 2 and White 2: the advances after Memory Link was used

  // The file's lines as they are.
  bool asWritten() const { return ivNumbering == IvNumbering::Positions && !initialAdvances; }
  friend bool operator==(const ResultDisplay&, const ResultDisplay&) = default;
};

class ResultLineRewriter {
 public:
  // `fileColumns`: the file's header; `game`: the search's, whose numbering and advances.
  ResultLineRewriter(const std::vector<std::string>& fileColumns, Game game, const ResultDisplay& display);

  const std::vector<std::string>& columns() const { return columns_; }
  std::string line(std::string_view fileLine) const;

 private:
  Game game_;
  ResultDisplay display_;
  std::vector<std::string> columns_;
  std::vector<bool> ivPositionColumns_;  // by the file's column
  std::optional<std::size_t> seedColumn_;
  std::size_t advancesAt_ = 0;  // the file's column the advances stand before
};

}  // namespace hanabira
