#include "engine/mt_seed_filter.h"

#include <algorithm>

namespace hanabira {

MtSeedFilter::MtSeedFilter(const Prefilter& prefilter, const KernelSet& kernels)
    : rows_(prefilter, kernels, maxScanSeeds), hits_(static_cast<std::size_t>(prefilter.positions)) {}

std::size_t MtSeedFilter::countPassing(std::span<const std::uint32_t> seeds) {
  std::size_t passed = 0;
  for (std::size_t done = 0; done < seeds.size(); done += maxScanSeeds) {
    const std::size_t count = std::min(maxScanSeeds, seeds.size() - done);
    for (std::size_t i = 0; i < count; ++i) seeds_[i] = static_cast<InitialSeed>(seeds[done + i]) << 32;
    for (const std::uint64_t bits : passing(count)) passed += static_cast<std::size_t>(std::popcount(bits));
  }
  return passed;
}

std::array<std::uint64_t, 4> MtSeedFilter::passing(std::size_t count) {
  std::array<std::uint64_t, 4> passed{};
  if (rows_.prefilter().findsNothing()) return passed;
  rows_.fill(std::span(seeds_.data(), count));
  const std::size_t hitCount = rows_.scan(hits_.data());
  for (std::size_t h = 0; h < hitCount; ++h) {
    for (std::size_t w = 0; w < 4; ++w) passed[w] |= hits_[h].seeds[w];
  }
  return passed;
}

}  // namespace hanabira
