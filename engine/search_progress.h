// What a running search reports about itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/calendar.h"

namespace hanabira {

struct SearchProgress {
  Date date;                      // the date being searched
  std::uint64_t candidates = 0;   // lines committed so far
  std::uint64_t momentsDone = 0;  // boot moments whose lines are committed
  std::uint64_t momentsTotal = 0;
  // Stage one of the two-stage plan, before the first boot moment: MT seeds through the
  // filters. None when seedsToScan is 0.
  std::uint64_t seedsScanned = 0;
  std::uint64_t seedsToScan = 0;
  double scanShare = 0;              // stage one's estimated share of the search's work
  std::string_view backend = "cpu";  // the name of the backend searching
  // A search made of several in turn (one per console profile): the share of the whole
  // done, which the seeds of the part searched now cannot tell.
  std::optional<double> wholeShare = std::nullopt;

  // The share of the search's work done, from 0 to 1.
  double shareDone() const;
};

// The window title of a running search, "11年9月27日計算中...(候補3個)" (UTF-8).
std::string progressTitle(const SearchProgress& progress);

}  // namespace hanabira
