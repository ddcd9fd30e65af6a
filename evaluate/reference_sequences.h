// The two random sequences of a seed computed the plain way, for the reference
// evaluations: the generators stepped one value after the other from the start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/initial_seed.h"
#include "core/lcg64.h"
#include "core/mt19937.h"

namespace hanabira {

// The individual-value random sequence: MT19937 seeded with the upper half of the seed.
inline std::vector<std::uint32_t> plainIvSequence(InitialSeed seed, std::size_t length) {
  Mt19937 generator(static_cast<std::uint32_t>(seed >> 32));
  std::vector<std::uint32_t> sequence(length);
  for (std::uint32_t& output : sequence) output = generator.next();
  return sequence;
}

// The personality-value random sequence: R[k] is the upper half of the LCG state after k
// steps from the seed, computed on first reading.
class PlainPidSequence {
 public:
  explicit PlainPidSequence(InitialSeed seed) : generator_(seed) {}

  std::uint32_t operator[](std::int64_t position) {
    while (static_cast<std::int64_t>(values_.size()) <= position) values_.push_back(generator_.next());
    return values_[static_cast<std::size_t>(position)];
  }

 private:
  Lcg64 generator_;
  std::vector<std::uint32_t> values_;
};

}  // namespace hanabira
