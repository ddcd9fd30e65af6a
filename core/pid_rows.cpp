#include "core/pid_rows.h"

namespace hanabira {

PidRows::PidRows(std::int64_t first, std::size_t length, std::size_t maxSeeds, const KernelSet& kernels)
    : first_(first),
      length_(length),
      toFirst_(Lcg64::jump(static_cast<std::uint64_t>(first))),
      kernels_(kernels),
      states_(maxSeeds),
      rows_(length * maxSeeds) {}

void PidRows::fill(std::span<const InitialSeed> seeds) {
  count_ = seeds.size();
  for (std::size_t i = 0; i < count_; ++i) states_[i] = toFirst_.apply(seeds[i]);
  kernels_.lcgOutputs(states_.data(), count_, static_cast<int>(length_), rows_.data());
}

}  // namespace hanabira
