// Running a search: every boot moment of the settings' range, in order, through the
// evaluation of the active mode, each match one line in the sink.
//
//   hanabira::FileSink sink("result.txt");
//   const hanabira::SearchSummary summary = hanabira::runSearch(settings, sink);
//   sink.close();
//
// A search works on a copy of the settings. Whatever stops it early (cancellation, a
// failing sink), what reached the sink is an exact prefix of the full result: whole
// lines, none missing before the last one written.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "core/isa.h"
#include "core/search_mode.h"
#include "core/search_settings.h"
#include "engine/moment_range.h"
#include "engine/mt_seed_space.h"
#include "engine/result_sink.h"
#include "engine/search_backend.h"
#include "engine/search_plan.h"
#include "engine/search_progress.h"
#include "evaluate/result_text.h"

namespace hanabira {

struct SearchOptions {
  TextEncoding encoding = TextEncoding::Cp932;
  // The boot moments searched, by their numbers in the search's space (cut to the space):
  // a shard of a search. The lines are those of the whole search that fall in the range,
  // after the header as always.
  MomentRange moments;
  // Worker threads; 0 uses every hardware thread. The result is the same for any count.
  unsigned threads = 0;
  // Boot moments per unit of work; 0 leaves the choice to the engine. Tests use small
  // ones to cut small searches into many chunks.
  std::uint64_t chunkMoments = 0;
  // The most memory the lines found but not yet written may take, the threads together:
  // however many lines the boot moments make, the search waits for the sink rather than
  // holding more. Tests make it tiny.
  std::size_t pendingLineBytes = std::size_t{64} << 20;
  // The instruction-set level of the kernels; none: the best this CPU runs. A level the
  // CPU cannot run makes runSearch throw UnsupportedIsaError.
  std::optional<Isa> isa;
  // Where the chunks are evaluated; none: the CPU, with the kernels of `isa`.
  const SearchBackend* backend = nullptr;
  // Direct or two-stage (engine/search_plan.h); none: the one estimated to be cheaper.
  // A search on a device runs direct, as does one the two-stage plan does not apply to.
  std::optional<SearchPlan> plan;
  // The MT seeds stage one of the two-stage plan scans; none: all 2^32. Tests narrow it.
  const MtSeedSpace* stageOneSeeds = nullptr;
  // Set from anywhere (a signal handler too) to stop the search at the next boot moment
  // or batch of moments.
  const std::atomic<bool>* cancel = nullptr;
  // Called at the start and whenever lines have been committed: one call at a time, on
  // the calling thread or on one of the search's threads.
  std::function<void(const SearchProgress&)> onProgress;
};

struct SearchSummary {
  SearchMode mode{};      // the plain search, the mode table's first row, until a search has run
  Isa isa = Isa::Scalar;  // the level that ran
  bool cancelled = false;
  std::uint64_t candidates = 0;  // lines written
  std::uint64_t momentsDone = 0;
  std::uint64_t momentsTotal = 0;        // in the range searched
  SearchPlan plan = SearchPlan::Direct;  // the plan that ran
  std::string_view backend = "cpu";      // the name of the backend that searched
};

// The thread count a SearchOptions::threads value stands for.
unsigned resolveThreadCount(unsigned requested);

// Throws InvalidSettingsError before anything is written; lets ResultWriteError through.
SearchSummary runSearch(const SearchSettings& settings, ResultSink& sink, const SearchOptions& options = {});

// The same search, one boot moment after the other, straight from the game's rules:
// loops over dates, hours, minutes, seconds and keys, the plain SHA-1 and MT19937 and the
// plain evaluations. Slow; it is what the fast path is checked against.
SearchSummary runReferenceSearch(const SearchSettings& settings, ResultSink& sink, const SearchOptions& options = {});

}  // namespace hanabira
