// The boot moments of one batch, as the evaluations see them: moment i goes with seed i
// of the batch. Its date and time are worked out only for the few moments that make a line.
#pragma once

#include <cstddef>
#include <span>

#include "core/boot_moment.h"

namespace hanabira {

class MomentBatch {
 public:
  virtual std::size_t size() const = 0;
  virtual BootMoment operator[](std::size_t i) const = 0;

 protected:
  ~MomentBatch() = default;
};

// Moments given one by one.
class MomentList final : public MomentBatch {
 public:
  explicit MomentList(std::span<const BootMoment> moments) : moments_(moments) {}

  std::size_t size() const override { return moments_.size(); }
  BootMoment operator[](std::size_t i) const override { return moments_[i]; }

 private:
  std::span<const BootMoment> moments_;
};

}  // namespace hanabira
