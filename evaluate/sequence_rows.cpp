#include "evaluate/sequence_rows.h"

namespace hanabira {
namespace {

bool individual(const Prefilter& prefilter) {
  return prefilter.sequence == RandomSequence::Individual && prefilter.rowCount > 0;
}

PidRows pidRowsFor(const Prefilter& prefilter, const KernelSet& kernels, std::size_t maxSeeds) {
  if (prefilter.sequence != RandomSequence::Personality || prefilter.rowCount == 0) {
    return PidRows(0, 0, 0, kernels);
  }
  const RangeFilter& filter = prefilter.filter;
  return PidRows(prefilter.first, static_cast<std::size_t>(prefilter.rowCount), maxSeeds, kernels,
                 std::span(filter.tests(), static_cast<std::size_t>(filter.testCount())));
}

MtOutputWindow mtWindowFor(const Prefilter& prefilter) {
  if (!individual(prefilter)) return MtOutputWindow(0, 0);
  const auto first = static_cast<int>(prefilter.first);
  return MtOutputWindow(first, first + prefilter.rowCount - 1);
}

}  // namespace

SequenceRows::SequenceRows(const Prefilter& prefilter, const KernelSet& kernels, std::size_t maxSeeds)
    : prefilter_(prefilter),
      kernels_(kernels),
      pidRows_(pidRowsFor(prefilter, kernels, maxSeeds)),
      mtWindow_(mtWindowFor(prefilter)),
      mtSeeds_(individual(prefilter) ? maxSeeds : 0),
      seedColumn_(individual(prefilter) ? static_cast<std::size_t>(prefilter.rowCount) : 0),
      mtRows_(individual(prefilter) ? static_cast<std::size_t>(prefilter.rowCount) * maxSeeds : 0) {}

void SequenceRows::fill(std::span<const InitialSeed> seeds) {
  count_ = seeds.size();
  if (prefilter_.sequence == RandomSequence::Personality) {
    pidRows_.fill(seeds);
  } else {
    fillIndividual(seeds);
  }
}

// MT19937 is seeded with the upper half of each initial seed.
void SequenceRows::fillIndividual(std::span<const InitialSeed> seeds) {
  for (std::size_t i = 0; i < count_; ++i) mtSeeds_[i] = static_cast<std::uint32_t>(seeds[i] >> 32);
  const int last = mtWindow_.first() + mtWindow_.size() - 1;
  if (last <= mtKernelLastPosition) {
    kernels_.mtWindow(mtSeeds_.data(), count_, mtWindow_.first(), last, mtRows_.data());
    return;
  }
  // Far positions need every word of several twists: a seed at a time.
  for (std::size_t i = 0; i < count_; ++i) {
    mtWindow_.fill(mtSeeds_[i], seedColumn_.data());
    for (std::size_t r = 0; r < seedColumn_.size(); ++r) mtRows_[r * count_ + i] = seedColumn_[r];
  }
}

std::size_t SequenceRows::scan(RangeHit* hits) const {
  if (prefilter_.sequence == RandomSequence::Personality) return pidRows_.scanFilter(prefilter_.positions, hits);
  const RangeFilter& filter = prefilter_.filter;
  return kernels_.scanRanges(mtRows_.data(), count_, prefilter_.positions, filter.tests(), filter.testCount(), hits);
}

}  // namespace hanabira
