// The line hanabira-cli ends a search with on its error stream, for a search of the
// browser's module: what was found, how fast, on how many workers, and where it went.
#pragma once

#include <cstdint>
#include <string>

namespace hanabira {

struct WebSummary {
  std::uint64_t candidates = 0;
  std::uint64_t momentsDone = 0;
  std::uint64_t momentsTotal = 0;
  double seconds = 0;
  unsigned workers = 1;
  std::string isa;     // the kernel level's name
  std::string plan;    // "direct", "two-stage"
  std::string output;  // the result file's name; "-" for standard output
  bool aborted = false;
};

std::string summaryLine(const WebSummary& summary);

}  // namespace hanabira
