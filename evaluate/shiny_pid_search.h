// The shiny personality-value search: six individual values that pass the filters, drawn
// from the individual-value random sequence, and a shiny PID for the trainer's IDs from
// a position of the personality-value random sequence, for a hatched, roaming or
// stationary encounter.
#pragma once

#include <cstdint>
#include <vector>

#include "core/pid_window.h"
#include "evaluate/iv_draws.h"
#include "evaluate/mode_evaluator.h"
#include "evaluate/seed_hits.h"

namespace hanabira {

class ShinyPidSearchEvaluator final : public ModeEvaluator {
 public:
  ShinyPidSearchEvaluator(const SearchSettings& settings, const ResultFormatter& formatter, const KernelSet& kernels);

  std::size_t evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, std::string& out) override;

 private:
  struct ShinyPid {
    int position;
    std::uint32_t random;
    std::uint32_t pid;
  };

  // Seed `seed` of the batch, at the positions where its values pass the bounds.
  std::size_t evaluateSeed(std::size_t seed, std::span<const int> positions, const MomentBatch& moments,
                           InitialSeed initialSeed, std::string& out);
  // The shiny PIDs of the seed do not depend on the individual values: found once per
  // seed, and only for a seed whose values pass somewhere.
  void findShinyPids(InitialSeed seed);

  const SearchSettings& settings_;
  const ResultFormatter& formatter_;
  bool empty_;
  std::uint32_t trainerValue_;
  bool testsNature_;
  IvDraws draws_;
  RangeFilter bounds_;
  std::vector<RangeHit> hits_;
  SeedHits seedHits_;
  PidWindow pids_;  // the PID values and, after them, the nature values
  std::vector<ShinyPid> shinyPids_;
};

std::size_t shinyPidSearchReference(const SearchSettings& settings, const ResultFormatter& formatter,
                                    const SearchCursor& moment, InitialSeed seed, std::string& out);

}  // namespace hanabira
