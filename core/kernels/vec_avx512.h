// Sixteen 32-bit lanes in an AVX-512 register. Internal to the files compiled with the
// AVX-512 flags (see vec_avx2.h for why everything here has internal linkage).
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace hanabira {
namespace {

struct Avx512Vec {
  using V = __m512i;
  static constexpr std::size_t lanes = 16;

  static V set1(std::uint32_t x) { return _mm512_set1_epi32(static_cast<int>(x)); }
  static V load(const std::uint32_t* p) { return _mm512_loadu_si512(p); }
  static void store(std::uint32_t* p, V v) { _mm512_storeu_si512(p, v); }
  static V add(V a, V b) { return _mm512_add_epi32(a, b); }
  static V sub(V a, V b) { return _mm512_sub_epi32(a, b); }
  static V maxU(V a, V b) { return _mm512_max_epu32(a, b); }
  static V minU(V a, V b) { return _mm512_min_epu32(a, b); }
  // The upper halves of the 64-bit products: the even lanes' and the odd lanes' products
  // apart, then blended.
  static V mulHigh(V a, V b) {
    const V even = _mm512_srli_epi64(_mm512_mul_epu32(a, b), 32);
    const V odd = _mm512_mul_epu32(_mm512_srli_epi64(a, 32), _mm512_srli_epi64(b, 32));
    return _mm512_mask_blend_epi32(0xAAAA, even, odd);
  }
  static V bxor(V a, V b) { return _mm512_xor_si512(a, b); }
  static V band(V a, V b) { return _mm512_and_si512(a, b); }
  static V bor(V a, V b) { return _mm512_or_si512(a, b); }
  // Three-input logic in one instruction; the immediates are the functions' truth tables.
  static V xor3(V a, V b, V c) { return _mm512_ternarylogic_epi32(a, b, c, 0x96); }
  static V choose(V b, V c, V d) { return _mm512_ternarylogic_epi32(b, c, d, 0xCA); }
  static V majority(V b, V c, V d) { return _mm512_ternarylogic_epi32(b, c, d, 0xE8); }
  static V mullo(V a, V b) { return _mm512_mullo_epi32(a, b); }
  template <int n>
  static V shr(V a) {
    return _mm512_srli_epi32(a, n);
  }
  template <int n>
  static V shl(V a) {
    return _mm512_slli_epi32(a, n);
  }
  template <int n>
  static V rotl(V a) {
    return _mm512_rol_epi32(a, n);
  }
  static V lowBitMask(V a) { return _mm512_srai_epi32(_mm512_slli_epi32(a, 31), 31); }

  using Mask = __mmask16;
  static Mask inRange(V value, V low, V span) { return _mm512_cmple_epu32_mask(_mm512_sub_epi32(value, low), span); }
  static Mask atMost(V value, V limit) { return _mm512_cmple_epu32_mask(value, limit); }
  static std::uint64_t maskBits(Mask m) { return m; }
};

}  // namespace
}  // namespace hanabira
