#include "core/pid_span.h"

#include <algorithm>

namespace hanabira {

PidSpan::PidSpan(std::int64_t first, std::size_t length)
    : first_(first), length_(length), toFirst_(Lcg64::jump(static_cast<std::uint64_t>(first))), values_(length) {}

void PidSpan::extend(std::int64_t last) {
  const std::size_t needed = static_cast<std::size_t>(last - first_) + 1;
  if (needed > values_.size()) values_.resize(std::max(needed, 2 * values_.size()));
  std::uint64_t state = nextState_;
  for (std::size_t k = computed_; k < needed; ++k) {
    values_[k] = Lcg64::output(state);
    state = Lcg64::step(state);
  }
  computed_ = needed;
  nextState_ = state;
}

}  // namespace hanabira
