// The plain individual-value search: at every position of the configured range, six
// values drawn from the individual-value random sequence that pass the bounds and the
// hidden-power filter make a match.
#pragma once

#include <vector>

#include "evaluate/iv_draws.h"
#include "evaluate/mode_evaluator.h"
#include "evaluate/seed_hits.h"

namespace hanabira {

class IvSearchEvaluator final : public ModeEvaluator {
 public:
  IvSearchEvaluator(const SearchSettings& settings, const ResultFormatter& formatter, const KernelSet& kernels);

  std::size_t evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, std::string& out) override;

 private:
  const SearchSettings& settings_;
  const ResultFormatter& formatter_;
  IvDraws draws_;
  RangeFilter bounds_;
  std::vector<RangeHit> hits_;
  SeedHits seedHits_;
};

std::size_t ivSearchReference(const SearchSettings& settings, const ResultFormatter& formatter,
                              const SearchCursor& moment, InitialSeed seed, std::string& out);

}  // namespace hanabira
