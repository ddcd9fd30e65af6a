// Seeds per second of the fast path against the plain reference path, in one run:
//   build/release/bench/hanabira_bench
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"
#include "core/calendar.h"
#include "core/initial_seed.h"
#include "core/mt19937.h"
#include "core/mt_span.h"
#include "engine/search_engine.h"

namespace hanabira {
namespace {

using bench::DiscardingSink;

// One hour of 2011-09-27 with every key combination (540 masks a second): 1,944,000
// boot moments; the filter (all six values 31) lets almost nothing through.
SearchSettings strictIvSearch(int minutes) {
  SearchSettings settings = bench::workedExampleHour();
  settings.endMinute = minutes - 1;
  settings.keyInputEnabled = true;
  settings.ivMin.fill(31);
  return settings;
}

void reportSeeds(benchmark::State& state, std::uint64_t moments) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * moments));
}

void ivSearchReference(benchmark::State& state) {
  const SearchSettings settings = strictIvSearch(1);
  SearchSummary summary;
  for (auto _ : state) {
    DiscardingSink sink;
    summary = runReferenceSearch(settings, sink);
  }
  reportSeeds(state, summary.momentsDone);
}
BENCHMARK(ivSearchReference)->Unit(benchmark::kMillisecond);

void ivSearchFast(benchmark::State& state) {
  const SearchSettings settings = strictIvSearch(static_cast<int>(state.range(0)));
  SearchOptions options;
  options.threads = 1;
  SearchSummary summary;
  for (auto _ : state) {
    DiscardingSink sink;
    summary = runSearch(settings, sink, options);
  }
  reportSeeds(state, summary.momentsDone);
}
BENCHMARK(ivSearchFast)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// Ten minutes on 1, 2, ... threads up to every hardware thread: wall-clock seeds per second.
void ivSearchThreads(benchmark::State& state) {
  const SearchSettings settings = strictIvSearch(10);
  SearchOptions options;
  options.threads = static_cast<unsigned>(state.range(0));
  SearchSummary summary;
  for (auto _ : state) {
    DiscardingSink sink;
    summary = runSearch(settings, sink, options);
  }
  reportSeeds(state, summary.momentsDone);
}
BENCHMARK(ivSearchThreads)
    ->DenseRange(1, static_cast<int>(resolveThreadCount(0)))
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The parts on their own.
void initialSeedPlain(benchmark::State& state) {
  const SearchSettings settings = strictIvSearch(1);
  BootMoment moment{11, 9, 27, 13, 47, 35, 2, noKeysHeld};
  for (auto _ : state) {
    moment.keyMask = (moment.keyMask + 1) & noKeysHeld;
    benchmark::DoNotOptimize(computeInitialSeed(settings, moment));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(initialSeedPlain);

void mtFullBlock(benchmark::State& state) {
  std::uint32_t seed = 1;
  for (auto _ : state) {
    Mt19937 generator(seed++);
    for (int k = 0; k < 7; ++k) generator.next();
    for (int k = 0; k < 6; ++k) benchmark::DoNotOptimize(generator.next());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(mtFullBlock);

void mtSpanPositions7To12(benchmark::State& state) {
  const MtOutputSpan span(7, 12);
  std::uint32_t outputs[6];
  std::uint32_t seed = 1;
  for (auto _ : state) {
    span.fill(seed++, outputs);
    benchmark::DoNotOptimize(outputs);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(mtSpanPositions7To12);

}  // namespace
}  // namespace hanabira
