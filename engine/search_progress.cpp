#include "engine/search_progress.h"

#include <fmt/format.h>

namespace hanabira {

double SearchProgress::shareDone() const {
  if (wholeShare) return *wholeShare;
  const double moments = momentsTotal == 0 ? 1.0 : static_cast<double>(momentsDone) / static_cast<double>(momentsTotal);
  if (seedsToScan == 0) return moments;
  const double seeds = static_cast<double>(seedsScanned) / static_cast<double>(seedsToScan);
  return scanShare * seeds + (1 - scanShare) * moments;
}

std::string progressTitle(const SearchProgress& progress) {
  return fmt::format("{}年{}月{}日計算中...(候補{}個)", progress.date.year, progress.date.month, progress.date.day,
                     progress.candidates);
}

}  // namespace hanabira
