#include "evaluate/comet_shard_search.h"

#include <algorithm>
#include <bit>

#include "evaluate/position_range.h"
#include "evaluate/reference_sequences.h"

namespace hanabira {
namespace {

// Without compound eyes every test reads one position later.
int testShift(const SearchSettings& settings) { return settings.compoundEyes ? 0 : 1; }

// Each position reads eleven values from its first test on.
constexpr int valuesRead = 11;

// One seed's values from a position on, read from the rows only when a test asks.
struct SeedValues {
  const PidRows& rows;
  std::size_t seed;
  std::int64_t position;
  std::uint32_t operator[](int k) const { return rows.at(seed, position + k); }
};

RangeFilter lastTestsFor(const SearchSettings& settings) {
  RangeFilter filter;
  const std::uint32_t low = settings.compoundEyes ? 80 : 55;
  const std::uint32_t high = settings.compoundEyes ? 84 : 55;
  filter.requireScaled(7, 100, low, high);
  filter.requireScaled(10, 100, low, high);
  return filter;
}

// The last two tests, rare passes, are the filter of the rows: only the few positions
// that pass them reach the other tests.
PidRows rowsFor(const SearchSettings& settings, const KernelSet& kernels) {
  const PositionRange positions = pidPositions(settings);
  if (positions.empty()) return PidRows(0, 0, 0, kernels);
  const RangeFilter lastTests = lastTestsFor(settings);
  return PidRows(positions.first + testShift(settings), positions.size() + valuesRead - 1, maxEvaluationBatch, kernels,
                 std::span(lastTests.tests(), static_cast<std::size_t>(lastTests.testCount())));
}

}  // namespace

CometShardSearchEvaluator::CometShardSearchEvaluator(const SearchSettings& settings, const ResultFormatter& formatter,
                                                     const KernelSet& kernels)
    : settings_(settings),
      formatter_(formatter),
      empty_(pidPositions(settings).empty()),
      values_(rowsFor(settings, kernels)),
      hits_(pidPositions(settings).size()) {}

std::size_t CometShardSearchEvaluator::evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds,
                                                std::string& out) {
  if (empty_) return 0;
  values_.fill(seeds);
  const std::size_t hitCount = values_.scanFilter(static_cast<int>(hits_.size()), hits_.data());
  // The few positions that pass the last two tests are checked as the scan found them,
  // position by position; the rarer finds are then put in the order of the lines.
  found_.clear();
  for (std::size_t h = 0; h < hitCount; ++h) {
    const RangeHit& hit = hits_[h];
    for (std::size_t w = 0; w < 4; ++w) {
      for (std::uint64_t bits = hit.seeds[w]; bits != 0; bits &= bits - 1) {
        const std::size_t i = 64 * w + static_cast<std::size_t>(std::countr_zero(bits));
        const SeedValues values{values_, i, values_.first() + hit.position};
        if (cometShardFound(values, settings_.compoundEyes))
          found_.push_back(i << 16 | static_cast<std::size_t>(hit.position));
      }
    }
  }
  std::sort(found_.begin(), found_.end());  // by seed, then position
  for (const std::size_t find : found_) {
    const std::size_t i = find >> 16;
    formatter_.append(out, moments[i], seeds[i],
                      CometShardMatch{settings_.pidConsumptionMin + static_cast<int>(find & 0xFFFF)});
  }
  return found_.size();
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
