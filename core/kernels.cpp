#include "core/kernels.h"

#include <fmt/format.h>

#include "core/kernels/kernel_levels.h"
#include "core/sha1.h"

namespace hanabira {
namespace {

constexpr KernelSet scalarKernels{Isa::Scalar, 1, computeSeedsScalar, mtWindowScalar, lcgOutputsScalar,
                                  scanRangesScalar};
constexpr KernelSet avx2Kernels{Isa::Avx2, 8, computeSeedsAvx2, mtWindowAvx2, lcgOutputsAvx2, scanRangesAvx2};
constexpr KernelSet avx512Kernels{Isa::Avx512, 16, computeSeedsAvx512, mtWindowAvx512, lcgOutputsAvx512,
                                  scanRangesAvx512};

const KernelSet& kernelsOfLevel(Isa isa) {
  switch (isa) {
    case Isa::Avx512:
      return avx512Kernels;
    case Isa::Avx2:
      return avx2Kernels;
    case Isa::Scalar:
      break;
  }
  return scalarKernels;
}

}  // namespace

SeedDay prepareSeedDay(const BootMessage& words) {
  SeedDay day{};
  for (int t = 0; t < 16; ++t) {
    if (!scheduleVaries(t)) day.schedule[t] = words[t];
  }
  for (int t = 16; t < 80; ++t) {
    if (!scheduleVaries(t)) {
      const std::uint32_t* w = day.schedule;
      day.schedule[t] = detail::rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
    }
  }
  Sha1Digest v = sha1InitialValues;
  for (int t = 0; t < 9; ++t) detail::sha1Round(t, words[t], v);  // W0 to W8 only
  for (int i = 0; i < 5; ++i) day.afterRound8[i] = v[i];
  return day;
}

const KernelSet& kernelsFor(Isa isa) {
  if (!cpuSupports(isa)) {
    std::string levels;
    for (Isa supported : supportedIsas()) levels += fmt::format("{}{}", levels.empty() ? "" : ", ", isaName(supported));
    throw UnsupportedIsaError(fmt::format("this CPU cannot run the {} level; it runs: {}", isaName(isa), levels));
  }
  return kernelsOfLevel(isa);
}

const KernelSet& bestKernels() { return kernelsOfLevel(supportedIsas().front()); }

}  // namespace hanabira
