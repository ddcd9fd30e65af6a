#include "evaluate/comet_shard_search.h"

#include "evaluate/reference_sequences.h"

namespace hanabira {
namespace {

bool rangeEmpty(const SearchSettings& settings) { return settings.pidConsumptionMin > settings.pidConsumptionMax; }

// Without compound eyes every test reads one position later.
int testShift(const SearchSettings& settings) { return settings.compoundEyes ? 0 : 1; }

// Each position reads eleven values from its first test on.
PidWindow windowFor(const SearchSettings& settings) {
  if (rangeEmpty(settings)) return PidWindow(0, 0);
  return PidWindow(settings.pidConsumptionMin + testShift(settings),
                   static_cast<std::size_t>(settings.pidConsumptionMax - settings.pidConsumptionMin) + 11);
}

}  // namespace

CometShardSearchEvaluator::CometShardSearchEvaluator(const SearchSettings& settings, const ResultFormatter& formatter)
    : settings_(settings), formatter_(formatter), empty_(rangeEmpty(settings)), values_(windowFor(settings)) {}

std::size_t CometShardSearchEvaluator::evaluate(std::span<const SearchCursor> moments,
                                                std::span<const InitialSeed> seeds, std::string& out) {
  if (empty_) return 0;
  std::size_t lines = 0;
  for (std::size_t i = 0; i < seeds.size(); ++i) lines += evaluateSeed(moments[i], seeds[i], out);
  return lines;
}

std::size_t CometShardSearchEvaluator::evaluateSeed(const SearchCursor& moment, InitialSeed seed, std::string& out) {
  values_.fill(seed);
  const int first = settings_.pidConsumptionMin;
  const int count = settings_.pidConsumptionMax - first + 1;
  std::size_t lines = 0;
  for (int k = 0; k < count; ++k) {
    if (!cometShardFound(values_.data() + k, settings_.compoundEyes)) continue;
    formatter_.append(out, moment, seed, CometShardMatch{first + k});
    ++lines;
  }
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
