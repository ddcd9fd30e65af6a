// The part of the personality-value random sequence that a search reads, for one seed.
// Element k of the sequence is the upper half of the LCG state after k steps from the
// initial seed. A mode reads a range of positions from some `first` on; the span
// reaches `first` with one jump instead of `first` steps and computes the values from
// there as far as asked.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/lcg64.h"

namespace hanabira {

class PidSpan {
 public:
  // fill() computes positions first to first + length - 1; 0 <= first.
  PidSpan(std::int64_t first, std::size_t length);

  std::int64_t first() const { return first_; }
  // One past the last position computed for the current seed.
  std::int64_t end() const { return first_ + static_cast<std::int64_t>(computed_); }

  void fill(std::uint64_t seed) {
    std::uint64_t state = toFirst_.apply(seed);
    std::uint32_t* out = values_.data();
    for (std::size_t k = 0; k < length_; ++k) {
      out[k] = Lcg64::output(state);
      state = Lcg64::step(state);
    }
    computed_ = length_;
    nextState_ = state;
  }

  // first() <= position < end().
  std::uint32_t operator[](std::int64_t position) const {
    assert(position >= first_ && position < end());
    return values_[static_cast<std::size_t>(position - first_)];
  }
  // The values from first() on.
  const std::uint32_t* data() const { return values_.data(); }

  // Computes the positions up to `last` as well. The storage grows (rarely, by doubling)
  // when a seed needs more than any before it.
  void reach(std::int64_t last) {
    if (last >= end()) extend(last);
  }

 private:
  void extend(std::int64_t last);

  std::int64_t first_;
  std::size_t length_;
  Lcg64::Jump toFirst_;
  std::vector<std::uint32_t> values_;
  std::size_t computed_ = 0;
  std::uint64_t nextState_ = 0;
};

}  // namespace hanabira
