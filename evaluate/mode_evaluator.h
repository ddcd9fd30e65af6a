// What a search does with the initial seeds of its boot moments: the evaluation of the
// active mode, which turns every match into a line of the result file.
#pragma once

#include <cstddef>
#include <span>

#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/moment_batch.h"
#include "evaluate/line_output.h"

namespace hanabira {

// The most seeds one call of ModeEvaluator::evaluate takes.
inline constexpr std::size_t maxEvaluationBatch = maxScanSeeds;

// The fast evaluation of a mode, prepared once per search. An instance keeps scratch
// space, so each worker thread owns one.
class ModeEvaluator {
 public:
  virtual ~ModeEvaluator() = default;

  // Appends the line of every match of moments[i] with seeds[i], in order (moments, then
  // positions ascending), to out. At most maxEvaluationBatch seeds.
  virtual void evaluate(const MomentBatch& moments, std::span<const InitialSeed> seeds, LineOutput& out) = 0;
};

}  // namespace hanabira
