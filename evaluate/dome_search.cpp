#include "evaluate/dome_search.h"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <numeric>

#include "core/pid_window.h"
#include "evaluate/position_range.h"
#include "evaluate/reference_sequences.h"

namespace hanabira {
namespace {

PidWindow windowFor(const SearchSettings& settings) {
  const PositionRange positions = pidPositions(settings);
  if (positions.empty()) return PidWindow(0, 0);
  return PidWindow(positions.first, positions.size() + domeDrawCount);
}

// No range test rules a position out: each seed's positions are drawn one by one.
class DomeSearchEvaluator final : public ModeEvaluator {
 public:
  DomeSearchEvaluator(const SearchSettings& settings, const ResultText& text)
      : settings_(settings),
        text_(text),
        empty_(pidPositions(settings).empty()),
        wanted_(domeWantedTrainers(settings)),
        values_(windowFor(settings)) {}

  std::size_t evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, std::string& out) override {
    if (empty_) return 0;
    std::size_t lines = 0;
    for (std::size_t i = 0; i < seeds.size(); ++i) lines += evaluateSeed(moments, i, seeds[i], out);
    return lines;
  }

 private:
  std::size_t evaluateSeed(const MomentBatch& moments, std::size_t index, InitialSeed seed, std::string& out) {
    // With no trainer wanted every position matches, and nothing need be drawn.
    if (wanted_.count != 0) values_.fill(seed);
    const int slack = settings_.domeConsumptionSlack;
    const int first = settings_.pidConsumptionMin;
    const auto count = static_cast<int>(pidPositions(settings_).size());
    DomeMatchRun run(slack);
    std::size_t lines = 0;
    for (int k = 0; k < count; ++k) {
      const bool match = wanted_.count == 0 || domeDrawsWanted(values_.data() + k, wanted_);
      if (!run.completes(match)) continue;
      appendDomeSearchLine(text_, out, moments[index], seed, DomeMatch{first + k - slack, first + k});
      ++lines;
    }
    return lines;
  }

  const SearchSettings& settings_;
  const ResultText& text_;
  bool empty_;
  DomeWanted wanted_;
  PidWindow values_;
};

}  // namespace

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

void appendDomeSearchLine(const ResultText& text, std::string& out, const SearchCursor& moment, InitialSeed seed,
                          const DomeMatch& match) {
  text.appendMoment(out, moment);
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},{},{:016X}"), match.lowerPosition, match.upperPosition, seed);
  text.appendKeysAndLineEnd(out, moment.keyMask);
}

void checkDomeOptions(const SearchSettings& settings, SettingsCheck& check) {
  for (int trainer : settings.domeTrainers) check.choice("domeTrainers", trainer, domeTrainerChoices);
}

std::unique_ptr<ModeEvaluator> makeDomeSearchEvaluator(const SearchSettings& settings, const ResultText& text,
                                                       const KernelSet&) {
  return std::make_unique<DomeSearchEvaluator>(settings, text);
}

std::size_t domeSearchReference(const SearchSettings& settings, const ResultText& text, const SearchCursor& moment,
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
