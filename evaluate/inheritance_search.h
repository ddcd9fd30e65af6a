// The search with inheritance: an egg whose six individual values are drawn from the
// individual-value random sequence, after which the personality-value random sequence
// decides its nature and everstone rolls, its ability roll, which three stats it
// inherits from which parent, and its PID (gender, ability slot, optionally shininess).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/boot_moment.h"
#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/search_settings.h"
#include "core/settings_problem.h"
#include "evaluate/egg_rules.h"
#include "evaluate/iv_rules.h"
#include "evaluate/mode_evaluator.h"
#include "evaluate/prefilter.h"
#include "evaluate/result_text.h"

namespace hanabira {

struct InheritanceMatch {
  int ivPosition;
  IvSet drawnIvs;  // before inheritance
  int eggPosition;
  InheritancePicks picks;  // in drawing order
  int genderValue;
  int abilitySlot;
};

// "…,position,H,A,B,C,D,S,seed,egg position,H-先,D-後,S-先,gender value,ability slot"
void appendInheritanceSearchLine(const ResultText& text, std::string& out, const BootMoment& moment, InitialSeed seed,
                                 const InheritanceMatch& match);

void checkInheritanceOptions(const SearchSettings& settings, SettingsCheck& check);
std::optional<Prefilter> inheritanceSearchPrefilter(const SearchSettings& settings);
std::unique_ptr<ModeEvaluator> makeInheritanceSearchEvaluator(const SearchSettings& settings, const ResultText& text,
                                                              const KernelSet& kernels);
std::size_t inheritanceSearchReference(const SearchSettings& settings, const ResultText& text, const BootMoment& moment,
                                       InitialSeed seed, std::string& out);

}  // namespace hanabira
