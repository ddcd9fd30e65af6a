#include "engine/mt_seed_space.h"

#include <algorithm>

namespace hanabira {
namespace {

constexpr std::uint64_t bucketSeeds = 1 << 16;

}  // namespace

MtSeedSpace::MtSeedSpace() : MtSeedSpace(std::vector<MtSeedRange>{{0, mtSeedCount}}) {}

const MtSeedSpace& MtSeedSpace::all() {
  static const MtSeedSpace space;
  return space;
}

MtSeedSpace::MtSeedSpace(std::vector<MtSeedRange> ranges) {
  std::sort(ranges.begin(), ranges.end(), [](const MtSeedRange& a, const MtSeedRange& b) { return a.first < b.first; });
  for (MtSeedRange range : ranges) {
    range.end = std::min(range.end, mtSeedCount);
    if (range.first >= range.end) continue;
    if (!ranges_.empty() && range.first <= ranges_.back().end) {
      ranges_.back().end = std::max(ranges_.back().end, range.end);
    } else {
      ranges_.push_back(range);
    }
  }
  for (const MtSeedRange& range : ranges_) {
    ranksBefore_.push_back(size_);
    size_ += range.end - range.first;
    for (std::uint64_t b = range.first / bucketSeeds; b <= (range.end - 1) / bucketSeeds; ++b) {
      if (buckets_.empty() || buckets_.back() != b) buckets_.push_back(static_cast<std::uint32_t>(b));
    }
  }
}

std::vector<MtSeedRange> MtSeedSpace::rangesIn(std::uint32_t bucket) const {
  const std::uint64_t first = bucket * bucketSeeds;
  const std::uint64_t end = first + bucketSeeds;
  std::vector<MtSeedRange> inside;
  // The first range that ends after the bucket's start.
  auto range = std::upper_bound(ranges_.begin(), ranges_.end(), first,
                                [](std::uint64_t seed, const MtSeedRange& r) { return seed < r.end; });
  for (; range != ranges_.end() && range->first < end; ++range) {
    inside.push_back({std::max(range->first, first), std::min(range->end, end)});
  }
  return inside;
}

std::uint32_t MtSeedSpace::at(std::uint64_t rank) const {
  const auto after = std::upper_bound(ranksBefore_.begin(), ranksBefore_.end(), rank);
  const auto index = static_cast<std::size_t>(after - ranksBefore_.begin() - 1);
  return static_cast<std::uint32_t>(ranges_[index].first + (rank - ranksBefore_[index]));
}

}  // namespace hanabira
