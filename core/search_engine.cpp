#include "core/search_engine.h"

#include <algorithm>

#include "core/chunk_worker.h"
#include "core/prepared_search.h"

namespace hanabira {
namespace {

// Small enough that a cancelled chunk stops soon and progress moves often, large
// enough that the per-chunk work vanishes beside the seeds.
constexpr std::uint64_t chunkSize = 1 << 15;

bool isCancelled(const SearchOptions& options) {
  return options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed);
}

}  // namespace

SearchSummary runSearch(const SearchSettings& settings, ResultSink& sink, const SearchOptions& options) {
  const PreparedSearch search(settings, options.encoding);
  ChunkWorker worker(search);
  const BootMomentSpace& space = search.space;

  SearchSummary summary{search.formatter.mode(), false, 0, 0, space.size()};
  SearchProgress progress{space.dateAt(0), 0, 0, summary.momentsTotal};
  auto report = [&] {
    if (options.onProgress) options.onProgress(progress);
  };

  sink.write(search.formatter.header());
  report();

  ChunkResult chunk;
  for (std::uint64_t begin = 0; begin < summary.momentsTotal; begin += chunkSize) {
    if (isCancelled(options)) {
      summary.cancelled = true;
      break;
    }
    const std::uint64_t end = std::min(begin + chunkSize, summary.momentsTotal);
    worker.run(begin, end, options.cancel, chunk);
    sink.write(chunk.lines);
    summary.candidates += chunk.lineCount;
    summary.momentsDone += chunk.momentsDone;

    progress.date = space.dateAt(space.coordinatesOf(begin + chunk.momentsDone - (chunk.momentsDone > 0)).day);
    progress.candidates = summary.candidates;
    progress.momentsDone = summary.momentsDone;
    report();
    if (!chunk.complete) {
      summary.cancelled = true;
      break;
    }
  }
  return summary;
}

}  // namespace hanabira
