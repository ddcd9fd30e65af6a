// The search modes, one record each: everything the rest of the program needs to know of
// a mode. A mode lives in a file of its own (its rules, its fast evaluation, its plain
// reference written straight from the game's rules, and its line); adding one is that
// file, an enumerator of SearchMode with its place in selectSearchMode, and a record here.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/boot_moment.h"
#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/search_mode.h"
#include "core/search_settings.h"
#include "core/settings_problem.h"
#include "evaluate/mode_evaluator.h"
#include "evaluate/prefilter.h"
#include "evaluate/result_text.h"

namespace hanabira {

struct SearchModeDefinition {
  SearchMode mode;
  // For the command line, tests and benchmarks: "iv", "shiny", "inheritance", ...
  std::string_view name;
  // The result file's header before the key column (UTF-8), in Japanese and in English.
  std::string_view columns;
  std::string_view englishColumns;
  // The check box that asks for the mode; none for the plain individual-value search,
  // which runs when no other is asked for.
  bool SearchSettings::*flag;
  // The sequences whose positions it reads: a search checks only their ranges.
  bool readsIndividualValues;
  bool readsPersonalityValues;

  // The options that are not among their choices, and combinations the game never makes.
  void (*checkOptions)(const SearchSettings& settings, SettingsCheck& check);
  // The settings are those of a prepared search (checked, pidConsumptionMax lowered) and
  // outlive the evaluator, as do the text and the kernels.
  std::unique_ptr<ModeEvaluator> (*makeEvaluator)(const SearchSettings& settings, const ResultText& text,
                                                  const KernelSet& kernels);
  // One boot moment the plain way; returns the lines appended to `out`.
  std::size_t (*evaluateReference)(const SearchSettings& settings, const ResultText& text, const BootMoment& moment,
                                   InitialSeed seed, std::string& out);
  // The ranges that rule positions out before the exact check, for a backend that scans
  // them itself; none for a mode without such ranges.
  std::optional<Prefilter> (*prefilter)(const SearchSettings& settings);

  constexpr std::string_view columnsIn(ResultLanguage language) const {
    return language == ResultLanguage::English ? englishColumns : columns;
  }
};

// Every mode, in the order of SearchMode.
std::span<const SearchModeDefinition> searchModes();
const SearchModeDefinition& definitionOf(SearchMode mode);

}  // namespace hanabira
