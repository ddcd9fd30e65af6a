// The CPU backend's worker: seeds computed in batches from the prepared block (one date,
// VCount and Timer0), the batches handed to the mode's evaluation.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "engine/prepared_search.h"
#include "engine/search_backend.h"
#include "evaluate/mode_evaluator.h"

namespace hanabira {

class ChunkWorker final : public ChunkEvaluator {
 public:
  explicit ChunkWorker(const PreparedSearch& search);

  void run(std::uint64_t begin, std::uint64_t end, const std::atomic<bool>* cancel, ChunkResult& result) override;

 private:
  static constexpr std::size_t batchSize = maxEvaluationBatch;

  void prepareBlock(const BootMomentSpace::Coordinates& at);

  const PreparedSearch& search_;
  std::unique_ptr<ModeEvaluator> evaluator_;
  std::optional<BootMomentSpace::Coordinates> preparedBlock_;
  SearchCursor blockCursor_;  // date, weekday, VCount and Timer0 of the prepared block
  SeedDay block_;
  std::array<std::uint32_t, batchSize> timeWords_;
  std::array<std::uint32_t, batchSize> keyWords_;
  std::array<InitialSeed, batchSize> seeds_;
};

}  // namespace hanabira
