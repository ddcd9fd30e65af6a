// The parts of the two plans on one thread, for the figures the plan's estimate rests on
// (engine/search_plan.cpp):
//   build/release/bench/hanabira_bench --benchmark_filter=Plan
// planStageOne: MT seeds per second through a filter (a slice of stage one's 2^32);
// planDirect and planStageTwo: boot moments per second of ten minutes with key input;
// planLookup: lookups per second in a set of MT seeds of a given size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "bench/bench_support.h"
#include "core/kernels.h"
#include "engine/mt_seed_set.h"
#include "engine/passing_seeds.h"
#include "engine/prepared_search.h"
#include "engine/search_engine.h"
#include "engine/search_plan.h"

namespace hanabira {
namespace {

using bench::DiscardingSink;

// 0: all six values 31 at position 7; 1: the same at positions 0 to 200; 2: H, A, B and C
// 31 at positions 0 to 9 (about one seed in 6,500 passes); 3: all six at least 20 at
// position 7 (about one seed in 360).
SearchSettings planSearch(int filter) {
  SearchSettings settings = bench::workedExampleHour();
  settings.endMinute = 9;
  settings.keyInputEnabled = true;
  settings.ivMin.fill(31);
  settings.ivConsumptionMin = settings.ivConsumptionMax = 7;
  if (filter == 1) {
    settings.ivConsumptionMin = 0;
    settings.ivConsumptionMax = 200;
  } else if (filter == 2) {
    settings.ivMin = {31, 31, 31, 31, 0, 0};
    settings.ivConsumptionMin = 0;
    settings.ivConsumptionMax = 9;
  } else if (filter == 3) {
    settings.ivMin.fill(20);
  }
  return settings;
}

void planStageOne(benchmark::State& state) {
  const PreparedSearch search(planSearch(static_cast<int>(state.range(0))), TextEncoding::Utf8);
  const Prefilter prefilter = *stageOnePrefilter(search);
  const MtSeedSpace slice({{0x12340000, 0x12340000 + (1 << 20)}});
  for (auto _ : state) {
    const PassingSeeds found = findPassingSeeds(prefilter, search.kernels, slice, 1, nullptr, {});
    benchmark::DoNotOptimize(found.seeds.get());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * slice.size()));
}
BENCHMARK(planStageOne)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void runPlan(benchmark::State& state, SearchPlan plan) {
  const SearchSettings settings = planSearch(static_cast<int>(state.range(0)));
  // Stage one over a slice only: stage two's own pace, with a set too small to cost anything.
  const MtSeedSpace slice({{0, 256}});
  SearchOptions options;
  options.threads = 1;
  options.plan = plan;
  options.stageOneSeeds = &slice;
  SearchSummary summary;
  for (auto _ : state) {
    DiscardingSink sink;
    summary = runSearch(settings, sink, options);
  }
  if (summary.plan != plan) state.SkipWithError("the search ran the other plan");
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * summary.momentsDone));
}

void planDirect(benchmark::State& state) { runPlan(state, SearchPlan::Direct); }
BENCHMARK(planDirect)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void planStageTwo(benchmark::State& state) { runPlan(state, SearchPlan::TwoStage); }
BENCHMARK(planStageTwo)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// Random members, one bucket at a time, and random seeds looked up.
void planLookup(benchmark::State& state) {
  const auto members = static_cast<std::uint64_t>(state.range(0));
  std::mt19937_64 random(1);
  MtSeedSet set;
  std::vector<std::uint16_t> lows;
  for (std::uint32_t bucket = 0; bucket < MtSeedSet::bucketCount; ++bucket) {
    lows.resize(members / MtSeedSet::bucketCount +
                (random() % MtSeedSet::bucketCount < members % MtSeedSet::bucketCount));
    for (std::uint16_t& low : lows) low = static_cast<std::uint16_t>(random());
    std::sort(lows.begin(), lows.end());
    lows.erase(std::unique(lows.begin(), lows.end()), lows.end());
    set.fillBucket(bucket, lows);
  }
  set.seal();
  std::vector<std::uint32_t> seeds(1 << 16);
  for (std::uint32_t& seed : seeds) seed = static_cast<std::uint32_t>(random());
  for (auto _ : state) {
    std::size_t found = 0;
    for (const std::uint32_t seed : seeds) found += set.contains(seed) ? 1 : 0;
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * seeds.size()));
}
BENCHMARK(planLookup)->Arg(0)->Arg(1000)->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000)->Arg(100'000'000);

}  // namespace
}  // namespace hanabira
