// Ranges of a search's boot moments by their numbers in the search's space, and the
// shards of a search: the K-th of N contiguous ranges, balanced by count. Shards depend
// only on how many moments a search holds, never on how its space is laid out, so that
// every machine cuts a search alike.
#pragma once

#include <cstdint>
#include <limits>

namespace hanabira {

// Moments [first, end). The default holds every moment of any search.
struct MomentRange {
  std::uint64_t first = 0;
  std::uint64_t end = std::numeric_limits<std::uint64_t>::max();

  std::uint64_t size() const { return end > first ? end - first : 0; }
  // The part of the range inside a search of `moments` moments.
  MomentRange within(std::uint64_t moments) const;
  bool operator==(const MomentRange&) const = default;
};

// Shard `index` (1 to `count`) of a search of `moments` moments. Shard sizes differ by one
// at most, the larger ones first; with more shards than moments the last ones are empty.
MomentRange shardRange(std::uint64_t moments, std::uint32_t index, std::uint32_t count);

}  // namespace hanabira
