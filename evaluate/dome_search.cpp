#include "evaluate/dome_search.h"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "core/pid_rows.h"
#include "evaluate/position_range.h"
#include "evaluate/reference_sequences.h"
#include "evaluate/seed_hits.h"

namespace hanabira {
namespace {

// The draws of every position of a batch of seeds run in the kernels, over rows of the
// personality-value sequence made once per batch; a line ends at each position where it
// and the slack positions before it all match.
class DomeSearchEvaluator final : public ModeEvaluator {
 public:
  DomeSearchEvaluator(const SearchSettings& settings, const ResultText& text, const KernelSet& kernels)
      : settings_(settings),
        text_(text),
        kernels_(kernels),
        wanted_(domeWantedTrainers(settings)),
        positions_(pidPositions(settings)),
        rows_(positions_.first, positions_.empty() ? 0 : positions_.size() + domeDrawCount - 1, maxEvaluationBatch,
              kernels),
        matches_(4 * positions_.size()),
        ends_(positions_.size()) {}

  void evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, LineOutput& out) override {
    const int slack = settings_.domeConsumptionSlack;
    if (positions_.empty() || slack < 0) return;
    const auto count = static_cast<int>(positions_.size());
    // With no trainer wanted every position matches, and nothing need be drawn.
    if (wanted_.count != 0) rows_.fill(seeds);
    const DrawScan scan{count, domeListSize, domeDrawCount, wanted_.trainers.data(), wanted_.count};
    kernels_.scanDraws(rows_.row(0), seeds.size(), scan, matches_.data());

    const std::size_t endCount = domeLineEnds(matches_, slack, ends_.data());
    endsBySeed_.build(ends_.data(), endCount);

    const int first = settings_.pidConsumptionMin;
    endsBySeed_.forEachSeed([&](std::size_t seed, std::span<const int> ends) {
      for (const int p : ends) {
        appendDomeSearchLine(text_, out.text(), moments[seed], seeds[seed], {first + p - slack, first + p});
        out.endLine();
      }
    });
  }

 private:
  const SearchSettings& settings_;
  const ResultText& text_;
  const KernelSet& kernels_;
  DomeWanted wanted_;
  PositionRange positions_;
  PidRows rows_;                        // from the first position's first draw to the last position's last
  std::vector<std::uint64_t> matches_;  // by position, the seeds whose draws there match
  std::vector<RangeHit> ends_;          // the positions that end a line, with their seeds
  SeedHits endsBySeed_;
};

}  // namespace

std::size_t domeLineEnds(std::span<const std::uint64_t> matches, int slack, RangeHit* ends) {
  if (slack < 0) return 0;
  const auto positions = static_cast<int>(matches.size() / 4);
  std::size_t endCount = 0;
  for (int p = slack; p < positions; ++p) {
    RangeHit& end = ends[endCount];
    end.position = p;
    std::uint64_t any = 0;
    for (std::size_t w = 0; w < 4; ++w) {
      std::uint64_t seeds = matches[static_cast<std::size_t>(p) * 4 + w];
      for (int back = 1; back <= slack && seeds != 0; ++back)
        seeds &= matches[static_cast<std::size_t>(p - back) * 4 + w];
      any |= end.seeds[w] = seeds;
    }
    if (any != 0) ++endCount;
  }
  return endCount;
}

DomeWanted domeWantedTrainers(const SearchSettings& settings) {
  DomeWanted wanted;
  for (int choice : settings.domeTrainers) {
    if (choice == 0) continue;
    const auto end = wanted.trainers.begin() + wanted.count;
    if (std::find(wanted.trainers.begin(), end, choice - 1) != end) continue;  // named twice
    *end = choice - 1;
    ++wanted.count;
  }
  return wanted;
}

void appendDomeSearchLine(const ResultText& text, std::string& out, const BootMoment& moment, InitialSeed seed,
                          const DomeMatch& match) {
  text.appendMoment(out, moment);
  char fields[2 * 12 + 16];
  out.append(fields,
             fmt::format_to(fields, FMT_COMPILE("{},{},{:016X}"), match.lowerPosition, match.upperPosition, seed));
  text.appendLineEnd(out, seed, moment.keyMask);
}

void checkDomeOptions(const SearchSettings& settings, SettingsCheck& check) {
  for (int trainer : settings.domeTrainers) check.choice("domeTrainers", trainer, domeTrainerChoices);
}

std::unique_ptr<ModeEvaluator> makeDomeSearchEvaluator(const SearchSettings& settings, const ResultText& text,
                                                       const KernelSet& kernels) {
  return std::make_unique<DomeSearchEvaluator>(settings, text, kernels);
}

std::size_t domeSearchReference(const SearchSettings& settings, const ResultText& text, const BootMoment& moment,
                                InitialSeed seed, std::string& out) {
  PlainPidSequence r(seed);
  const int slack = settings.domeConsumptionSlack;
  int run = 0;
  std::size_t lines = 0;
  for (int i = settings.pidConsumptionMin; i <= settings.pidConsumptionMax; ++i) {
    std::array<int, domeListSize> list;
    std::iota(list.begin(), list.end(), 0);
    std::array<int, domeDrawCount> drawn;
    for (int k = 0; k < domeDrawCount; ++k) {
      const int left = domeListSize - k;
      const auto index = static_cast<int>(scaledRandom(r[i + k], static_cast<std::uint32_t>(left)));
      drawn[static_cast<std::size_t>(k)] = list[static_cast<std::size_t>(index)];
      std::copy(list.begin() + index + 1, list.begin() + left, list.begin() + index);  // the rest move down
    }
    bool match = true;
    for (int choice : settings.domeTrainers) {
      if (choice != 0 && std::find(drawn.begin(), drawn.end(), choice - 1) == drawn.end()) match = false;
    }
    if (!match) {
      run = 0;
    } else if (run == slack) {
      appendDomeSearchLine(text, out, moment, seed, DomeMatch{i - slack, i});
      ++lines;
    } else {
      ++run;
    }
  }
  return lines;
}

}  // namespace hanabira
