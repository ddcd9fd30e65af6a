// Seeds per second of every search mode on one thread: the mode's fast evaluation
// against its plain reference on the same seeds, and whole searches (initial seeds
// included) of one minute with key input.
//   build/release/bench/hanabira_bench --benchmark_filter='Mode'
#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <array>
#include <random>
#include <string_view>

#include "bench/bench_support.h"
#include "core/kernel_levels.h"
#include "engine/search_engine.h"
#include "evaluate/search_modes.h"

namespace hanabira {
namespace {

using bench::DiscardingSink;

// A typical hunt of each mode over personality-value positions 50 to 150 (the default),
// with filters that let few seeds through, except where noted; the mode's own flag is
// set from its row, and a mode without a hunt here runs on the default options.
void ivHunt(SearchSettings& s) { s.ivMin.fill(31); }

void shinyHunt(SearchSettings& s) {
  // No IV filter: every seed reaches the personality-value stage (the mode's worst case).
  s.shinyEncounterKind = 3;
  s.shinyNature = 11;
  s.idCorrection = true;
  s.trainerId = 12345;
  s.secretId = 54321;
}

void eggHunt(SearchSettings& s) {
  // Parents of 31 pass the prefilter at every position: every seed computes its eggs.
  s.ivMin.fill(31);
  s.eggGenderRatio = 6;
}

void deliverymanHunt(SearchSettings& s) {
  s.deliveryNature = 11;
  s.ivMin.fill(25);
}

void domeHunt(SearchSettings& s) {
  s.domeTrainers = {5, 12, 0, 0, 0, 0};
  s.domeConsumptionSlack = 2;
}

struct Hunt {
  std::string_view mode;  // the row's name
  void (*options)(SearchSettings&);
};
constexpr Hunt hunts[] = {
    {"iv", ivHunt},     {"shiny", shinyHunt}, {"inheritance", eggHunt}, {"deliveryman", deliverymanHunt},
    {"dome", domeHunt},
};

SearchSettings typicalHunt(SearchMode mode) {
  const SearchModeDefinition& definition = definitionOf(mode);
  SearchSettings s = bench::workedExampleHour();
  s.keyInputEnabled = true;
  if (definition.flag != nullptr) s.*definition.flag = true;
  for (const Hunt& hunt : hunts) {
    if (hunt.mode == definition.name) hunt.options(s);
  }
  return s;
}

constexpr std::size_t batchSize = 256;

struct SeedBatch {
  std::array<BootMoment, batchSize> moments{};
  std::array<InitialSeed, batchSize> seeds{};

  SeedBatch() {
    std::mt19937_64 random(1);
    for (auto& seed : seeds) seed = random();
    for (auto& moment : moments) moment = {11, 9, 27, 13, 0, 0, 2, noKeysHeld};
  }
};

void modeEvaluationFast(benchmark::State& state, SearchMode mode) {
  const SearchSettings settings = typicalHunt(mode);
  const ResultText text(definitionOf(mode).columns, settings.keyInputEnabled);
  const auto evaluator = definitionOf(mode).makeEvaluator(settings, text, bestKernels());
  const SeedBatch batch;
  LineOutput out;
  for (auto _ : state) {
    out.clear();
    evaluator->evaluate(MomentList(batch.moments), batch.seeds, out);
    benchmark::DoNotOptimize(out.lineCount());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * batchSize));
}

void modeEvaluationReference(benchmark::State& state, SearchMode mode) {
  const SearchSettings settings = typicalHunt(mode);
  const ResultText text(definitionOf(mode).columns, settings.keyInputEnabled);
  const SeedBatch batch;
  std::string out;
  for (auto _ : state) {
    out.clear();
    for (std::size_t i = 0; i < batchSize; ++i) {
      benchmark::DoNotOptimize(
          definitionOf(mode).evaluateReference(settings, text, batch.moments[i], batch.seeds[i], out));
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * batchSize));
}

void modeSearchFast(benchmark::State& state, SearchMode mode, Isa isa) {
  if (!cpuSupports(isa)) {
    state.SkipWithError("not supported by this CPU");
    return;
  }
  const SearchSettings settings = typicalHunt(mode);
  SearchOptions options;
  options.threads = 1;
  options.isa = isa;
  SearchSummary summary;
  for (auto _ : state) {
    DiscardingSink sink;
    summary = runSearch(settings, sink, options);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * summary.momentsDone));
}

void modeSearchReference(benchmark::State& state, SearchMode mode) {
  const SearchSettings settings = typicalHunt(mode);
  SearchSummary summary;
  for (auto _ : state) {
    DiscardingSink sink;
    summary = runReferenceSearch(settings, sink);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * summary.momentsDone));
}

// For every mode, as <benchmark>/<mode name>: whole searches at every kernel level of
// this build (modeSearchFast/<mode>_<level>), evaluations alone at the best level.
bool registerModeBenchmarks() {
  for (const SearchModeDefinition& definition : searchModes()) {
    const SearchMode mode = definition.mode;
    const auto named = [&](std::string_view benchmark) { return fmt::format("{}/{}", benchmark, definition.name); };
    benchmark::RegisterBenchmark(named("modeEvaluationReference").c_str(), modeEvaluationReference, mode);
    benchmark::RegisterBenchmark(named("modeEvaluationFast").c_str(), modeEvaluationFast, mode);
    benchmark::RegisterBenchmark(named("modeSearchReference").c_str(), modeSearchReference, mode)
        ->Unit(benchmark::kMillisecond);
    for (const KernelLevel& level : kernelLevels()) {
      benchmark::RegisterBenchmark(fmt::format("modeSearchFast/{}_{}", definition.name, level.name).c_str(),
                                   modeSearchFast, mode, level.isa())
          ->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}

[[maybe_unused]] const bool modeBenchmarksRegistered = registerModeBenchmarks();

}  // namespace
}  // namespace hanabira
