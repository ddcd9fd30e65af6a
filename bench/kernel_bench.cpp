// The kernels of every level on batches of 256, one benchmark per kernel and level:
//   build/release/bench/hanabira_bench --benchmark_filter=Kernel
#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/kernel_levels.h"

namespace hanabira {
namespace {

constexpr std::size_t batch = 256;

bool skipUnsupported(benchmark::State& state, Isa isa) {
  const KernelLevel& level = kernelLevel(isa);
  if (level.cpuHasFeatures()) return false;
  state.SkipWithError(("this CPU lacks " + std::string(level.cpuNeeds)).c_str());
  return true;
}

void seedKernel(benchmark::State& state, Isa isa) {
  if (skipUnsupported(state, isa)) return;
  const KernelSet& kernels = kernelsFor(isa);
  BootMessage words{};
  words[13] = 0x80000000;
  words[15] = 0x1A0;
  const SeedDay day = prepareSeedDay(words);
  std::vector<std::uint32_t> timeWords(batch), keyWords(batch);
  for (std::size_t i = 0; i < batch; ++i) {
    timeWords[i] = 0x53470000 | static_cast<std::uint32_t>(i << 8);
    keyWords[i] = static_cast<std::uint32_t>(i) * 0x9E3779B9u;
  }
  std::vector<InitialSeed> seeds(batch);
  for (auto _ : state) {
    kernels.computeSeeds(day, timeWords.data(), keyWords.data(), batch, seeds.data());
    benchmark::DoNotOptimize(seeds.data());
    ++timeWords[0];
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * batch));
}

// The 540 key masks of one second, as a search with every key held runs them: batches
// of 256, 256 and 28.
void maskSeedKernel(benchmark::State& state, Isa isa) {
  if (skipUnsupported(state, isa)) return;
  const KernelSet& kernels = kernelsFor(isa);
  BootMessage words{};
  words[13] = 0x80000000;
  words[15] = 0x1A0;
  const SeedDay day = prepareSeedDay(words);
  std::vector<std::uint32_t> keyWords(540);
  for (std::size_t i = 0; i < keyWords.size(); ++i) keyWords[i] = static_cast<std::uint32_t>(i) * 0x9E3779B9u;
  const KeySchedules keys(keyWords);
  std::vector<InitialSeed> seeds(batch);
  std::uint32_t timeWord = 0x53470000;
  for (auto _ : state) {
    const SeedTime time = prepareSeedTime(day, timeWord++);
    for (std::size_t first = 0; first < keyWords.size(); first += batch) {
      const std::size_t count = std::min(batch, keyWords.size() - first);
      kernels.computeMaskSeeds(time, keys.words.data(), keys.stride, first, count, seeds.data());
      benchmark::DoNotOptimize(seeds.data());
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * keyWords.size()));
}

// Positions 7 to 12: the six values of the individual-value search at position 7.
void mtKernel(benchmark::State& state, Isa isa) {
  if (skipUnsupported(state, isa)) return;
  const KernelSet& kernels = kernelsFor(isa);
  std::vector<std::uint32_t> seeds(batch), outputs(6 * batch);
  for (std::size_t i = 0; i < batch; ++i) seeds[i] = static_cast<std::uint32_t>(i) * 0x9E3779B9u;
  for (auto _ : state) {
    kernels.mtSpan(seeds.data(), batch, 7, 12, outputs.data());
    benchmark::DoNotOptimize(outputs.data());
    ++seeds[0];
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * batch));
}

// 162 outputs per state: positions 0 to 161, what the comet shard search reads at its defaults.
void lcgKernel(benchmark::State& state, Isa isa) {
  if (skipUnsupported(state, isa)) return;
  const KernelSet& kernels = kernelsFor(isa);
  std::vector<std::uint64_t> states(batch);
  std::vector<std::uint32_t> outputs(162 * batch);
  for (std::size_t i = 0; i < batch; ++i) states[i] = i * 0x9E3779B97F4A7C15ull;
  for (auto _ : state) {
    kernels.lcgOutputs(states.data(), batch, 162, outputs.data());
    benchmark::DoNotOptimize(outputs.data());
    ++states[0];
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * batch));
}

// The values r with floor(r * n / 2^32) from low to high, as a range test at `offset`.
RangeTest scaledTest(int offset, std::uint64_t n, std::uint64_t low, std::uint64_t high) {
  const auto ceilOf = [n](std::uint64_t k) { return ((k << 32) + n - 1) / n; };
  return {offset, static_cast<std::uint32_t>(ceilOf(low)), static_cast<std::uint32_t>(ceilOf(high + 1) - 1)};
}

// The LCG scans of the comet shard (one range at two rows) and the deliveryman (every
// value at least 25 and a nature: two ranges, seven tests) at their default positions.
void lcgScanKernel(benchmark::State& state, Isa isa, std::vector<RangeTest> tests) {
  if (skipUnsupported(state, isa)) return;
  const KernelSet& kernels = kernelsFor(isa);
  const LcgScan scan{101, tests.data(), static_cast<int>(tests.size()), nullptr, 1, 0};
  std::vector<std::uint64_t> states(batch), scratch(lcgScanScratchWords(scan));
  std::vector<RangeHit> hits(101);
  for (std::size_t i = 0; i < batch; ++i) states[i] = i * 0x9E3779B97F4A7C15ull;
  for (auto _ : state) {
    benchmark::DoNotOptimize(kernels.scanLcg(states.data(), batch, scan, scratch.data(), hits.data()));
    ++states[0];
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * batch));
}

std::vector<RangeTest> cometShardTests() { return {scaledTest(7, 100, 80, 84), scaledTest(10, 100, 80, 84)}; }

std::vector<RangeTest> deliverymanTests() {
  std::vector<RangeTest> tests;
  for (int k = 0; k < 6; ++k) tests.push_back({k, 25u << 27, 0xFFFFFFFF});
  tests.push_back(scaledTest(10, 25, 11, 11));
  return tests;
}

// Each kernel at every level of this build, named like seedKernel/avx2.
[[maybe_unused]] const bool registered = [] {
  using KernelBenchmark = void (*)(benchmark::State&, Isa);
  const std::pair<const char*, KernelBenchmark> kernels[] = {
      {"seedKernel", seedKernel}, {"maskSeedKernel", maskSeedKernel}, {"mtKernel", mtKernel}, {"lcgKernel", lcgKernel}};
  for (const auto& [name, run] : kernels) {
    for (const KernelLevel& level : kernelLevels()) {
      benchmark::RegisterBenchmark((std::string(name) + "/" + std::string(level.name)).c_str(), run, level.isa());
    }
  }
  for (const KernelLevel& level : kernelLevels()) {
    benchmark::RegisterBenchmark(fmt::format("lcgScanKernelCometShard/{}", level.name).c_str(), lcgScanKernel,
                                 level.isa(), cometShardTests());
    benchmark::RegisterBenchmark(fmt::format("lcgScanKernelDeliveryman/{}", level.name).c_str(), lcgScanKernel,
                                 level.isa(), deliverymanTests());
  }
  return true;
}();

}  // namespace
}  // namespace hanabira
