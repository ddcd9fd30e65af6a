#include "core/cpu_features.h"

namespace hanabira {

std::string_view isaName(Isa isa) {
  switch (isa) {
    case Isa::Scalar:
      return "scalar";
    case Isa::Avx2:
      return "avx2";
    case Isa::Avx512:
      return "avx512";
  }
  return "?";
}

std::optional<Isa> parseIsa(std::string_view name) {
  for (Isa isa : {Isa::Scalar, Isa::Avx2, Isa::Avx512}) {
    if (name == isaName(isa)) return isa;
  }
  return std::nullopt;
}

bool cpuSupports(Isa isa) {
  // __builtin_cpu_supports reports AVX features only when the operating system has
  // enabled saving the wide registers (XCR0), so no separate XGETBV test is needed.
  switch (isa) {
    case Isa::Scalar:
      return true;
    case Isa::Avx2:
      return __builtin_cpu_supports("avx2") != 0;
    case Isa::Avx512:
      return __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512bw") != 0 &&
             __builtin_cpu_supports("avx512dq") != 0 && __builtin_cpu_supports("avx512vl") != 0;
  }
  return false;
}

std::vector<Isa> supportedIsas() {
  std::vector<Isa> levels;
  for (Isa isa : {Isa::Avx512, Isa::Avx2, Isa::Scalar}) {
    if (cpuSupports(isa)) levels.push_back(isa);
  }
  return levels;
}

}  // namespace hanabira
