// The CPU backend's worker: seeds computed in batches from the prepared block (one date,
// VCount and Timer0), the batches handed to the mode's evaluation. In stage two of the
// two-stage plan only the moments whose MT seed is among the members go on to it.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "engine/member_filter.h"
#include "engine/mt_seed_set.h"
#include "engine/prepared_search.h"
#include "engine/search_backend.h"
#include "evaluate/mode_evaluator.h"

namespace hanabira {

class ChunkWorker final : public ChunkEvaluator {
 public:
  explicit ChunkWorker(const PreparedSearch& search, const MtSeedSet* members = nullptr);

  void run(std::uint64_t begin, std::uint64_t end, const std::atomic<bool>* cancel, ChunkResult& result) override;

 private:
  static constexpr std::size_t batchSize = maxEvaluationBatch;
  // With this many key masks a second or more, the seeds of a time's masks come from the
  // time's share of the hash and the keys' shares (KeySchedules).
  static constexpr int minMasksByTime = 64;

  void prepareBlock(const BootMomentSpace::Coordinates& at);
  void prepareTime(int timeIndex);
  void advance(BootMomentSpace::Coordinates& at, std::size_t count) const;
  // The seeds of the next batch, at most `left` moments of the prepared block from `at`
  // on, which it moves past them; returns the batch's size.
  std::size_t computeBatch(BootMomentSpace::Coordinates& at, std::uint64_t left);

  const PreparedSearch& search_;
  std::unique_ptr<ModeEvaluator> evaluator_;
  std::optional<MemberFilter> members_;
  std::optional<BootMomentSpace::Coordinates> preparedBlock_;
  BootMoment blockMoment_;  // date, weekday, VCount and Timer0 of the prepared block
  SeedDay block_;
  std::uint64_t blockNumber_ = 0;  // counts the blocks prepared, so that a time knows its block
  std::uint64_t timeBlock_ = 0;    // the block and time of the prepared time
  int preparedTime_ = -1;
  SeedTime time_;
  std::array<std::uint32_t, batchSize> timeWords_;
  std::array<std::uint32_t, batchSize> keyWords_;
  std::array<InitialSeed, batchSize> seeds_;
};

}  // namespace hanabira
