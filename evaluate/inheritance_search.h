// The search with inheritance: an egg whose six individual values are drawn from the
// individual-value random sequence, after which the personality-value random sequence
// decides its nature and everstone rolls, its ability roll, which three stats it
// inherits from which parent, and its PID (gender, ability slot, optionally shininess).
#pragma once

#include <cstdint>
#include <vector>

#include "core/pid_window.h"
#include "evaluate/iv_draws.h"
#include "evaluate/mode_evaluator.h"
#include "evaluate/seed_hits.h"

namespace hanabira {

class InheritanceSearchEvaluator final : public ModeEvaluator {
 public:
  InheritanceSearchEvaluator(const SearchSettings& settings, const ResultFormatter& formatter,
                             const KernelSet& kernels);

  std::size_t evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, std::string& out) override;

 private:
  struct Egg {
    int position;
    InheritancePicks picks;
    std::uint32_t pid;
  };

  // Seed `seed` of the batch, at the positions that pass the prefilter's range tests.
  std::size_t evaluateSeed(std::size_t seed, std::span<const int> positions, const MomentBatch& moments,
                           InitialSeed initialSeed, std::string& out);
  bool passesPrefilter(const IvSet& drawn) const;
  // Everything of an egg but its individual values is fixed by the egg position alone:
  // the eggs that pass those tests are found once per seed, and only for a seed whose
  // drawn values pass the prefilter somewhere.
  void findEggs(InitialSeed seed);
  bool findEgg(int position, Egg& egg);

  const SearchSettings& settings_;
  const ResultFormatter& formatter_;
  bool empty_;
  std::uint32_t trainerValue_;
  int abilityRollOffset_;
  int firstPairOffset_;
  IvDraws draws_;
  RangeFilter prefilter_;  // the stats that no parent's value can bring within the bounds
  std::vector<RangeHit> hits_;
  SeedHits seedHits_;
  PidWindow pids_;
  std::vector<Egg> eggs_;
};

std::size_t inheritanceSearchReference(const SearchSettings& settings, const ResultFormatter& formatter,
                                       const SearchCursor& moment, InitialSeed seed, std::string& out);

}  // namespace hanabira
