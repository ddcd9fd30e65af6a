// The AVX2 level: eight 32-bit (four 64-bit) lanes. Compiled with -mavx2; called only
// when the CPU has AVX2.
#include "core/kernels/kernel_sets.h"
#include "core/kernels/lcg_lanes.h"
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
  static V load(const std::uint64_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
  static V step(V state) {
    const V multiplierLow = _mm256_set1_epi64x(0x6C078965);
    const V multiplierHigh = _mm256_set1_epi64x(0x5D588B65);
    const V low = _mm256_mul_epu32(state, multiplierLow);
    const V cross = _mm256_add_epi64(_mm256_mul_epu32(state, multiplierHigh),
                                     _mm256_mul_epu32(_mm256_srli_epi64(state, 32), multiplierLow));
    return _mm256_add_epi64(_mm256_add_epi64(low, _mm256_slli_epi64(cross, 32)), _mm256_set1_epi64x(0x269EC3));
  }
  static void storeUpperHalves(std::uint32_t* p, V state) {
    const V upper = _mm256_permutevar8x32_epi32(state, _mm256_setr_epi32(1, 3, 5, 7, 0, 2, 4, 6));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(upper));
  }
  // The upper halves as signed 64-bit numbers: 0 <= value - low <= high - low.
  static std::uint64_t upperHalfInRange(V state, std::uint32_t low, std::uint32_t high) {
    const V offset = _mm256_sub_epi64(_mm256_srli_epi64(state, 32), _mm256_set1_epi64x(low));
    const V outside = _mm256_or_si256(_mm256_cmpgt_epi64(offset, _mm256_set1_epi64x(std::int64_t{high} - low)),
                                      _mm256_cmpgt_epi64(_mm256_setzero_si256(), offset));
    return ~static_cast<std::uint64_t>(_mm256_movemask_pd(_mm256_castsi256_pd(outside))) & 0xF;
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

void mtWindow(const std::uint32_t* mtSeeds, std::size_t count, int first, int last, std::uint32_t* outputs) {
  mtWindowWith<Avx2Vec, 8>(mtSeeds, count, first, last, outputs);
}

void lcgOutputs(const std::uint64_t* states, std::size_t count, int length, std::uint32_t* outputs,
                const ValueRange* ranges, int rangeCount, std::uint64_t* masks) {
  lcgOutputsWith<Avx2Vec64, 8>(states, count, length, outputs, ranges, rangeCount, masks);
}

std::size_t scanRanges(const std::uint32_t* rows, std::size_t count, int positions, const RangeTest* tests,
                       int testCount, RangeHit* hits) {
  return scanRangesWith<Avx2Vec>(rows, count, positions, tests, testCount, hits);
}

}  // namespace

const KernelSet avx2Kernels{Isa::Avx2, Avx2Vec::lanes, computeSeeds, computeMaskSeeds,
                            mtWindow,  lcgOutputs,     scanRanges};

}  // namespace hanabira
