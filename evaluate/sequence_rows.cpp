#include "evaluate/sequence_rows.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace hanabira {
namespace {

bool individual(const Prefilter& prefilter) {
  return prefilter.sequence == RandomSequence::Individual && prefilter.rowCount > 0;
}

bool personality(const Prefilter& prefilter) {
  return prefilter.sequence == RandomSequence::Personality && prefilter.rowCount > 0;
}

std::vector<Lcg64::Jump> jumpsFor(const Prefilter& prefilter) {
  std::vector<Lcg64::Jump> jumps;
  if (!personality(prefilter)) return jumps;
  const Lcg64::Jump step = Lcg64::jump(1);
  jumps.push_back(Lcg64::jump(static_cast<std::uint64_t>(prefilter.first)));
  for (int r = 1; r < prefilter.rowCount; ++r) jumps.push_back(jumps.back().then(step));
  return jumps;
}

MtOutputSpan mtSpanFor(const Prefilter& prefilter) {
  if (!individual(prefilter)) return MtOutputSpan(0, 0);
  const auto first = static_cast<int>(prefilter.first);
  return MtOutputSpan(first, first + prefilter.rowCount - 1);
}

}  // namespace

SequenceRows::SequenceRows(const Prefilter& prefilter, const KernelSet& kernels, std::size_t maxSeeds)
    : prefilter_(prefilter),
      kernels_(kernels),
      jumps_(jumpsFor(prefilter)),
      seeds_(personality(prefilter) ? maxSeeds : 0),
      mtSpan_(mtSpanFor(prefilter)),
      mtSeeds_(individual(prefilter) ? maxSeeds : 0),
      seedColumn_(individual(prefilter) ? static_cast<std::size_t>(prefilter.rowCount) : 0),
      mtRows_(individual(prefilter) ? static_cast<std::size_t>(prefilter.rowCount) * maxSeeds : 0) {
  if (!personality(prefilter)) return;
  const RangeFilter& filter = prefilter.filter;
  if (filter.testCount() > maxLcgScanTests) throw std::logic_error("more tests than the LCG scan takes");
  // The kernel starts at the nearest row a test reads: the rows before it are never made.
  scanTests_.assign(filter.tests(), filter.tests() + filter.testCount());
  scanHalves_ = prefilter.halves;
  int nearest = scanHalves_ ? scanHalves_->rowOffset : std::numeric_limits<int>::max();
  for (const RangeTest& test : scanTests_) nearest = std::min(nearest, test.rowOffset);
  if (nearest == std::numeric_limits<int>::max() || nearest >= prefilter.rowCount) nearest = 0;
  for (RangeTest& test : scanTests_) test.rowOffset -= nearest;
  if (scanHalves_) scanHalves_->rowOffset -= nearest;
  scanStart_ = jumps_[static_cast<std::size_t>(nearest)];
  scratch_.resize(lcgScanScratchWords(lcgScan()));
}

LcgScan SequenceRows::lcgScan() const {
  return {prefilter_.positions,
          scanTests_.data(),
          static_cast<int>(scanTests_.size()),
          scanHalves_ ? &*scanHalves_ : nullptr,
          scanStart_.multiplier,
          scanStart_.increment};
}

void SequenceRows::fill(std::span<const InitialSeed> seeds) {
  count_ = seeds.size();
  if (prefilter_.sequence == RandomSequence::Personality) {
    std::copy(seeds.begin(), seeds.end(), seeds_.begin());
  } else {
    fillIndividual(seeds);
  }
}

// MT19937 is seeded with the upper half of each initial seed.
void SequenceRows::fillIndividual(std::span<const InitialSeed> seeds) {
  for (std::size_t i = 0; i < count_; ++i) mtSeeds_[i] = static_cast<std::uint32_t>(seeds[i] >> 32);
  const int last = mtSpan_.first() + mtSpan_.size() - 1;
  if (last <= mtKernelLastPosition) {
    kernels_.mtSpan(mtSeeds_.data(), count_, mtSpan_.first(), last, mtRows_.data());
    return;
  }
  // Far positions need every word of several twists: a seed at a time.
  for (std::size_t i = 0; i < count_; ++i) {
    mtSpan_.fill(mtSeeds_[i], seedColumn_.data());
    for (std::size_t r = 0; r < seedColumn_.size(); ++r) mtRows_[r * count_ + i] = seedColumn_[r];
  }
}

std::size_t SequenceRows::scan(RangeHit* hits) {
  if (prefilter_.sequence == RandomSequence::Personality) {
    return kernels_.scanLcg(seeds_.data(), count_, lcgScan(), scratch_.data(), hits);
  }
  const RangeFilter& filter = prefilter_.filter;
  return kernels_.scanRanges(mtRows_.data(), count_, prefilter_.positions, filter.tests(), filter.testCount(), hits);
}

}  // namespace hanabira
