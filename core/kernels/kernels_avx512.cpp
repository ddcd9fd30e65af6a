// The AVX-512 level: sixteen 32-bit (eight 64-bit) lanes, three-input logic and rotates
// in one instruction each. Compiled with the AVX-512 F, BW, DQ and VL flags; called only
// when the CPU has them.
#include "core/kernels/draw_lanes.h"
#include "core/kernels/kernel_sets.h"
#include "core/kernels/lcg_lanes.h"
#include "core/kernels/lcg_scan_lanes.h"
#include "core/kernels/mt_lanes.h"
#include "core/kernels/scan_lanes.h"
#include "core/kernels/seed_lanes.h"
#include "core/kernels/vec_avx512.h"

namespace hanabira {
namespace {

struct Avx512Vec64 {
  using V = __m512i;
  static constexpr std::size_t lanes = 8;

  static V set1(std::uint64_t x) { return _mm512_set1_epi64(static_cast<long long>(x)); }
  static V load(const std::uint64_t* p) { return _mm512_loadu_si512(p); }
  static V add(V a, V b) { return _mm512_add_epi64(a, b); }
  static V sub(V a, V b) { return _mm512_sub_epi64(a, b); }
  static V mulAdd(V x, V multiplier, V addend) { return _mm512_add_epi64(_mm512_mullo_epi64(x, multiplier), addend); }
  static void storeUpperHalves(std::uint32_t* p, V state) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm512_cvtepi64_epi32(_mm512_srli_epi64(state, 32)));
  }
  // Sixteen states in two vectors, in the order in which upperHalves, an in-lane shuffle
  // far cheaper than one across lanes, puts their upper halves back in order: seeds 0, 1,
  // 4, 5, ... in the first, 2, 3, 6, 7, ... in the second.
  static void loadPack(const std::uint64_t* seeds, V* pack) {
    const V low = load(seeds);
    const V high = load(seeds + 8);
    pack[0] = _mm512_permutex2var_epi64(low, _mm512_setr_epi64(0, 1, 4, 5, 8, 9, 12, 13), high);
    pack[1] = _mm512_permutex2var_epi64(low, _mm512_setr_epi64(2, 3, 6, 7, 10, 11, 14, 15), high);
  }
  static Avx512Vec::V upperHalves(const V* pack) {
    return _mm512_castps_si512(_mm512_shuffle_ps(_mm512_castsi512_ps(pack[0]), _mm512_castsi512_ps(pack[1]), 0xDD));
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

void mtSpan(const std::uint32_t* mtSeeds, std::size_t count, int first, int last, std::uint32_t* outputs) {
  mtSpanWith<Avx512Vec, 16>(mtSeeds, count, first, last, outputs);
}

void lcgOutputs(const std::uint64_t* states, std::size_t count, int length, std::uint32_t* outputs) {
  lcgOutputsWith<Avx512Vec64, 8>(states, count, length, outputs);
}

std::size_t scanRanges(const std::uint32_t* rows, std::size_t count, int positions, const RangeTest* tests,
                       int testCount, RangeHit* hits) {
  return scanRangesWith<Avx512Vec>(rows, count, positions, tests, testCount, hits);
}

std::size_t scanLcg(const std::uint64_t* seeds, std::size_t count, const LcgScan& scan, std::uint64_t* scratch,
                    RangeHit* hits) {
  return scanLcgWith<Avx512Vec64, Avx512Vec, 8>(seeds, count, scan, scratch, hits);
}

void scanDraws(const std::uint32_t* rows, std::size_t count, const DrawScan& scan, std::uint64_t* matches) {
  scanDrawsWith<Avx512Vec>(rows, count, scan, matches);
}

}  // namespace

const KernelSet avx512Kernels{Isa::Avx512, Avx512Vec::lanes, computeSeeds, computeMaskSeeds, mtSpan,
                              lcgOutputs,  scanRanges,       scanLcg,      scanDraws};

}  // namespace hanabira
