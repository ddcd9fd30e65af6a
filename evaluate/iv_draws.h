// The individual-value stage of the IV-based modes (the plain search, shiny PIDs and
// eggs): the positions of the individual-value random sequence their settings draw at,
// as a prefilter, and the six values drawn at a position from its rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/search_settings.h"
#include "evaluate/iv_rules.h"
#include "evaluate/prefilter.h"
#include "evaluate/sequence_rows.h"

namespace hanabira {

// The row, relative to a drawing position, from which each stat (H, A, B, C, D, S) takes
// its value; a roaming encounter passes one over and fills D, S, C last.
constexpr std::array<int, 6> ivStatRows(bool roaming) {
  return roaming ? std::array<int, 6>{1, 2, 3, 6, 4, 5} : std::array<int, 6>{0, 1, 2, 3, 4, 5};
}

// The drawing positions of the settings over the individual-value rows, with `filter`
// (written against ivStatRows) as its tests.
Prefilter ivDrawPrefilter(const SearchSettings& settings, RangeFilter filter);

// The bounds of the settings on the values drawn, as range tests.
RangeFilter ivBoundsFilter(const SearchSettings& settings);

// The six values drawn at `position` for seed `seed` of the rows' batch.
inline IvSet drawnIvs(const SequenceRows& rows, std::size_t seed, std::int64_t position, bool roaming) {
  const std::array<int, 6> statRows = ivStatRows(roaming);
  IvSet ivs;
  for (int k = 0; k < 6; ++k) ivs[k] = ivOf(rows.at(seed, position + statRows[k]));
  return ivs;
}

}  // namespace hanabira
