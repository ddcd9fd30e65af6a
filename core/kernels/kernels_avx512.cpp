// The AVX-512 level: sixteen 32-bit (eight 64-bit) lanes, three-input logic and rotates
// in one instruction each. Compiled with the AVX-512 F, BW, DQ and VL flags; called only
// when the CPU has them.
#include "core/kernels/kernel_sets.h"
#include "core/kernels/lcg_lanes.h"
#include "core/kernels/mt_lanes.h"
#include "core/kernels/scan_lanes.h"
#include "core/kernels/seed_lanes.h"
#include "core/kernels/vec_avx512.h"

namespace hanabira {
namespace {

struct Avx512Vec64 {
  using V = __m512i;
  static constexpr std::size_t lanes = 8;
  static V load(const std::uint64_t* p) { return _mm512_loadu_si512(p); }
  static V step(V state) {
    return _mm512_add_epi64(_mm512_mullo_epi64(state, _mm512_set1_epi64(0x5D588B656C078965)),
                            _mm512_set1_epi64(0x269EC3));
  }
  static void storeUpperHalves(std::uint32_t* p, V state) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm512_cvtepi64_epi32(_mm512_srli_epi64(state, 32)));
  }
  static std::uint64_t upperHalfInRange(V state, std::uint32_t low, std::uint32_t high) {
    const V offset = _mm512_sub_epi64(_mm512_srli_epi64(state, 32), _mm512_set1_epi64(low));
    return _mm512_cmple_epu64_mask(offset, _mm512_set1_epi64(high - low));
  }
};

void computeSeeds(const SeedDay& day, const std::uint32_t* timeWords, const std::uint32_t* keyWords, std::size_t count,
                  InitialSeed* seeds) {
  computeSeedsWith<Avx512Vec, 2>(day, timeWords, keyWords, count, seeds);
}

void computeMaskSeeds(const SeedTime& time, const std::uint32_t* keys, std::size_t stride, std::size_t firstMask,
                      std::size_t count, InitialSeed* seeds) {
  computeMaskSeedsWith<Avx512Vec, 4>(time, keys, stride, firstMask, count, seeds);
}

void mtWindow(const std::uint32_t* mtSeeds, std::size_t count, int first, int last, std::uint32_t* outputs) {
  mtWindowWith<Avx512Vec, 16>(mtSeeds, count, first, last, outputs);
}

void lcgOutputs(const std::uint64_t* states, std::size_t count, int length, std::uint32_t* outputs,
                const ValueRange* ranges, int rangeCount, std::uint64_t* masks) {
  lcgOutputsWith<Avx512Vec64, 8>(states, count, length, outputs, ranges, rangeCount, masks);
}

std::size_t scanRanges(const std::uint32_t* rows, std::size_t count, int positions, const RangeTest* tests,
                       int testCount, RangeHit* hits) {
  return scanRangesWith<Avx512Vec>(rows, count, positions, tests, testCount, hits);
}

}  // namespace

const KernelSet avx512Kernels{Isa::Avx512, Avx512Vec::lanes, computeSeeds, computeMaskSeeds,
                              mtWindow,    lcgOutputs,       scanRanges};

}  // namespace hanabira
