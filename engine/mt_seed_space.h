// The MT19937 seeds that stage one of the two-stage plan runs through a mode's filters:
// every 32-bit seed, or a few ranges of them. A seed left out counts as failing, so a
// search with a narrower space finds only the lines of the moments whose seeds lie in it:
// tests narrow it to the seeds of a small search, which spares them 2^32 seeds.
#pragma once

#include <cstdint>
#include <vector>

namespace hanabira {

// Seeds first to end - 1.
struct MtSeedRange {
  std::uint64_t first;
  std::uint64_t end;
};

inline constexpr std::uint64_t mtSeedCount = std::uint64_t{1} << 32;

class MtSeedSpace {
 public:
  // Every seed.
  MtSeedSpace();
  static const MtSeedSpace& all();
  // The union of `ranges`, cut to the 32-bit seeds.
  explicit MtSeedSpace(std::vector<MtSeedRange> ranges);

  std::uint64_t size() const { return size_; }
  bool isWhole() const { return size_ == mtSeedCount; }

  // The groups of 2^16 seeds (upper halves) that hold any seed of the space, ascending.
  const std::vector<std::uint32_t>& buckets() const { return buckets_; }
  // The space's ranges inside bucket `bucket`, ascending.
  std::vector<MtSeedRange> rangesIn(std::uint32_t bucket) const;

  // The seed of rank `rank` (< size()) in ascending order.
  std::uint32_t at(std::uint64_t rank) const;

 private:
  std::vector<MtSeedRange> ranges_;  // ascending, apart, none empty
  std::vector<std::uint64_t> ranksBefore_;
  std::vector<std::uint32_t> buckets_;
  std::uint64_t size_ = 0;
};

}  // namespace hanabira
