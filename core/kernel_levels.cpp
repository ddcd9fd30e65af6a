#include "core/kernel_levels.h"

#include <stdexcept>

#include "core/kernels/kernel_sets.h"

namespace hanabira {
namespace {

#ifdef HANABIRA_X86_64_LEVELS
// __builtin_cpu_supports reports AVX features only when the operating system has
// enabled saving the wide registers (XCR0), so no separate XGETBV test is needed.
bool hasAvx2() { return __builtin_cpu_supports("avx2") != 0; }

bool hasAvx512() {
  return __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512bw") != 0 &&
         __builtin_cpu_supports("avx512dq") != 0 && __builtin_cpu_supports("avx512vl") != 0;
}
#endif

bool always() { return true; }

constexpr KernelLevel levels[] = {
#ifdef HANABIRA_X86_64_LEVELS
    {"avx512", "AVX-512 F, BW, DQ and VL", hasAvx512, avx512Kernels},
    {"avx2", "AVX2", hasAvx2, avx2Kernels},
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

}  // namespace hanabira
