// One 32-bit lane in a general-purpose register: the vector interface of the kernel
// templates, for the scalar level. Internal to the kernel files.
#pragma once

#include <cstddef>
#include <cstdint>

namespace hanabira {
namespace {

struct ScalarVec {
  using V = std::uint32_t;
  static constexpr std::size_t lanes = 1;

  static V set1(std::uint32_t x) { return x; }
  static V load(const std::uint32_t* p) { return *p; }
  static void store(std::uint32_t* p, V v) { *p = v; }
  static V add(V a, V b) { return a + b; }
  static V sub(V a, V b) { return a - b; }
  static V maxU(V a, V b) { return a > b ? a : b; }
  static V minU(V a, V b) { return a < b ? a : b; }
  static V mulHigh(V a, V b) { return static_cast<V>((std::uint64_t{a} * b) >> 32); }
  static V bxor(V a, V b) { return a ^ b; }
  static V band(V a, V b) { return a & b; }
  static V bor(V a, V b) { return a | b; }
  static V xor3(V a, V b, V c) { return a ^ b ^ c; }
  static V choose(V b, V c, V d) { return (b & c) | (~b & d); }
  static V majority(V b, V c, V d) { return (b & c) | (b & d) | (c & d); }
  static V mullo(V a, V b) { return a * b; }
  template <int n>
  static V shr(V a) {
    return a >> n;
  }
  template <int n>
  static V shl(V a) {
    return a << n;
  }
  template <int n>
  static V rotl(V a) {
    return (a << n) | (a >> (32 - n));
  }
  // All ones where the lowest bit of a is set, else zero.
  static V lowBitMask(V a) { return 0u - (a & 1u); }

  using Mask = bool;
  static Mask inRange(V value, V low, V span) { return value - low <= span; }
  static Mask atMost(V value, V limit) { return value <= limit; }
  static std::uint64_t maskBits(Mask m) { return m ? 1 : 0; }
};

}  // namespace
}  // namespace hanabira
