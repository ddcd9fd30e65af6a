#include "core/kernels.h"

#include <fmt/format.h>

#include "core/kernel_levels.h"
#include "core/sha1.h"

namespace hanabira {

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
  const KernelLevel& level = kernelLevel(isa);
  if (!level.cpuHasFeatures()) {
    std::string levels;
    for (Isa supported : supportedIsas()) levels += fmt::format("{}{}", levels.empty() ? "" : ", ", isaName(supported));
    throw UnsupportedIsaError(fmt::format("this CPU cannot run the {} level; it runs: {}", level.name, levels));
  }
  return level.kernels;
}

const KernelSet& bestKernels() { return kernelsFor(supportedIsas().front()); }

}  // namespace hanabira
