// The plain individual-value search: at every position of the configured range, six
// values drawn from the individual-value random sequence that pass the bounds and the
// hidden-power filter make a match.
#pragma once

#include <cstdint>
#include <vector>

#include "core/mt_window.h"
#include "evaluate/mode_evaluator.h"

namespace hanabira {

class IvSearchEvaluator final : public ModeEvaluator {
 public:
  IvSearchEvaluator(const SearchSettings& settings, const ResultFormatter& formatter);

  std::size_t evaluate(std::span<const SearchCursor> moments, std::span<const InitialSeed> seeds,
                       std::string& out) override;

 private:
  const SearchSettings& settings_;
  const ResultFormatter& formatter_;
  bool emptyRange_;
  MtOutputWindow window_;
  std::vector<std::uint32_t> outputs_;
};

std::size_t ivSearchReference(const SearchSettings& settings, const ResultFormatter& formatter,
                              const SearchCursor& moment, InitialSeed seed, std::string& out);

}  // namespace hanabira
