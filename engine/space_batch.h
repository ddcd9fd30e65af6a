// A batch of consecutive moments of one block (date, VCount, Timer0) of a search's space.
#pragma once

#include <cstddef>

#include "core/moment_batch.h"
#include "engine/boot_moment_space.h"

namespace hanabira {

class SpaceBatch final : public MomentBatch {
 public:
  // `count` consecutive moments of `space` from `first` on, all of the block of `block`
  // (whose date, weekday, VCount and Timer0 are set).
  SpaceBatch(const BootMomentSpace& space, const BootMoment& block, BootMomentSpace::Coordinates first,
             std::size_t count)
      : space_(space), block_(block), first_(first), size_(count) {}

  std::size_t size() const override { return size_; }

  BootMoment operator[](std::size_t i) const override {
    const auto masks = static_cast<std::size_t>(space_.masksPerTime());
    const std::size_t mask = static_cast<std::size_t>(first_.mask) + i;
    const BootMomentSpace::TimeOfDay time = space_.timeAt(first_.time + static_cast<int>(mask / masks));
    BootMoment moment = block_;
    moment.hour = time.hour;
    moment.minute = time.minute;
    moment.second = time.second;
    moment.keyMask = space_.keyMaskAt(static_cast<int>(mask % masks));
    return moment;
  }

 private:
  const BootMomentSpace& space_;
  BootMoment block_;
  BootMomentSpace::Coordinates first_;
  std::size_t size_;
};

}  // namespace hanabira
