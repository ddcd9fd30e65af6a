// The plain individual-value search: at every position of the configured range, six
// values drawn from the individual-value random sequence that pass the bounds and the
// hidden-power filter make a match.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/boot_moment.h"
#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/search_settings.h"
#include "evaluate/iv_rules.h"
#include "evaluate/mode_evaluator.h"
#include "evaluate/prefilter.h"
#include "evaluate/result_text.h"

namespace hanabira {

struct IvMatch {
  int position;  // in the individual-value random sequence
  IvSet ivs;
  HiddenPower hiddenPower;
};

// "…,position,H,A,B,C,D,S,type name,power,seed"
void appendIvSearchLine(const ResultText& text, std::string& out, const BootMoment& moment, InitialSeed seed,
                        const IvMatch& match);

std::optional<Prefilter> ivSearchPrefilter(const SearchSettings& settings);
std::unique_ptr<ModeEvaluator> makeIvSearchEvaluator(const SearchSettings& settings, const ResultText& text,
                                                     const KernelSet& kernels);
std::size_t ivSearchReference(const SearchSettings& settings, const ResultText& text, const BootMoment& moment,
                              InitialSeed seed, std::string& out);

}  // namespace hanabira
