#include "engine/chunk_worker.h"

#include <algorithm>

#include "engine/space_batch.h"

namespace hanabira {

ChunkWorker::ChunkWorker(const PreparedSearch& search)
    : search_(search), evaluator_(search.mode.makeEvaluator(search.settings, search.text, search.kernels)) {}

void ChunkWorker::prepareBlock(const BootMomentSpace::Coordinates& at) {
  if (preparedBlock_ && preparedBlock_->sameBlock(at)) return;
  const BootMomentSpace& space = search_.space;
  const Date date = space.dateAt(at.day);
  blockCursor_.year = date.year;
  blockCursor_.month = date.month;
  blockCursor_.day = date.day;
  blockCursor_.weekday = weekday(date);
  blockCursor_.vcount = space.vcountAt(at.vcount);
  blockCursor_.timer0 = space.timer0At(at.timer0);
  block_ = prepareSeedDay(search_.messageOfBlock(blockCursor_));
  preparedBlock_ = at;
}

void ChunkWorker::run(std::uint64_t begin, std::uint64_t end, const std::atomic<bool>* cancel, ChunkResult& result) {
  result.lines.clear();
  result.lineCount = 0;
  result.momentsDone = 0;
  result.complete = true;

  const BootMomentSpace& space = search_.space;
  const int times = space.timesPerDay();
  const int masks = space.masksPerTime();
  BootMomentSpace::Coordinates at = space.coordinatesOf(begin);
  std::uint64_t index = begin;

  while (index < end) {
    if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
      result.complete = false;
      return;
    }
    // One batch never leaves its block, so the prepared rounds serve all of it.
    prepareBlock(at);
    const BootMomentSpace::Coordinates batchStart = at;
    std::size_t count = 0;
    while (count < batchSize && index < end && at.sameBlock(batchStart)) {
      // The masks left of this time, as many as the batch and the chunk take.
      const std::size_t n = std::min(
          {static_cast<std::size_t>(masks - at.mask), batchSize - count, static_cast<std::size_t>(end - index)});
      std::fill_n(timeWords_.begin() + static_cast<std::ptrdiff_t>(count), n, search_.timeWordAt(at.time));
      std::copy_n(search_.keyWords.begin() + at.mask, n, keyWords_.begin() + static_cast<std::ptrdiff_t>(count));
      at.mask += static_cast<int>(n);
      index += n;
      count += n;
      if (at.mask == masks) {
        at.mask = 0;
        if (++at.time == times) at = space.nextBlock(at);
      }
    }
    search_.kernels.computeSeeds(block_, timeWords_.data(), keyWords_.data(), count, seeds_.data());
    result.lineCount += evaluator_->evaluate(SpaceBatch(space, blockCursor_, batchStart, count),
                                             std::span(seeds_.data(), count), result.lines);
    result.momentsDone += count;
  }
}

}  // namespace hanabira

namespace hanabira {
namespace {

class CpuBackend final : public SearchBackend {
 public:
  std::string_view name() const override { return "cpu"; }
  std::unique_ptr<ChunkEvaluator> makeChunkEvaluator(const PreparedSearch& search) const override {
    return std::make_unique<ChunkWorker>(search);
  }
};

}  // namespace

const SearchBackend& cpuBackend() {
  static const CpuBackend backend;
  return backend;
}

}  // namespace hanabira
