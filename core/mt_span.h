// The part of the individual-value random sequence that a search reads, computed for
// one seed as cheaply as the generator allows.
#pragma once

#include <cstdint>

namespace hanabira {

class MtOutputSpan {
 public:
  // Positions first to last of the sequence, both inclusive; 0 <= first <= last.
  MtOutputSpan(int first, int last);

  int first() const { return first_; }
  int size() const { return last_ - first_ + 1; }

  // Writes the outputs at positions first to last of the sequence of `seed` to out[0..size()).
  void fill(std::uint32_t seed, std::uint32_t* out) const;

 private:
  int first_;
  int last_;
};

}  // namespace hanabira
