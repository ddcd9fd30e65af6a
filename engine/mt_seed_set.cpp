#include "engine/mt_seed_set.h"

#include <bit>
#include <limits>
#include <new>

namespace hanabira {
namespace {

// Where size_t is 32 bits (the browser), a set beyond the address space is out of
// memory, never a smaller one.
std::size_t lowsSize(std::uint64_t capacity) {
  if (capacity > std::numeric_limits<std::size_t>::max() / sizeof(std::uint16_t)) throw std::bad_alloc();
  return static_cast<std::size_t>(capacity);
}

}  // namespace

MtSeedSet::MtSeedSet(std::uint64_t capacity)
    : capacity_(capacity), lows_(new std::uint16_t[lowsSize(capacity)]), buckets_(bucketCount) {}

bool MtSeedSet::fillBucket(std::uint32_t bucket, std::span<const std::uint16_t> lows) {
  if (lows.empty()) return true;
  std::uint64_t begin = used_.load(std::memory_order_relaxed);
  do {
    if (begin + lows.size() > capacity_) return false;
  } while (!used_.compare_exchange_weak(begin, begin + lows.size(), std::memory_order_relaxed));
  std::copy(lows.begin(), lows.end(), lows_.get() + begin);
  buckets_[bucket] = {static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(lows.size())};
  return true;
}

void MtSeedSet::seal() {
  // About one slot in sixteen taken, from 2^16 slots (8 KiB) to 2^26 (8 MiB).
  const int slotBits = std::clamp(static_cast<int>(std::bit_width(size() * 16)), 16, maxSlotBits);
  slotShift_ = 32 - slotBits;
  occupied_.assign(std::size_t{1} << (slotBits - 6), 0);
  for (std::uint32_t bucket = 0; bucket < bucketCount; ++bucket) {
    const Bucket& b = buckets_[bucket];
    for (std::uint32_t i = b.begin; i < b.begin + b.count; ++i) {
      const std::uint32_t slot = (bucket << 16 | lows_[i]) >> slotShift_;
      occupied_[slot / 64] |= std::uint64_t{1} << (slot % 64);
    }
  }
}

}  // namespace hanabira
