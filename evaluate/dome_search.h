// The dome search: at a position i of the personality-value random sequence the game
// draws six trainers out of its list of 52 without replacement; a position matches when
// every trainer the user asks for is among them. A match is reported as a range of
// positions that all match, so that a real position off by up to the slack still does.
#pragma once

#include <array>
#include <cstdint>

#include <memory>
#include <string>

#include "core/boot_moment.h"
#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/search_settings.h"
#include "core/settings_problem.h"
#include "evaluate/iv_rules.h"
#include "evaluate/mode_evaluator.h"
#include "evaluate/result_text.h"

namespace hanabira {

inline constexpr int domeListSize = 52;
inline constexpr int domeDrawCount = 6;

// The distinct trainers a search asks for (at most six).
struct DomeWanted {
  std::array<int, domeDrawCount> trainers{};
  int count = 0;
};

DomeWanted domeWantedTrainers(const SearchSettings& settings);

// Whether the six draws from values[0..5] (R[i] to R[i + 5]) include every wanted trainer.
// Draw k takes entry scaledRandom(values[k], 52 - k) of the list of trainers left, which
// closes up behind it. Only the wanted trainers' places in that list are followed: a
// draw takes a wanted trainer when it hits its place, and moves it one place down when
// it takes an entry before it.
constexpr bool domeDrawsWanted(const std::uint32_t* values, const DomeWanted& wanted) {
  std::array<int, domeDrawCount> place = wanted.trainers;  // a drawn trainer's place becomes -1
  int missing = wanted.count;
  for (int k = 0; k < domeDrawCount; ++k) {
    const auto taken = static_cast<int>(scaledRandom(values[k], static_cast<std::uint32_t>(domeListSize - k)));
    for (int t = 0; t < wanted.count; ++t) {
      if (place[t] == taken) {
        place[t] = -1;
        --missing;
      } else if (place[t] > taken) {
        --place[t];
      }
    }
    if (missing > domeDrawCount - 1 - k) return false;  // more missing than draws left
  }
  return true;
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

// Every position from lower to upper matches.
struct DomeMatch {
  int lowerPosition;
  int upperPosition;
};

// "…,lower position,upper position,seed"
void appendDomeSearchLine(const ResultText& text, std::string& out, const SearchCursor& moment, InitialSeed seed,
                          const DomeMatch& match);

void checkDomeOptions(const SearchSettings& settings, SettingsCheck& check);
std::unique_ptr<ModeEvaluator> makeDomeSearchEvaluator(const SearchSettings& settings, const ResultText& text,
                                                       const KernelSet& kernels);
std::size_t domeSearchReference(const SearchSettings& settings, const ResultText& text, const SearchCursor& moment,
                                InitialSeed seed, std::string& out);

}  // namespace hanabira
