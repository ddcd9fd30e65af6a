// The shiny personality-value search: six individual values that pass the filters, drawn
// from the individual-value random sequence, and a shiny PID for the trainer's IDs from
// a position of the personality-value random sequence, for a hatched, roaming or
// stationary encounter.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/boot_moment.h"
#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/search_settings.h"
#include "core/settings_problem.h"
#include "evaluate/iv_rules.h"
#include "evaluate/mode_evaluator.h"
#include "evaluate/prefilter.h"
#include "evaluate/result_text.h"

namespace hanabira {

struct ShinyPidMatch {
  int ivPosition;
  IvSet ivs;
  HiddenPower hiddenPower;
  int pidPosition;       // of the value that gives the PID
  std::uint32_t random;  // that value
  std::uint32_t pid;
};

void appendShinyPidSearchLine(const ResultText& text, std::string& out, const BootMoment& moment, InitialSeed seed,
                              const ShinyPidMatch& match);

void checkShinyPidOptions(const SearchSettings& settings, SettingsCheck& check);
std::optional<Prefilter> shinyPidSearchPrefilter(const SearchSettings& settings);
std::unique_ptr<ModeEvaluator> makeShinyPidSearchEvaluator(const SearchSettings& settings, const ResultText& text,
                                                           const KernelSet& kernels);
std::size_t shinyPidSearchReference(const SearchSettings& settings, const ResultText& text, const BootMoment& moment,
                                    InitialSeed seed, std::string& out);

}  // namespace hanabira
