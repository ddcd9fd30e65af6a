// The kernels of each level, each defined at the end of its kernels_<level>.cpp and
// listed in the table of levels (core/kernel_levels.cpp). Internal.
#pragma once

#include "core/kernels.h"

namespace hanabira {

extern const KernelSet scalarKernels;
#ifdef HANABIRA_X86_64_LEVELS
extern const KernelSet avx2Kernels;
extern const KernelSet avx512Kernels;
#endif
#ifdef HANABIRA_WASM_LEVELS
extern const KernelSet wasm128Kernels;
#endif

}  // namespace hanabira
