// The neighbours of a hit as the result file's lines with columns before them: a mark
// on the aimed boot's lines, one on the lines that agree with an observation where the
// player gave one, and how far each boot lies from the aimed one.
#pragma once

#include <string>

#include "core/search_settings.h"
#include "engine/boot_neighbours.h"
#include "evaluate/result_text.h"

namespace hanabira {

class NeighbourTable {
 public:
  NeighbourTable(ResultLanguage language, TextEncoding encoding, bool observed);

  // The columns, then the mode's header.
  std::string header(const Neighbourhood& neighbourhood) const;
  // Each line of the row with its columns; nothing for a row without lines.
  std::string lines(const NeighbourRow& row, bool agreesWithObservation) const;

 private:
  std::string columns_;  // encoded, with the comma after them
  bool observed_;
};

}  // namespace hanabira
