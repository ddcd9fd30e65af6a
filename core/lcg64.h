// The games' 64-bit linear congruential generator. The upper halves of its successive
// states form the personality-value random sequence.
#pragma once

#include <cstdint>

namespace hanabira {

class Lcg64 {
 public:
  static constexpr std::uint64_t multiplier = 0x5D588B656C078965;
  static constexpr std::uint64_t increment = 0x269EC3;

  static constexpr std::uint64_t step(std::uint64_t state) { return state * multiplier + increment; }
  static constexpr std::uint32_t output(std::uint64_t state) { return static_cast<std::uint32_t>(state >> 32); }

  // n steps at once: a step is the affine map s -> a s + c, and n of them compose to
  // another affine map, found by squaring in log2(n) rounds.
  struct Jump {
    std::uint64_t multiplier = 1;
    std::uint64_t increment = 0;

    constexpr std::uint64_t apply(std::uint64_t state) const { return state * multiplier + increment; }
    // This jump followed by `next`.
    constexpr Jump then(const Jump& next) const {
      return {multiplier * next.multiplier, increment * next.multiplier + next.increment};
    }
  };

  static constexpr Jump jump(std::uint64_t steps) {
    Jump total;                         // the identity
    Jump power{multiplier, increment};  // 2^k steps
    for (; steps != 0; steps >>= 1) {
      if ((steps & 1) != 0) total = total.then(power);
      power = power.then(power);
    }
    return total;
  }

  constexpr explicit Lcg64(std::uint64_t state) : state_(state) {}

  constexpr std::uint64_t state() const { return state_; }
  // Returns the output of the current state, then steps.
  constexpr std::uint32_t next() {
    const std::uint32_t value = output(state_);
    state_ = step(state_);
    return value;
  }

 private:
  std::uint64_t state_;
};

}  // namespace hanabira
