// Four 32-bit lanes in a WebAssembly SIMD128 value. Internal to the file compiled with
// -msimd128 (see vec_avx2.h for why everything here has internal linkage).
#pragma once

#include <wasm_simd128.h>

#include <cstddef>
#include <cstdint>

namespace hanabira {
namespace {

struct Wasm128Vec {
  using V = v128_t;
  static constexpr std::size_t lanes = 4;

  static V set1(std::uint32_t x) { return wasm_u32x4_splat(x); }
  static V load(const std::uint32_t* p) { return wasm_v128_load(p); }
  static void store(std::uint32_t* p, V v) { wasm_v128_store(p, v); }
  static V add(V a, V b) { return wasm_i32x4_add(a, b); }
  static V sub(V a, V b) { return wasm_i32x4_sub(a, b); }
  static V maxU(V a, V b) { return wasm_u32x4_max(a, b); }
  static V minU(V a, V b) { return wasm_u32x4_min(a, b); }
  // The low and the high two lanes' 64-bit products, their upper halves gathered.
  static V mulHigh(V a, V b) {
    return wasm_i32x4_shuffle(wasm_u64x2_extmul_low_u32x4(a, b), wasm_u64x2_extmul_high_u32x4(a, b), 1, 3, 5, 7);
  }
  static V bxor(V a, V b) { return wasm_v128_xor(a, b); }
  static V band(V a, V b) { return wasm_v128_and(a, b); }
  static V bor(V a, V b) { return wasm_v128_or(a, b); }
  static V xor3(V a, V b, V c) { return bxor(bxor(a, b), c); }
  // Bits of c where b is set, of d elsewhere: one bitselect.
  static V choose(V b, V c, V d) { return wasm_v128_bitselect(c, d, b); }
  static V majority(V b, V c, V d) { return bor(band(b, c), band(d, bor(b, c))); }
  static V mullo(V a, V b) { return wasm_i32x4_mul(a, b); }
  template <int n>
  static V shr(V a) {
    return wasm_u32x4_shr(a, n);
  }
  template <int n>
  static V shl(V a) {
    return wasm_i32x4_shl(a, n);
  }
  // SIMD128 has no rotate.
  template <int n>
  static V rotl(V a) {
    return bor(shl<n>(a), shr<32 - n>(a));
  }
  static V lowBitMask(V a) { return wasm_i32x4_shr(wasm_i32x4_shl(a, 31), 31); }

  // Unsigned comparisons exist: the masks are lanes of all ones or zeros.
  using Mask = V;
  static Mask inRange(V value, V low, V span) { return wasm_u32x4_le(wasm_i32x4_sub(value, low), span); }
  static Mask atMost(V value, V limit) { return wasm_u32x4_le(value, limit); }
  static std::uint64_t maskBits(Mask m) { return wasm_i32x4_bitmask(m); }
};

}  // namespace
}  // namespace hanabira
