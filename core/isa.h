// The instruction-set levels the fast paths come in. The levels, their names, what each
// needs of the CPU and which of them this CPU runs are the table in core/kernel_levels.h.
#pragma once

namespace hanabira {

// Only the levels compiled for the target architecture exist.
enum class Isa {
  Scalar,  // plain C++: runs everywhere
#ifdef HANABIRA_X86_64_LEVELS
  Avx2,    // 8 lanes of 32 bits
  Avx512,  // 16 lanes of 32 bits (AVX-512 F, BW, DQ and VL)
#endif
#ifdef HANABIRA_WASM_LEVELS
  WasmSimd128,  // 4 lanes of 32 bits
#endif
};

}  // namespace hanabira
