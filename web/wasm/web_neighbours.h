// The boot moments around a hit, as hanabira-cli adjacent prints them for the same
// settings text and options: the neighbour table's text, and the line it ends with.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/boot_neighbours.h"
#include "web/wasm/web_search.h"

namespace hanabira {

struct WebNeighbourRequest {
  SearchSettings settings;  // those of the search that found the hit, read as the CLI reads them
  std::string encoding;     // "cp932", "utf-8", or empty for the result language's
  std::string isa = "auto";
  std::string moment;  // as --moment: 2011-09-27T13:47:35
  std::string keys = "none";
  std::optional<std::string> hitVcount, hitTimer0;  // hexadecimal, as --hit-vcount, --hit-timer0
  NeighbourhoodRequest widths;                      // seconds, timer0s, vcounts, positions, keysOneAway
};

struct WebNeighbourTable {
  std::string text;     // the table's bytes in the result file's encoding
  std::string summary;  // "N boot moments around the hit"
  TextEncoding encoding = TextEncoding::Cp932;
};

// Throws WebRefusal as hanabira-cli adjacent refuses the same case.
WebNeighbourTable neighbourTable(const WebNeighbourRequest& request);

// The hit a line of the result file names, as adjacent's options take it.
struct WebRowHit {
  std::string moment;
  std::string keys;
  std::optional<std::string> hitVcount, hitTimer0;  // where the search covered a range
};
// `cells`: the line's cells after the profile column, of a search of `settings`. None
// for a line that is not such a search's.
std::optional<WebRowHit> hitOfCells(const SearchSettings& settings, const std::vector<std::string>& cells);

}  // namespace hanabira
