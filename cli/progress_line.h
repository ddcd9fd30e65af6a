// The live progress line of a search on a terminal, and the numbers it shows.
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/rate_text.h"
#include "engine/search_progress.h"

namespace hanabira {

// "1 match", "3 matches".
std::string formatCount(std::uint64_t count, std::string_view one, std::string_view many);
// "0:07", "12:34", "3:02:05".
std::string formatDuration(double seconds);

class ProgressLine {
 public:
  // When not live the line stays silent; the search runs the same.
  ProgressLine(std::ostream& err, bool live);

  // Redraws at most ten times a second.
  void update(const SearchProgress& progress);
  // Clears the line so that the summary starts on a clean one.
  void finish();

  double elapsedSeconds() const;

 private:
  using Clock = std::chrono::steady_clock;

  std::ostream& err_;
  bool live_;
  bool drawn_ = false;
  Clock::time_point start_ = Clock::now();
  Clock::time_point lastDraw_{};
};

}  // namespace hanabira
