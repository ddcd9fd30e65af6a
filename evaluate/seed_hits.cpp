#include "evaluate/seed_hits.h"

#include <algorithm>
#include <bit>

namespace hanabira {
namespace {

template <class F>
void forEachSeed(const RangeHit& hit, F&& f) {
  for (std::size_t w = 0; w < 4; ++w) {
    for (std::uint64_t bits = hit.seeds[w]; bits != 0; bits &= bits - 1) {
      f(w * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
    }
  }
}

}  // namespace

void SeedHits::build(const RangeHit* hits, std::size_t hitCount, std::size_t seedCount) {
  empty_ = hitCount == 0;
  if (empty_) return;
  // A counting sort by seed; the hits come in ascending position, and so stay.
  std::fill_n(start_.begin(), seedCount + 1, 0);
  for (std::size_t h = 0; h < hitCount; ++h) forEachSeed(hits[h], [&](std::size_t seed) { ++start_[seed + 1]; });
  for (std::size_t seed = 0; seed < seedCount; ++seed) {
    start_[seed + 1] += start_[seed];
    next_[seed] = start_[seed];
  }
  if (positions_.size() < start_[seedCount]) positions_.resize(start_[seedCount]);
  for (std::size_t h = 0; h < hitCount; ++h) {
    forEachSeed(hits[h], [&](std::size_t seed) { positions_[next_[seed]++] = hits[h].position; });
  }
}

}  // namespace hanabira
