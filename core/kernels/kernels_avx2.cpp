// The AVX2 level: eight 32-bit (four 64-bit) lanes. Compiled with -mavx2; called only
// when the CPU has AVX2.
#include "core/kernels/draw_lanes.h"
#include "core/kernels/kernel_sets.h"
#include "core/kernels/lcg_lanes.h"
#include "core/kernels/lcg_scan_lanes.h"
#include "core/kernels/mt_lanes.h"
#include "core/kernels/scan_lanes.h"
#include "core/kernels/seed_lanes.h"
#include "core/kernels/vec_avx2.h"

namespace hanabira {
namespace {

// AVX2 has no 64-bit multiplication: the low 64 bits of the product come from three
// 32 x 32 -> 64 products, the two cross terms shifted into the upper half.
struct Avx2Vec64 {
  using V = __m256i;
  static constexpr std::size_t lanes = 4;

  static V set1(std::uint64_t x) { return _mm256_set1_epi64x(static_cast<long long>(x)); }
  static V load(const std::uint64_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
  static V add(V a, V b) { return _mm256_add_epi64(a, b); }
  static V sub(V a, V b) { return _mm256_sub_epi64(a, b); }
  static V mulAdd(V x, V multiplier, V addend) {
    const V low = _mm256_mul_epu32(x, multiplier);
    const V cross = _mm256_add_epi64(_mm256_mul_epu32(x, _mm256_srli_epi64(multiplier, 32)),
                                     _mm256_mul_epu32(_mm256_srli_epi64(x, 32), multiplier));
    return _mm256_add_epi64(_mm256_add_epi64(low, _mm256_slli_epi64(cross, 32)), addend);
  }
  static void storeUpperHalves(std::uint32_t* p, V state) {
    const V upper = _mm256_permutevar8x32_epi32(state, _mm256_setr_epi32(1, 3, 5, 7, 0, 2, 4, 6));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(upper));
  }
  // Eight states in two vectors, in the order in which upperHalves, an in-lane shuffle,
  // puts their upper halves back in order: seeds 0, 1, 4, 5 in the first, 2, 3, 6, 7 in
  // the second.
  static void loadPack(const std::uint64_t* seeds, V* pack) {
    const V low = load(seeds);
    const V high = load(seeds + 4);
    pack[0] = _mm256_permute2x128_si256(low, high, 0x20);
    pack[1] = _mm256_permute2x128_si256(low, high, 0x31);
  }
  static Avx2Vec::V upperHalves(const V* pack) {
    return _mm256_castps_si256(_mm256_shuffle_ps(_mm256_castsi256_ps(pack[0]), _mm256_castsi256_ps(pack[1]), 0xDD));
  }
};

void computeSeeds(const SeedDay& day, const std::uint32_t* timeWords, const std::uint32_t* keyWords, std::size_t count,
                  InitialSeed* seeds) {
  computeSeedsWith<Avx2Vec, 2>(day, timeWords, keyWords, count, seeds);
}

void computeMaskSeeds(const SeedTime& time, const std::uint32_t* keys, std::size_t stride, std::size_t firstMask,
                      std::size_t count, InitialSeed* seeds) {
  computeMaskSeedsWith<Avx2Vec, 2>(time, keys, stride, firstMask, count, seeds);
}

void mtSpan(const std::uint32_t* mtSeeds, std::size_t count, int first, int last, std::uint32_t* outputs) {
  mtSpanWith<Avx2Vec, 8>(mtSeeds, count, first, last, outputs);
}

void lcgOutputs(const std::uint64_t* states, std::size_t count, int length, std::uint32_t* outputs) {
  lcgOutputsWith<Avx2Vec64, 8>(states, count, length, outputs);
}

std::size_t scanRanges(const std::uint32_t* rows, std::size_t count, int positions, const RangeTest* tests,
                       int testCount, RangeHit* hits) {
  return scanRangesWith<Avx2Vec>(rows, count, positions, tests, testCount, hits);
}

std::size_t scanLcg(const std::uint64_t* seeds, std::size_t count, const LcgScan& scan, std::uint64_t* scratch,
                    RangeHit* hits) {
  return scanLcgWith<Avx2Vec64, Avx2Vec, 8>(seeds, count, scan, scratch, hits);
}

void scanDraws(const std::uint32_t* rows, std::size_t count, const DrawScan& scan, std::uint64_t* matches) {
  scanDrawsWith<Avx2Vec>(rows, count, scan, matches);
}

}  // namespace

const KernelSet avx2Kernels{Isa::Avx2,  Avx2Vec::lanes, computeSeeds, computeMaskSeeds, mtSpan,
                            lcgOutputs, scanRanges,     scanLcg,      scanDraws};

}  // namespace hanabira
