// The fast path over one range of boot moments: seeds computed in batches from the
// prepared day, the batches handed to the mode's evaluation.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/prepared_search.h"
#include "evaluate/mode_evaluator.h"

namespace hanabira {

struct ChunkResult {
  std::string lines;
  std::uint64_t lineCount = 0;
  std::uint64_t momentsDone = 0;
  // False when cancellation stopped the range early; the lines are then those of the
  // first momentsDone moments.
  bool complete = true;
};

// One per thread: it keeps the evaluator's scratch space and the prepared day.
class ChunkWorker {
 public:
  explicit ChunkWorker(const PreparedSearch& search);

  // Moments [begin, end) of the search's space.
  void run(std::uint64_t begin, std::uint64_t end, const std::atomic<bool>* cancel, ChunkResult& result);

 private:
  static constexpr std::size_t batchSize = maxEvaluationBatch;

  void prepareDay(int dayIndex);

  const PreparedSearch& search_;
  std::unique_ptr<ModeEvaluator> evaluator_;
  int preparedDay_ = -1;
  SearchCursor dayCursor_;  // date and weekday of the prepared day
  SeedDay day_;
  std::array<std::uint32_t, batchSize> timeWords_;
  std::array<std::uint32_t, batchSize> keyWords_;
  std::array<InitialSeed, batchSize> seeds_;
};

}  // namespace hanabira
