// The instruction-set levels the fast paths come in, and which of them this CPU runs.
// The levels, their names and what each needs of the CPU are the table in
// core/kernel_levels.h.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace hanabira {

// Only the levels compiled for the target architecture exist.
enum class Isa {
  Scalar,  // plain C++: runs everywhere
#ifdef HANABIRA_X86_64_LEVELS
  Avx2,    // 8 lanes of 32 bits
  Avx512,  // 16 lanes of 32 bits (AVX-512 F, BW, DQ and VL)
#endif
};

std::string_view isaName(Isa isa);                   // "scalar", "avx2", "avx512"
std::optional<Isa> parseIsa(std::string_view name);  // the names above

// True when the CPU has the instructions and the operating system saves the registers.
bool cpuSupports(Isa isa);

// The levels this CPU runs, best first; scalar is always among them.
std::vector<Isa> supportedIsas();

}  // namespace hanabira
