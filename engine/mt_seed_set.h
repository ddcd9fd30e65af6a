// A set of 32-bit MT19937 seeds in bounded memory: the seeds sorted by their upper 16 bits
// into buckets, each bucket its seeds' low halves in ascending order, two bytes a seed. A
// bitmap of the seeds' upper bits, about sixteen bits for every seed, answers most lookups
// of seeds that are not members without reaching the buckets; for a small set it stays in
// the first-level cache.
//
// It is filled a bucket at a time, from any number of threads (each bucket once), then
// sealed; from then on it is read-only and any thread may look seeds up.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace hanabira {

class MtSeedSet {
 public:
  // The most memory the set may take, bitmap and buckets included; a set that needs more
  // is not built.
  static constexpr std::size_t maxBytes = std::size_t{256} << 20;
  static constexpr std::uint32_t bucketCount = 1 << 16;
  static constexpr int maxSlotBits = 26;
  static constexpr std::uint64_t maxSeeds =
      (maxBytes - (std::size_t{1} << maxSlotBits) / 8 - bucketCount * 8) / sizeof(std::uint16_t);

  explicit MtSeedSet(std::uint64_t capacity = maxSeeds);

  // Stores the seeds (bucket << 16 | low) for every low of `lows`, ascending. Returns
  // false, storing nothing, when the set would pass its capacity.
  bool fillBucket(std::uint32_t bucket, std::span<const std::uint16_t> lows);
  // Call after the last fillBucket, before the first contains.
  void seal();

  // False for most seeds that are not members, true for every member.
  bool mayContain(std::uint32_t seed) const {
    const std::uint32_t slot = seed >> slotShift_;
    return (occupied_[slot / 64] >> (slot % 64) & 1) != 0;
  }

  bool contains(std::uint32_t seed) const {
    if (!mayContain(seed)) return false;
    const Bucket& b = buckets_[seed >> 16];
    const std::uint16_t* first = lows_.get() + b.begin;
    return std::binary_search(first, first + b.count, static_cast<std::uint16_t>(seed));
  }

  std::uint64_t size() const { return used_.load(std::memory_order_relaxed); }

 private:
  struct Bucket {
    std::uint32_t begin = 0;
    std::uint32_t count = 0;
  };

  std::uint64_t capacity_;
  // Reserved at capacity: only the pages written become resident.
  std::unique_ptr<std::uint16_t[]> lows_;
  std::atomic<std::uint64_t> used_{0};
  std::vector<Bucket> buckets_;
  // Bit s: a seed whose upper bits are s is a member; as many slots as seal() finds worth it.
  std::vector<std::uint64_t> occupied_;
  int slotShift_ = 0;
};

}  // namespace hanabira
