// The search modes, one record each: the one place a mode is described, and everything
// the rest of the program needs to know of it. The settings files, the window, the
// settings checks and their warnings, calibration, the engine, the tests, the fuzz
// harness and the benchmarks go through the table. A mode lives in a file of its own
// (its rules, its fast evaluation, its plain reference written straight from the game's
// rules, and its line); the README's "Adding a search mode" lists what else a new one
// needs: its enumerator of SearchMode, its settings fields, its row here, and in the
// window its check box and its dialog.
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

// What the settings checks warn of for a mode, beyond what they warn of for every search.
struct ModeWarnings {
  bool ivBounds = false;                // ivMin, ivMax or hiddenPowerMinPower past the values there are
  bool firstGamesRules = false;         // with a sequel: the mode follows Black and White's rules alone
  bool stationaryIdCorrection = false;  // a stationary encounter without the ID correction
};

struct SearchModeDefinition {
  SearchMode mode;
  // For the command line, tests and benchmarks: "iv", "shiny", "inheritance", ...
  std::string_view name;
  // The check box that asks for the mode, and its key in settings files; none for the
  // plain individual-value search, which runs when no other is asked for. Calibration
  // clears every one of them. Of several asked for, the one of the latest row runs.
  std::string_view settingsKey = {};
  bool SearchSettings::*flag = nullptr;
  // The result file's header before the key column (UTF-8), in Japanese and in English.
  std::string_view columns;
  std::string_view englishColumns;
  // The sequences whose positions it reads: a search checks only their ranges.
  bool readsIndividualValues = false;
  bool readsPersonalityValues = false;
  // A setting by which the mode reads that many personality values past each position;
  // the plain reference steps there one value at a time.
  int SearchSettings::*readsAhead = nullptr;
  ModeWarnings warnings = {};
  // What a player sees of an outcome that the mode tests: the option that asks for a
  // nature (k + 1 for nature k, 0 for any) and the flag that asks for a shiny one; null
  // where the mode has none. The boots around a hit show every outcome with both off; an
  // observation turns them on.
  int SearchSettings::*natureTest = nullptr;
  bool SearchSettings::*shinyTest = nullptr;

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
  // them itself (a device runs only the modes that have them); null for a mode without
  // such ranges.
  std::optional<Prefilter> (*prefilter)(const SearchSettings& settings);

  constexpr std::string_view columnsIn(ResultLanguage language) const {
    return language == ResultLanguage::English ? englishColumns : columns;
  }
};

// Every mode, in the order of SearchMode: the plain individual-value search first, then
// the others by rising precedence.
std::span<const SearchModeDefinition> searchModes();
const SearchModeDefinition& definitionOf(SearchMode mode);

// The mode the settings ask for: the latest row whose flag is set, or the first row.
const SearchModeDefinition& selectedMode(const SearchSettings& settings);
inline SearchMode selectSearchMode(const SearchSettings& settings) { return selectedMode(settings).mode; }

}  // namespace hanabira
