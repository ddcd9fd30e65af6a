// Stage one of the two-stage plan: every MT19937 seed of a space through a mode's
// prefilter, on every thread, into the set of those that pass somewhere.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/kernels.h"
#include "engine/mt_seed_set.h"
#include "engine/mt_seed_space.h"
#include "evaluate/prefilter.h"

namespace hanabira {

struct PassingSeeds {
  enum class Outcome {
    Found,
    Cancelled,
    TooMany,  // more seeds pass than the set holds (`capacity`)
  };
  Outcome outcome;
  std::unique_ptr<MtSeedSet> seeds;  // sealed; when found
};

// `scanned(seeds)` reports the seeds done so far, on the calling thread, one call at a
// time. An exception on any thread stops every thread and is rethrown here.
PassingSeeds findPassingSeeds(const Prefilter& prefilter, const KernelSet& kernels, const MtSeedSpace& space,
                              unsigned threads, const std::atomic<bool>* cancel,
                              const std::function<void(std::uint64_t seeds)>& scanned,
                              std::uint64_t capacity = MtSeedSet::maxSeeds);

}  // namespace hanabira
