// MT19937, the Mersenne Twister of Matsumoto and Nishimura (32-bit). The game seeds it
// with the upper half of the initial seed; its outputs form the individual-value random
// sequence. Position k of that sequence is the k-th output after seeding; positions past
// 623 come from further twists, as in the standard generator.
#pragma once

#include <array>
#include <cstdint>

namespace hanabira {

class Mt19937 {
 public:
  static constexpr int stateSize = 624;
  static constexpr int shift = 397;
  static constexpr std::uint32_t matrix = 0x9908B0DF;
  static constexpr std::uint32_t upperMask = 0x80000000;
  static constexpr std::uint32_t lowerMask = 0x7FFFFFFF;
  static constexpr std::uint32_t seedMultiplier = 1812433253;

  explicit Mt19937(std::uint32_t seed);

  // The next output of the sequence, twisting whenever the state is used up.
  std::uint32_t next();

  static constexpr std::uint32_t seedWord(std::uint32_t previous, std::uint32_t index) {
    return seedMultiplier * (previous ^ (previous >> 30)) + index;
  }
  // The new value of word k, from word k, word k + 1 and word k + 397 (indices mod 624).
  static constexpr std::uint32_t twistWord(std::uint32_t wordK, std::uint32_t wordK1, std::uint32_t wordK397) {
    const std::uint32_t y = (wordK & upperMask) | (wordK1 & lowerMask);
    return wordK397 ^ (y >> 1) ^ ((y & 1) != 0 ? matrix : 0);
  }
  static constexpr std::uint32_t temper(std::uint32_t y) {
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680;
    y ^= (y << 15) & 0xEFC60000;
    return y ^ (y >> 18);
  }

 private:
  void twist();

  std::array<std::uint32_t, stateSize> state_;
  int index_;
};

}  // namespace hanabira
