// The dome search: at a position i of the personality-value random sequence the game
// draws six trainers out of its list of 52 without replacement; a position matches when
// every trainer the user asks for is among them. A match is reported as a range of
// positions that all match, so that a real position off by up to the slack still does.
#pragma once

#include <cstdint>

#include "core/pid_window.h"
#include "evaluate/iv_rules.h"
#include "evaluate/mode_evaluator.h"

namespace hanabira {

inline constexpr int domeListSize = 52;
inline constexpr int domeDrawCount = 6;

// The trainers drawn from values[0..5] (R[i] to R[i + 5]) as a set, trainer t as bit t.
// Draw k picks entry scaledRandom(values[k], 52 - k) of the list of the trainers not yet
// drawn, in ascending order.
constexpr std::uint64_t domeDrawnTrainers(const std::uint32_t* values) {
  int drawn[domeDrawCount] = {};  // ascending
  std::uint64_t set = 0;
  for (int k = 0; k < domeDrawCount; ++k) {
    int trainer = static_cast<int>(scaledRandom(values[k], static_cast<std::uint32_t>(domeListSize - k)));
    int place = 0;
    for (; place < k && drawn[place] <= trainer; ++place) ++trainer;  // pass over the drawn ones
    for (int m = k; m > place; --m) drawn[m] = drawn[m - 1];
    drawn[place] = trainer;
    set |= std::uint64_t{1} << trainer;
  }
  return set;
}

// Follows the matches of consecutive positions: a match completes a range once the slack
// positions before it matched too. A negative slack completes none.
class DomeMatchRun {
 public:
  explicit DomeMatchRun(int slack) : slack_(slack) {}

  // The next position, in ascending order; returns whether it completes a range (the
  // positions from this one minus the slack to this one).
  bool completes(bool match) {
    if (!match) {
      run_ = 0;
      return false;
    }
    if (run_ == slack_) return true;  // the run stays at the slack
    ++run_;
    return false;
  }

 private:
  int slack_;
  int run_ = 0;  // matching positions just before the next one, at most the slack
};

class DomeSearchEvaluator final : public ModeEvaluator {
 public:
  DomeSearchEvaluator(const SearchSettings& settings, const ResultFormatter& formatter);

  std::size_t evaluate(std::span<const SearchCursor> moments, std::span<const InitialSeed> seeds,
                       std::string& out) override;

 private:
  std::size_t evaluateSeed(const SearchCursor& moment, InitialSeed seed, std::string& out);

  const SearchSettings& settings_;
  const ResultFormatter& formatter_;
  bool empty_;
  std::uint64_t wanted_;  // trainer t as bit t
  PidWindow values_;
};

std::size_t domeSearchReference(const SearchSettings& settings, const ResultFormatter& formatter,
                                const SearchCursor& moment, InitialSeed seed, std::string& out);

}  // namespace hanabira
