// The search engine's fuzz target draws its mode from the mode table: one mode by its
// row, and now and then the flags of the modes it overrides (those of earlier rows).
#pragma once

#include "evaluate/search_modes.h"
#include "fuzz_support.h"

namespace hanabira::fuzz {

inline void chooseMode(ByteReader& in, SearchSettings& s) {
  const auto modes = searchModes();
  const int asked = static_cast<int>(modes.size()) - 1;  // the rows with a flag
  // By precedence: 0 the last row, `asked` the plain search of the first row.
  const int chosen = in.intBetween(0, asked);
  for (int k = 0; k < asked; ++k) {
    s.*modes[modes.size() - 1 - static_cast<std::size_t>(k)].flag = k == chosen || (k > chosen && in.oneIn(4));
  }
}

}  // namespace hanabira::fuzz
