// The deliveryman search: the deliveryman's creature takes its six individual values
// (the top five bits of six consecutive values), its nature and, in the regional
// distribution, its PID from the personality-value random sequence; the
// individual-value random sequence plays no part.
#pragma once

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

struct DeliverymanMatch {
  int position;  // of the H value
  int nature;
  IvSet ivs;
  HiddenPower hiddenPower;
};

// "…,position,nature name,H,A,B,C,D,S,type name,power,seed"
void appendDeliverymanSearchLine(const ResultText& text, std::string& out, const BootMoment& moment, InitialSeed seed,
                                 const DeliverymanMatch& match);

void checkDeliverymanOptions(const SearchSettings& settings, SettingsCheck& check);
std::optional<Prefilter> deliverymanSearchPrefilter(const SearchSettings& settings);
std::unique_ptr<ModeEvaluator> makeDeliverymanSearchEvaluator(const SearchSettings& settings, const ResultText& text,
                                                              const KernelSet& kernels);
std::size_t deliverymanSearchReference(const SearchSettings& settings, const ResultText& text, const BootMoment& moment,
                                       InitialSeed seed, std::string& out);

}  // namespace hanabira
