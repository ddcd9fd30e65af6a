// How a search runs. Direct: every boot moment's seed through the whole evaluation of its
// mode. Two-stage, for the modes that read the individual-value sequence: the MT19937
// seed is only the upper half of the initial seed, so stage one runs all 2^32 of them
// through the mode's prefilter once, and stage two hashes the boot moments and evaluates
// only those whose MT seed passed. Stage one costs as much as 2^32 moments of the direct
// plan, stage two a fraction of a moment each: long searches with strict filters gain.
// Both plans write the same bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/mt_seed_space.h"
#include "evaluate/prefilter.h"

namespace hanabira {

struct PreparedSearch;

enum class SearchPlan { Direct, TwoStage };

std::string_view planName(SearchPlan plan);  // "direct", "two-stage"
std::optional<SearchPlan> parsePlan(std::string_view name);

// The prefilter stage one runs: the mode's, when it reads the individual-value sequence
// and may pass something; none when the two-stage plan does not apply.
std::optional<Prefilter> stageOnePrefilter(const PreparedSearch& search);

// The estimated work of each plan, in nanoseconds of one thread.
struct PlanCosts {
  double direct;
  double stageOne;
  double stageTwo;

  double twoStage() const { return stageOne + stageTwo; }
};

// For `moments` boot moments, a stage one of `mtSeeds` seeds through `prefilter` (on the
// individual-value sequence), of which the share `passRate` passes.
PlanCosts estimatePlanCosts(std::uint64_t moments, std::uint64_t mtSeeds, const Prefilter& prefilter, double passRate);

// The share of the seeds of `space` that pass `prefilter`, from a sample spread over it.
double samplePassRate(const Prefilter& prefilter, const KernelSet& kernels, const MtSeedSpace& space);

struct PlanChoice {
  SearchPlan plan = SearchPlan::Direct;
  // Of the two-stage plan's work, stage one's estimated share (for progress).
  double stageOneShare = 0;
};

// The plan for `moments` boot moments of `search`: `requested`, or the cheaper one. The
// two-stage plan needs a stage-one prefilter, and a sampled pass rate whose set fits in
// memory unless it was asked for.
PlanChoice choosePlan(const PreparedSearch& search, std::uint64_t moments, const MtSeedSpace& space,
                      std::optional<SearchPlan> requested);

}  // namespace hanabira
