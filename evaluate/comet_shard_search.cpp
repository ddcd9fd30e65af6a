#include "evaluate/comet_shard_search.h"

#include "evaluate/reference_sequences.h"

namespace hanabira {
namespace {

bool rangeEmpty(const SearchSettings& settings) { return settings.pidConsumptionMin > settings.pidConsumptionMax; }

// Without compound eyes every test reads one position later.
int testShift(const SearchSettings& settings) { return settings.compoundEyes ? 0 : 1; }

int positionCount(const SearchSettings& settings) { return settings.pidConsumptionMax - settings.pidConsumptionMin + 1; }

// Each position reads eleven values from its first test on.
constexpr int valuesRead = 11;

PidRows rowsFor(const SearchSettings& settings, const KernelSet& kernels) {
  if (rangeEmpty(settings)) return PidRows(0, 0, 0, kernels);
  return PidRows(settings.pidConsumptionMin + testShift(settings),
                 static_cast<std::size_t>(positionCount(settings)) + valuesRead - 1, maxEvaluationBatch, kernels);
}

RangeFilter lastTestsFor(const SearchSettings& settings) {
  RangeFilter filter;
  const std::uint32_t low = settings.compoundEyes ? 80 : 55;
  const std::uint32_t high = settings.compoundEyes ? 84 : 55;
  filter.requireScaled(7, 100, low, high);
  filter.requireScaled(10, 100, low, high);
  return filter;
}

}  // namespace

CometShardSearchEvaluator::CometShardSearchEvaluator(const SearchSettings& settings, const ResultFormatter& formatter,
                                                     const KernelSet& kernels)
    : settings_(settings),
      formatter_(formatter),
      empty_(rangeEmpty(settings)),
      values_(rowsFor(settings, kernels)),
      lastTests_(lastTestsFor(settings)),
      hits_(empty_ ? 0 : static_cast<std::size_t>(positionCount(settings))) {}

std::size_t CometShardSearchEvaluator::evaluate(const MomentBatch& moments,
                                                std::span<const InitialSeed> seeds, std::string& out) {
  if (empty_) return 0;
  values_.fill(seeds);
  const std::size_t hitCount =
      values_.scan(lastTests_.tests(), lastTests_.testCount(), positionCount(settings_), hits_.data());
  seedHits_.build(hits_.data(), hitCount);
  if (seedHits_.empty()) return 0;
  const std::int64_t firstValue = values_.first();
  std::size_t lines = 0;
  std::uint32_t values[valuesRead];
  seedHits_.forEachSeed([&](std::size_t i, std::span<const int> positions) {
    for (const int hit : positions) {
      for (int k = 0; k < valuesRead; ++k) values[k] = values_.at(i, firstValue + hit + k);
      if (!cometShardFound(values, settings_.compoundEyes)) continue;
      formatter_.append(out, moments[i], seeds[i], CometShardMatch{settings_.pidConsumptionMin + hit});
      ++lines;
    }
  });
  return lines;
}

std::size_t cometShardSearchReference(const SearchSettings& settings, const ResultFormatter& formatter,
                                      const SearchCursor& moment, InitialSeed seed, std::string& out) {
  PlainPidSequence r(seed);
  const auto inMiddleRange = [](std::uint32_t roll) {
    return roll <= 320 || (641 <= roll && roll <= 800) || (961 <= roll && roll <= 1280);
  };
  std::size_t lines = 0;
  for (int i = settings.pidConsumptionMin; i <= settings.pidConsumptionMax; ++i) {
    bool found = false;
    if (settings.compoundEyes) {
      const std::uint32_t test4 = scaledRandom(r[i + 7], 100);
      const std::uint32_t test5 = scaledRandom(r[i + 10], 100);
      found = scaledRandom(r[i], 100) <= 39 && inMiddleRange(scaledRandom(r[i + 1], 1600)) &&
              inMiddleRange(scaledRandom(r[i + 3], 1600)) && 80 <= test4 && test4 <= 84 && 80 <= test5 && test5 <= 84;
    } else {
      found = scaledRandom(r[i + 1], 100) <= 39 && inMiddleRange(scaledRandom(r[i + 2], 1600)) &&
              inMiddleRange(scaledRandom(r[i + 4], 1600)) && scaledRandom(r[i + 8], 100) == 55 &&
              scaledRandom(r[i + 11], 100) == 55;
    }
    if (found) {
      formatter.append(out, moment, seed, CometShardMatch{i});
      ++lines;
    }
  }
  return lines;
}

}  // namespace hanabira
