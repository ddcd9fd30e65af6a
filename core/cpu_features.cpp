#include "core/cpu_features.h"

namespace hanabira {

#ifdef HANABIRA_X86_64_LEVELS
// __builtin_cpu_supports reports AVX features only when the operating system has
// enabled saving the wide registers (XCR0), so no separate XGETBV test is needed.
bool cpuHasAvx2() { return __builtin_cpu_supports("avx2") != 0; }

bool cpuHasAvx512() {
  return __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512bw") != 0 &&
         __builtin_cpu_supports("avx512dq") != 0 && __builtin_cpu_supports("avx512vl") != 0;
}
#endif

}  // namespace hanabira
