// The neighbours of a hit as the result file's lines with columns before them: a mark
// on the aimed boot's lines, one on the lines that agree with an observation where the
// player gave one, and how far each boot lies from the aimed one.
#pragma once

#include <string>
#include <string_view>

#include "core/search_settings.h"
#include "engine/boot_neighbours.h"
#include "evaluate/result_text.h"

namespace hanabira {

class NeighbourTable {
 public:
  NeighbourTable(ResultLanguage language, TextEncoding encoding, bool observed);

  // The columns, then the mode's header.
  std::string header(const Neighbourhood& neighbourhood) const;
  // One line of `row` (CR LF included) with its columns.
  std::string line(const NeighbourRow& row, std::string_view text, bool agreesWithObservation) const;

 private:
  std::string columns_;  // encoded, with the comma after them
  bool observed_;
};

}  // namespace hanabira
