// Eight 32-bit lanes in an AVX2 register. Internal to the files compiled with -mavx2:
// the anonymous namespace keeps every function here out of reach of the linker, which
// could otherwise hand an AVX2 copy of an inline function to baseline callers.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace hanabira {
namespace {

struct Avx2Vec {
  using V = __m256i;
  static constexpr std::size_t lanes = 8;

  static V set1(std::uint32_t x) { return _mm256_set1_epi32(static_cast<int>(x)); }
  static V load(const std::uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
  static void store(std::uint32_t* p, V v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
  static V add(V a, V b) { return _mm256_add_epi32(a, b); }
  static V sub(V a, V b) { return _mm256_sub_epi32(a, b); }
  static V maxU(V a, V b) { return _mm256_max_epu32(a, b); }
  static V minU(V a, V b) { return _mm256_min_epu32(a, b); }
  // As at AVX-512: the even and the odd lanes' products apart, then blended.
  static V mulHigh(V a, V b) {
    const V even = _mm256_srli_epi64(_mm256_mul_epu32(a, b), 32);
    const V odd = _mm256_mul_epu32(_mm256_srli_epi64(a, 32), _mm256_srli_epi64(b, 32));
    return _mm256_blend_epi32(even, odd, 0xAA);
  }
  static V bxor(V a, V b) { return _mm256_xor_si256(a, b); }
  static V band(V a, V b) { return _mm256_and_si256(a, b); }
  static V bor(V a, V b) { return _mm256_or_si256(a, b); }
  static V xor3(V a, V b, V c) { return bxor(bxor(a, b), c); }
  static V choose(V b, V c, V d) { return bxor(d, band(b, bxor(c, d))); }
  static V majority(V b, V c, V d) { return bor(band(b, c), band(d, bor(b, c))); }
  static V mullo(V a, V b) { return _mm256_mullo_epi32(a, b); }
  template <int n>
  static V shr(V a) {
    return _mm256_srli_epi32(a, n);
  }
  template <int n>
  static V shl(V a) {
    return _mm256_slli_epi32(a, n);
  }
  template <int n>
  static V rotl(V a) {
    return bor(shl<n>(a), shr<32 - n>(a));
  }
  static V lowBitMask(V a) { return _mm256_srai_epi32(_mm256_slli_epi32(a, 31), 31); }

  // AVX2 compares signed only; x <= span unsigned is min(x, span) == x.
  using Mask = V;
  static Mask inRange(V value, V low, V span) {
    const V offset = _mm256_sub_epi32(value, low);
    return _mm256_cmpeq_epi32(_mm256_min_epu32(offset, span), offset);
  }
  static Mask atMost(V value, V limit) { return _mm256_cmpeq_epi32(_mm256_min_epu32(value, limit), value); }
  static std::uint64_t maskBits(Mask m) {
    return static_cast<std::uint32_t>(_mm256_movemask_ps(_mm256_castsi256_ps(m)));
  }
};

}  // namespace
}  // namespace hanabira
