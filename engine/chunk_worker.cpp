#include "engine/chunk_worker.h"

#include <algorithm>

#include "engine/space_batch.h"

namespace hanabira {

ChunkWorker::ChunkWorker(const PreparedSearch& search, const MtSeedSet* members)
    : search_(search), evaluator_(search.mode.makeEvaluator(search.settings, search.text, search.kernels)) {
  if (members != nullptr) members_.emplace(*members, *evaluator_);
}

void ChunkWorker::prepareBlock(const BootMomentSpace::Coordinates& at) {
  if (preparedBlock_ && preparedBlock_->sameBlock(at)) return;
  blockMoment_ = search_.space.blockMomentAt(at);
  block_ = prepareSeedDay(search_.messageOfBlock(blockMoment_));
  preparedBlock_ = at;
  ++blockNumber_;
}

void ChunkWorker::prepareTime(int timeIndex) {
  if (timeBlock_ == blockNumber_ && timeIndex == preparedTime_) return;
  time_ = prepareSeedTime(block_, search_.timeWordAt(timeIndex));
  timeBlock_ = blockNumber_;
  preparedTime_ = timeIndex;
}

// Moves `at` on by `count` moments within its block, or to the next block's first.
void ChunkWorker::advance(BootMomentSpace::Coordinates& at, std::size_t count) const {
  at.mask += static_cast<int>(count);
  if (at.mask < search_.space.masksPerTime()) return;
  at.mask = 0;
  if (++at.time == search_.space.timesPerDay()) at = search_.space.nextBlock(at);
}

std::size_t ChunkWorker::computeBatch(BootMomentSpace::Coordinates& at, std::uint64_t left) {
  const auto masks = static_cast<std::uint64_t>(search_.space.masksPerTime());
  const bool byTime = masks >= minMasksByTime;
  const BootMomentSpace::Coordinates first = at;
  // The masks of one time after the other, as many as the batch and the range take.
  std::size_t count = 0;
  while (count < batchSize && count < left && at.sameBlock(first)) {
    const auto run =
        static_cast<std::size_t>(std::min<std::uint64_t>({batchSize - count, masks - at.mask, left - count}));
    if (byTime) {
      // Rounds 9 to 11 and the schedule are the time's, each word a key's share away.
      prepareTime(at.time);
      const KeySchedules& keys = search_.keySchedules;
      search_.kernels.computeMaskSeeds(time_, keys.words.data(), keys.stride, static_cast<std::size_t>(at.mask), run,
                                       seeds_.data() + count);
    } else {
      std::fill_n(timeWords_.begin() + count, run, search_.timeWordAt(at.time));
      std::copy_n(search_.keyWords.begin() + at.mask, run, keyWords_.begin() + count);
    }
    advance(at, run);
    count += run;
  }
  if (!byTime) search_.kernels.computeSeeds(block_, timeWords_.data(), keyWords_.data(), count, seeds_.data());
  return count;
}

void ChunkWorker::run(std::uint64_t begin, std::uint64_t end, const std::atomic<bool>* cancel, ChunkResult& result) {
  result.lines.clear();
  result.momentsDone = 0;
  result.complete = true;

  BootMomentSpace::Coordinates at = search_.space.coordinatesOf(begin);
  std::uint64_t index = begin;
  while (index < end) {
    if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
      result.complete = false;
      break;
    }
    // One batch never leaves its block, so the prepared rounds serve all of it.
    prepareBlock(at);
    const BootMomentSpace::Coordinates batchStart = at;
    const std::size_t count = computeBatch(at, end - index);
    const SpaceBatch batch(search_.space, blockMoment_, batchStart, count);
    const std::span<const InitialSeed> seeds(seeds_.data(), count);
    if (members_) {
      members_->add(batch, seeds, result.lines);
    } else {
      evaluator_->evaluate(batch, seeds, result.lines);
    }
    index += count;
  }
  if (members_) members_->flush(result.lines);
  result.momentsDone = index - begin;
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
