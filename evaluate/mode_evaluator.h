// What a search does with the initial seeds of its boot moments: the evaluation of the
// active mode, which turns every match into a line of the result file.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>

#include "core/boot_moment.h"
#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/moment_batch.h"
#include "core/search_settings.h"
#include "evaluate/result_format.h"

namespace hanabira {

// The most seeds one call of ModeEvaluator::evaluate takes.
inline constexpr std::size_t maxEvaluationBatch = maxScanSeeds;

// The fast evaluation of the active mode, prepared once per search. An instance keeps
// scratch space, so each worker thread owns one.
class ModeEvaluator {
 public:
  virtual ~ModeEvaluator() = default;

  // Appends the line of every match of moments[i] with seeds[i], in order (moments, then
  // positions ascending), to out; returns the number of lines appended. At most
  // maxEvaluationBatch seeds.
  virtual std::size_t evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, std::string& out) = 0;
};

// The evaluation of the formatter's mode with the given kernels. The settings are those
// of a prepared search (checked, pidConsumptionMax lowered to its limit) and must outlive
// the evaluator.
std::unique_ptr<ModeEvaluator> makeModeEvaluator(const SearchSettings& settings, const ResultFormatter& formatter,
                                                 const KernelSet& kernels);

// The plain evaluation of one boot moment, written straight from the game's rules; the
// reference that the fast evaluations are tested against.
std::size_t evaluateReference(const SearchSettings& settings, const ResultFormatter& formatter,
                              const SearchCursor& moment, InitialSeed seed, std::string& out);

}  // namespace hanabira
