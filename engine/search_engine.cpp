#include "engine/search_engine.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <thread>

#include "engine/chunk_pipeline.h"
#include "engine/passing_seeds.h"
#include "engine/prepared_search.h"
#include "engine/two_stage_backend.h"

namespace hanabira {
namespace {

// Small enough that few lines wait in memory and progress moves often, large enough
// that handing a chunk over costs nothing beside its seeds.
constexpr std::uint64_t defaultChunkMoments = 1 << 13;

// Stage one, when the search runs in two stages on the CPU: the MT seeds that can make a
// line. None when it runs direct. The progress reports the seeds scanned.
std::optional<PassingSeeds> runStageOne(const PreparedSearch& search, const SearchOptions& options,
                                        const SearchBackend& backend, std::uint64_t moments, unsigned threads,
                                        SearchProgress& progress, const std::function<void()>& report) {
  if (&backend != &cpuBackend()) return std::nullopt;
  const MtSeedSpace& seeds = options.stageOneSeeds != nullptr ? *options.stageOneSeeds : MtSeedSpace::all();
  const PlanChoice choice = choosePlan(search, moments, seeds, options.plan);
  if (choice.plan != SearchPlan::TwoStage) return std::nullopt;

  progress.seedsToScan = seeds.size();
  progress.scanShare = choice.stageOneShare;
  PassingSeeds found = findPassingSeeds(*stageOnePrefilter(search), search.kernels, seeds, threads, options.cancel,
                                        [&](std::uint64_t scanned) {
                                          progress.seedsScanned = scanned;
                                          report();
                                        });
  if (found.outcome == PassingSeeds::Outcome::TooMany) {
    progress.seedsToScan = 0;  // the search goes on direct
    return std::nullopt;
  }
  return found;
}

}  // namespace

unsigned resolveThreadCount(unsigned requested) {
  if (requested > 0) return requested;
  return std::max(1u, std::thread::hardware_concurrency());
}

SearchSummary runSearch(const SearchSettings& settings, ResultSink& sink, const SearchOptions& options) {
  const PreparedSearch search(settings, options.encoding, options.isa);
  const SearchBackend& backend = (options.backend != nullptr ? *options.backend : cpuBackend()).forSearch(search);
  // Fails here, before the header, for a search the backend cannot run.
  backend.makeChunkEvaluator(search);
  const BootMomentSpace& space = search.space;

  const MomentRange moments = options.moments.within(space.size());

  SearchSummary summary{search.mode.mode, search.kernels.isa, false, 0, 0, moments.size()};
  summary.backend = backend.name();
  const int firstDay = moments.size() > 0 ? space.coordinatesOf(moments.first).day : 0;
  SearchProgress progress{space.dateAt(firstDay), 0, 0, summary.momentsTotal};
  progress.backend = backend.name();
  auto report = [&] {
    if (options.onProgress) options.onProgress(progress);
  };

  sink.write(search.text.header());
  report();

  const unsigned threads = resolveThreadCount(options.threads);
  const std::optional<PassingSeeds> stageOne =
      runStageOne(search, options, backend, moments.size(), threads, progress, report);
  std::optional<TwoStageBackend> stageTwo;
  if (stageOne) {
    summary.plan = SearchPlan::TwoStage;
    if (stageOne->outcome == PassingSeeds::Outcome::Cancelled) {
      summary.cancelled = true;
      return summary;
    }
    stageTwo.emplace(*stageOne->seeds);
  }
  const SearchBackend& chunkBackend = stageTwo ? *stageTwo : backend;

  std::uint64_t chunkMoments = options.chunkMoments > 0 ? options.chunkMoments : chunkBackend.chunkMoments(search);
  if (chunkMoments == 0) chunkMoments = defaultChunkMoments;
  const ChunkPlan plan{moments, chunkMoments, options.pendingLineBytes};
  runChunkPipeline(search, chunkBackend, plan, threads, options.cancel,
                   [&](std::uint64_t chunk, const ChunkResult& result) {
                     sink.write(result.lines.text());
                     summary.candidates += result.lines.lineCount();
                     summary.momentsDone += result.momentsDone;
                     summary.cancelled = !result.complete;
                     if (result.momentsDone > 0) {
                       const std::uint64_t last = plan.begin(chunk) + result.momentsDone - 1;
                       progress.date = space.dateAt(space.coordinatesOf(last).day);
                     }
                     progress.candidates = summary.candidates;
                     progress.momentsDone = summary.momentsDone;
                     report();
                     return true;
                   });
  return summary;
}

}  // namespace hanabira
