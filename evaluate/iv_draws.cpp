#include "evaluate/iv_draws.h"

#include "evaluate/position_range.h"

namespace hanabira {
namespace {

int lastOutputRead(const SearchSettings& settings) {
  return settings.ivConsumptionMax + ivDrawLength(settings.roaming) - 1;
}

}  // namespace

IvDraws::IvDraws(const SearchSettings& settings, const KernelSet& kernels, std::size_t maxSeeds)
    : empty_(ivPositions(settings).empty()),
      firstPosition_(settings.ivConsumptionMin),
      lastPosition_(settings.ivConsumptionMax),
      statRows_(settings.roaming ? std::array<int, 6>{1, 2, 3, 6, 4, 5} : std::array<int, 6>{0, 1, 2, 3, 4, 5}),
      kernels_(kernels),
      window_(empty_ ? MtOutputWindow(0, 0) : MtOutputWindow(firstPosition_, lastOutputRead(settings))),
      seedColumn_(static_cast<std::size_t>(window_.size())),
      mtSeeds_(maxSeeds),
      rows_(static_cast<std::size_t>(window_.size()) * maxSeeds) {}

void IvDraws::fill(std::span<const InitialSeed> seeds) {
  count_ = seeds.size();
  for (std::size_t i = 0; i < count_; ++i) mtSeeds_[i] = static_cast<std::uint32_t>(seeds[i] >> 32);
  const int last = window_.first() + window_.size() - 1;
  if (last <= mtKernelLastPosition) {
    kernels_.mtWindow(mtSeeds_.data(), count_, window_.first(), last, rows_.data());
    return;
  }
  // Far positions need every word of several twists: a seed at a time.
  for (std::size_t i = 0; i < count_; ++i) {
    window_.fill(mtSeeds_[i], seedColumn_.data());
    for (std::size_t r = 0; r < seedColumn_.size(); ++r) rows_[r * count_ + i] = seedColumn_[r];
  }
}

RangeFilter ivBoundsFilter(const SearchSettings& settings, const IvDraws& draws) {
  RangeFilter filter;
  for (int k = 0; k < 6; ++k) filter.requireIv(draws.statRows()[k], settings.ivMin[k], settings.ivMax[k]);
  return filter;
}

}  // namespace hanabira
