#include "evaluate/mode_evaluator.h"

#include <stdexcept>

#include "evaluate/iv_search.h"

namespace hanabira {

std::unique_ptr<ModeEvaluator> makeModeEvaluator(const SearchSettings& settings, const ResultFormatter& formatter) {
  switch (formatter.mode()) {
    case SearchMode::IvSearch:
      return std::make_unique<IvSearchEvaluator>(settings, formatter);
    default:
      throw std::invalid_argument("this search mode is not available yet");
  }
}

std::size_t evaluateReference(const SearchSettings& settings, const ResultFormatter& formatter,
                              const SearchCursor& moment, InitialSeed seed, std::string& out) {
  switch (formatter.mode()) {
    case SearchMode::IvSearch:
      return ivSearchReference(settings, formatter, moment, seed, out);
    default:
      throw std::invalid_argument("this search mode is not available yet");
  }
}

}  // namespace hanabira
