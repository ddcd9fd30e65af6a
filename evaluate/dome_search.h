// The dome search: at a position i of the personality-value random sequence the game
// draws six trainers out of its list of 52 without replacement; a position matches when
// every trainer the user asks for is among them. A match is reported as a range of
// positions that all match, so that a real position off by up to the slack still does.
#pragma once

#include <array>
#include <cstdint>

#include <memory>
#include <span>
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

// The positions that end a line: those from `slack` on at which the seeds' draws match
// and did at each of the slack positions before. `matches` holds, by position, the
// matching seeds as the draw kernel writes them (four words of 64). Writes one RangeHit
// per such position with any seed, in ascending order, and returns how many; a negative
// slack ends none.
std::size_t domeLineEnds(std::span<const std::uint64_t> matches, int slack, RangeHit* ends);

// Every position from lower to upper matches.
struct DomeMatch {
  int lowerPosition;
  int upperPosition;
};

// "…,lower position,upper position,seed"
void appendDomeSearchLine(const ResultText& text, std::string& out, const BootMoment& moment, InitialSeed seed,
                          const DomeMatch& match);

void checkDomeOptions(const SearchSettings& settings, SettingsCheck& check);
std::unique_ptr<ModeEvaluator> makeDomeSearchEvaluator(const SearchSettings& settings, const ResultText& text,
                                                       const KernelSet& kernels);
std::size_t domeSearchReference(const SearchSettings& settings, const ResultText& text, const BootMoment& moment,
                                InitialSeed seed, std::string& out);

}  // namespace hanabira
