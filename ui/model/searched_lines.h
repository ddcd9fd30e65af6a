// What the results table's lines were searched with: the window's settings, or, for a
// search over every profile, each profile's own, whose name leads its lines. A line of
// such a search is looked at (its neighbours, its boot) with its profile's console.
#pragma once

#include <cstddef>
#include <vector>

#include "core/search_settings.h"
#include "engine/profile_search.h"
#include "ui/model/result_table.h"

namespace hanabira {

struct SearchedLines {
  SearchSettings settings;            // the window's
  std::vector<ProfilePart> profiles;  // empty for a search of the window's settings alone

  // The settings row `row` (in the shown order) was searched with; none for a line of a
  // search over profiles that names none of them.
  const SearchSettings* settingsOfRow(const ResultTable& table, std::size_t row) const;
};

// Where a line's own columns start: after the profile column where the header has one.
std::size_t firstSearchColumn(const ResultTable& table);

}  // namespace hanabira
