#include "engine/chunk_worker.h"

#include "engine/space_batch.h"

namespace hanabira {

ChunkWorker::ChunkWorker(const PreparedSearch& search)
    : search_(search), evaluator_(search.mode.makeEvaluator(search.settings, search.text, search.kernels)) {}

void ChunkWorker::prepareDay(int dayIndex) {
  if (dayIndex == preparedDay_) return;
  const Date date = search_.space.dateAt(dayIndex);
  dayCursor_.year = date.year;
  dayCursor_.month = date.month;
  dayCursor_.day = date.day;
  dayCursor_.weekday = weekday(date);
  day_ = prepareSeedDay(search_.messageOfDay(date, dayCursor_.weekday));
  preparedDay_ = dayIndex;
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
    // One batch never leaves its day, so the prepared rounds serve all of it.
    prepareDay(at.day);
    const BootMomentSpace::Coordinates batchStart = at;
    std::size_t count = 0;
    while (count < batchSize && index < end && at.day == preparedDay_) {
      const std::uint32_t timeWord = search_.timeWordAt(at.time);
      for (; at.mask < masks && count < batchSize && index < end; ++at.mask, ++index, ++count) {
        timeWords_[count] = timeWord;
        keyWords_[count] = search_.keyWords[static_cast<std::size_t>(at.mask)];
      }
      if (at.mask == masks) {
        at.mask = 0;
        if (++at.time == times) {
          at.time = 0;
          ++at.day;
        }
      }
    }
    search_.kernels.computeSeeds(day_, timeWords_.data(), keyWords_.data(), count, seeds_.data());
    result.lineCount += evaluator_->evaluate(SpaceBatch(space, dayCursor_, batchStart, count),
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
