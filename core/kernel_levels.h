// The table of kernel levels this build has, best first: for each, what it needs of the
// CPU and its kernels. Detection, the names that --isa takes, the tests and the
// benchmarks all go through it; a level compiled only for another architecture is not
// in it at all.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/kernels.h"

namespace hanabira {

struct KernelLevel {
  std::string_view name;      // as --isa takes it and messages write it
  std::string_view cpuNeeds;  // the CPU features it needs, for messages
  bool (*cpuHasFeatures)();   // and the operating system saves the registers they use
  const KernelSet& kernels;   // with its Isa and lane count

  Isa isa() const { return kernels.isa; }
};

// Best first; the last is scalar, which every CPU runs.
std::span<const KernelLevel> kernelLevels();
const KernelLevel& kernelLevel(Isa isa);

std::string_view isaName(Isa isa);                   // "scalar", "avx2", "avx512", "wasm-simd128"
std::optional<Isa> parseIsa(std::string_view name);  // the names above

// True when the CPU has the level's instructions and the operating system saves the
// registers they use.
bool cpuSupports(Isa isa);

// The levels this CPU runs, best first; scalar is always among them.
std::vector<Isa> supportedIsas();

}  // namespace hanabira
