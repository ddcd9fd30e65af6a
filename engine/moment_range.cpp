#include "engine/moment_range.h"

#include <algorithm>

namespace hanabira {

MomentRange MomentRange::within(std::uint64_t moments) const {
  const std::uint64_t clippedFirst = std::min(first, moments);
  return {clippedFirst, std::clamp(end, clippedFirst, moments)};
}

MomentRange shardRange(std::uint64_t moments, std::uint32_t index, std::uint32_t count) {
  // The first `moments % count` shards take one moment more; no product can overflow.
  const std::uint64_t base = moments / count;
  const std::uint64_t larger = moments % count;
  auto start = [&](std::uint64_t shard) { return shard * base + std::min(shard, larger); };
  return {start(index - 1), start(index)};
}

}  // namespace hanabira
