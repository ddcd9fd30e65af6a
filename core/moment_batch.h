// The boot moments of one batch, as the evaluations see them: consecutive moments of one
// day of a search's space, whose cursor is worked out only for the few that make a line,
// or a plain list of cursors.
#pragma once

#include <cstddef>
#include <span>

#include "core/boot_moment.h"
#include "core/search_space.h"

namespace hanabira {

class MomentBatch {
 public:
  // A list of moments, one by one.
  MomentBatch(std::span<const SearchCursor> moments) : list_(moments), size_(moments.size()) {}  // NOLINT: implicit

  // `count` consecutive moments of `space` from `first` on, all on the day of `day` (whose
  // date and weekday are set).
  MomentBatch(const BootMomentSpace& space, const SearchCursor& day, BootMomentSpace::Coordinates first,
              std::size_t count)
      : space_(&space), day_(day), first_(first), size_(count) {}

  std::size_t size() const { return size_; }

  SearchCursor operator[](std::size_t i) const {
    if (space_ == nullptr) return list_[i];
    const auto masks = static_cast<std::size_t>(space_->masksPerTime());
    const std::size_t mask = static_cast<std::size_t>(first_.mask) + i;
    const BootMomentSpace::TimeOfDay time = space_->timeAt(first_.time + static_cast<int>(mask / masks));
    SearchCursor moment = day_;
    moment.hour = time.hour;
    moment.minute = time.minute;
    moment.second = time.second;
    moment.keyMask = space_->keyMaskAt(static_cast<int>(mask % masks));
    return moment;
  }

 private:
  std::span<const SearchCursor> list_;
  const BootMomentSpace* space_ = nullptr;
  SearchCursor day_;
  BootMomentSpace::Coordinates first_{};
  std::size_t size_;
};

}  // namespace hanabira
