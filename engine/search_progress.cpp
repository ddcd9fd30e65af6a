#include "engine/search_progress.h"

#include <fmt/format.h>

namespace hanabira {

std::string progressTitle(const SearchProgress& progress) {
  return fmt::format("{}年{}月{}日計算中...(候補{}個)", progress.date.year, progress.date.month, progress.date.day,
                     progress.candidates);
}

}  // namespace hanabira
