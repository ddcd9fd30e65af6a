#include "core/pid_rows.h"

#include <algorithm>

namespace hanabira {

PidRows::PidRows(std::int64_t first, std::size_t length, std::size_t maxSeeds, const KernelSet& kernels,
                 std::span<const RangeTest> filter)
    : first_(first),
      length_(length),
      toFirst_(Lcg64::jump(static_cast<std::uint64_t>(first))),
      kernels_(kernels),
      tests_(filter.begin(), filter.end()),
      states_(maxSeeds),
      rows_(length * maxSeeds) {
  for (const RangeTest& test : tests_) {
    const auto same = [&](const ValueRange& range) { return range.low == test.low && range.high == test.high; };
    auto found = std::find_if(ranges_.begin(), ranges_.end(), same);
    if (found == ranges_.end()) {
      ranges_.push_back({test.low, test.high});
      found = ranges_.end() - 1;
    }
    rangeOfTest_.push_back(static_cast<int>(found - ranges_.begin()));
  }
  if (ranges_.size() > static_cast<std::size_t>(maxMaskRanges)) ranges_.clear();  // the scan kernel then
  masks_.resize(ranges_.size() * length_ * 4);
}

void PidRows::fill(std::span<const InitialSeed> seeds) {
  count_ = seeds.size();
  for (std::size_t i = 0; i < count_; ++i) states_[i] = toFirst_.apply(seeds[i]);
  kernels_.lcgOutputs(states_.data(), count_, static_cast<int>(length_), rows_.data(), ranges_.data(),
                      static_cast<int>(ranges_.size()), masks_.data());
}

std::size_t PidRows::scanFilter(int positions, RangeHit* hits) const {
  const int testCount = static_cast<int>(tests_.size());
  if (ranges_.empty() && testCount > 0) {
    return kernels_.scanRanges(rows_.data(), count_, positions, tests_.data(), testCount, hits);
  }
  std::uint64_t allSeeds[4];
  for (std::size_t w = 0; w < 4; ++w) {
    const std::size_t from = 64 * w;
    allSeeds[w] = count_ >= from + 64 ? ~std::uint64_t{0}
                  : count_ > from     ? (std::uint64_t{1} << (count_ - from)) - 1
                                      : 0;
  }
  std::size_t hitCount = 0;
  for (int p = 0; p < positions; ++p) {
    std::uint64_t words[4] = {allSeeds[0], allSeeds[1], allSeeds[2], allSeeds[3]};
    for (int t = 0; t < testCount; ++t) {
      const std::size_t row = static_cast<std::size_t>(p + tests_[t].rowOffset);
      const std::uint64_t* mask = &masks_[(static_cast<std::size_t>(rangeOfTest_[t]) * length_ + row) * 4];
      for (int w = 0; w < 4; ++w) words[w] &= mask[w];
    }
    if ((words[0] | words[1] | words[2] | words[3]) == 0) continue;
    RangeHit& hit = hits[hitCount++];
    hit.position = p;
    for (int w = 0; w < 4; ++w) hit.seeds[w] = words[w];
  }
  return hitCount;
}

}  // namespace hanabira
