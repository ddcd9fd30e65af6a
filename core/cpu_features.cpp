#include "core/cpu_features.h"

#include "core/kernel_levels.h"

namespace hanabira {

std::string_view isaName(Isa isa) { return kernelLevel(isa).name; }

std::optional<Isa> parseIsa(std::string_view name) {
  for (const KernelLevel& level : kernelLevels()) {
    if (name == level.name) return level.isa();
  }
  return std::nullopt;
}

bool cpuSupports(Isa isa) { return kernelLevel(isa).cpuHasFeatures(); }

std::vector<Isa> supportedIsas() {
  std::vector<Isa> isas;
  for (const KernelLevel& level : kernelLevels()) {
    if (level.cpuHasFeatures()) isas.push_back(level.isa());
  }
  return isas;
}

}  // namespace hanabira
