#include "core/kernel_levels.h"

#include <stdexcept>

#include "core/cpu_features.h"
#include "core/kernels/kernel_sets.h"

namespace hanabira {
namespace {

bool always() { return true; }

constexpr KernelLevel levels[] = {
#ifdef HANABIRA_X86_64_LEVELS
    {"avx512", "AVX-512 F, BW, DQ and VL", cpuHasAvx512, avx512Kernels},
    {"avx2", "AVX2", cpuHasAvx2, avx2Kernels},
#endif
#ifdef HANABIRA_WASM_LEVELS
    // A module with SIMD128 instructions loads only where the engine runs them.
    {"wasm-simd128", "WebAssembly SIMD128", always, wasm128Kernels},
#endif
    {"scalar", "nothing beyond the base instruction set", always, scalarKernels},
};

}  // namespace

std::span<const KernelLevel> kernelLevels() { return levels; }

const KernelLevel& kernelLevel(Isa isa) {
  for (const KernelLevel& level : levels) {
    if (level.isa() == isa) return level;
  }
  throw std::logic_error("an Isa without a kernel level");
}

std::string_view isaName(Isa isa) { return kernelLevel(isa).name; }

std::optional<Isa> parseIsa(std::string_view name) {
  for (const KernelLevel& level : levels) {
    if (name == level.name) return level.isa();
  }
  return std::nullopt;
}

bool cpuSupports(Isa isa) { return kernelLevel(isa).cpuHasFeatures(); }

std::vector<Isa> supportedIsas() {
  std::vector<Isa> isas;
  for (const KernelLevel& level : levels) {
    if (level.cpuHasFeatures()) isas.push_back(level.isa());
  }
  return isas;
}

}  // namespace hanabira
