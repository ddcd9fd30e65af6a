#include "core/mt19937.h"

namespace hanabira {

Mt19937::Mt19937(std::uint32_t seed) : state_{}, index_(stateSize) {
  state_[0] = seed;
  for (int i = 1; i < stateSize; ++i) state_[i] = seedWord(state_[i - 1], static_cast<std::uint32_t>(i));
}

void Mt19937::twist() {
  // In place and in ascending order: words from 227 on read words that this pass has
  // already rewritten, and word 623 reads the new word 0.
  for (int k = 0; k < stateSize; ++k) {
    state_[k] = twistWord(state_[k], state_[(k + 1) % stateSize], state_[(k + shift) % stateSize]);
  }
  index_ = 0;
}

std::uint32_t Mt19937::next() {
  if (index_ == stateSize) twist();
  return temper(state_[index_++]);
}

}  // namespace hanabira
