#include "evaluate/comet_shard_search.h"

#include <fmt/compile.h>
#include <fmt/format.h>

#include "evaluate/position_range.h"
#include "evaluate/prefilter_stage.h"
#include "evaluate/reference_sequences.h"

namespace hanabira {
namespace {

// Without compound eyes every test reads one position later.
int testShift(const SearchSettings& settings) { return settings.compoundEyes ? 0 : 1; }

// Each position reads eleven values from its first test on.
constexpr int valuesRead = 11;

// One seed's values from a position on, read from the rows only when a test asks.
struct SeedValues {
  const SequenceRows& rows;
  std::size_t seed;
  std::int64_t position;
  std::uint32_t operator[](int k) const { return rows.at(seed, position + k); }
};

class CometShardSearchEvaluator final : public ModeEvaluator {
 public:
  CometShardSearchEvaluator(const SearchSettings& settings, const ResultText& text, const KernelSet& kernels)
      : settings_(settings), text_(text), stage_(*cometShardSearchPrefilter(settings), kernels) {}

  // The scan's ranges are the last two tests; only the few positions that pass them
  // reach the others.
  void evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, LineOutput& out) override {
    const SequenceRows& rows = stage_.rows();
    stage_.runOnFinds(
        seeds,
        [&](std::size_t seed, int hit) {
          return cometShardFirstRollsPass(SeedValues{rows, seed, rows.first() + hit});
        },
        [&](std::size_t seed, int hit) {
          appendCometShardSearchLine(text_, out.text(), moments[seed], seeds[seed],
                                     CometShardMatch{settings_.pidConsumptionMin + hit});
          out.endLine();
        });
  }

 private:
  const SearchSettings& settings_;
  const ResultText& text_;
  PrefilterStage stage_;  // from the first test of the first position on
};

}  // namespace

void appendCometShardSearchLine(const ResultText& text, std::string& out, const BootMoment& moment, InitialSeed seed,
                                const CometShardMatch& match) {
  text.appendMoment(out, moment);
  char fields[12 + 16];
  out.append(fields, fmt::format_to(fields, FMT_COMPILE("{},{:016X}"), match.position, seed));
  text.appendLineEnd(out, seed, moment.keyMask);
}

// The last two tests, rare passes, are the filter of the rows; the first three, which
// the exact check applies, are for a backend that tests each position on its own.
std::optional<Prefilter> cometShardSearchPrefilter(const SearchSettings& settings) {
  const PositionRange positions = pidPositions(settings);
  Prefilter prefilter{RandomSequence::Personality, positions.first + testShift(settings), 0, 0, {}, {}};
  const RollRange last = cometShardLastAccepts(settings.compoundEyes);
  for (const int offset : cometShardLastOffsets) prefilter.filter.requireScaled(offset, 100, last.low, last.high);
  for (const CometShardRollTest& test : cometShardFirstTests) {
    prefilter.filter.requireScaledAnyOf(test.offset, test.n, test.accepts);
  }
  if (positions.empty()) return prefilter;
  prefilter.positions = static_cast<int>(positions.size());
  prefilter.rowCount = prefilter.positions + valuesRead - 1;
  return prefilter;
}

std::unique_ptr<ModeEvaluator> makeCometShardSearchEvaluator(const SearchSettings& settings, const ResultText& text,
                                                             const KernelSet& kernels) {
  return std::make_unique<CometShardSearchEvaluator>(settings, text, kernels);
}

std::size_t cometShardSearchReference(const SearchSettings& settings, const ResultText& text, const BootMoment& moment,
                                      InitialSeed seed, std::string& out) {
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
      appendCometShardSearchLine(text, out, moment, seed, CometShardMatch{i});
      ++lines;
    }
  }
  return lines;
}

}  // namespace hanabira
