#include "evaluate/seed_hits.h"

#include <algorithm>

namespace hanabira {

void SeedHits::build(const RangeHit* hits, std::size_t hitCount) {
  seeds_[0] = seeds_[1] = seeds_[2] = seeds_[3] = 0;
  for (std::size_t h = 0; h < hitCount; ++h) {
    for (std::size_t w = 0; w < 4; ++w) seeds_[w] |= hits[h].seeds[w];
  }
  // Each seed with hits gets its rank among them (no popcount: baseline x86-64 has none).
  seedCount_ = 0;
  for (std::size_t w = 0; w < 4; ++w) {
    for (std::uint64_t bits = seeds_[w]; bits != 0; bits &= bits - 1) {
      rank_[64 * w + static_cast<std::size_t>(std::countr_zero(bits))] = static_cast<std::uint16_t>(seedCount_++);
    }
  }
  if (seedCount_ == 0) return;
  auto rankOf = [&](std::size_t w, std::uint64_t bits) {
    return rank_[64 * w + static_cast<std::size_t>(std::countr_zero(bits))];
  };

  // A counting sort by seed; the hits come in ascending position, and so stay.
  std::fill_n(start_.begin(), seedCount_ + 1, 0);
  for (std::size_t h = 0; h < hitCount; ++h) {
    for (std::size_t w = 0; w < 4; ++w) {
      for (std::uint64_t bits = hits[h].seeds[w]; bits != 0; bits &= bits - 1) ++start_[rankOf(w, bits) + 1u];
    }
  }
  for (std::size_t rank = 0; rank < seedCount_; ++rank) {
    start_[rank + 1] += start_[rank];
    next_[rank] = start_[rank];
  }
  if (positions_.size() < start_[seedCount_]) positions_.resize(start_[seedCount_]);
  for (std::size_t h = 0; h < hitCount; ++h) {
    for (std::size_t w = 0; w < 4; ++w) {
      for (std::uint64_t bits = hits[h].seeds[w]; bits != 0; bits &= bits - 1) {
        positions_[next_[rankOf(w, bits)]++] = hits[h].position;
      }
    }
  }
}

}  // namespace hanabira
