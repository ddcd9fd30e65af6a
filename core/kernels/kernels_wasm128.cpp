// The WebAssembly SIMD128 level: four 32-bit lanes, the LCG's 64-bit states in general
// registers. Compiled with -msimd128 in the WebAssembly build only; a module that
// validated runs it.
#include "core/kernels/draw_lanes.h"
#include "core/kernels/kernel_sets.h"
#include "core/kernels/lcg_lanes.h"
#include "core/kernels/lcg_scan_lanes.h"
#include "core/kernels/mt_lanes.h"
#include "core/kernels/scan_lanes.h"
#include "core/kernels/seed_lanes.h"
#include "core/kernels/vec_wasm128.h"

namespace hanabira {
namespace {

// SIMD128's 64-bit multiplication becomes three 32-bit ones and their shifts in the
// engines' code, slower than a 64-bit multiplication per lane in general registers. So
// the LCG states step a lane at a time, and their upper halves are packed four to a
// vector for the comparisons.
struct Wasm128Vec64 {
  using V = std::uint64_t;
  static constexpr std::size_t lanes = 1;

  static V set1(std::uint64_t x) { return x; }
  static V load(const std::uint64_t* p) { return *p; }
  static V add(V a, V b) { return a + b; }
  static V sub(V a, V b) { return a - b; }
  static V mulAdd(V x, V multiplier, V addend) { return x * multiplier + addend; }
  static void storeUpperHalves(std::uint32_t* p, V state) { *p = static_cast<std::uint32_t>(state >> 32); }
  static void loadPack(const std::uint64_t* seeds, V* pack) {
    for (std::size_t i = 0; i < Wasm128Vec::lanes; ++i) pack[i] = seeds[i];
  }
  static Wasm128Vec::V upperHalves(const V* pack) {
    return wasm_u32x4_make(static_cast<std::uint32_t>(pack[0] >> 32), static_cast<std::uint32_t>(pack[1] >> 32),
                           static_cast<std::uint32_t>(pack[2] >> 32), static_cast<std::uint32_t>(pack[3] >> 32));
  }
};

void computeSeeds(const SeedDay& day, const std::uint32_t* timeWords, const std::uint32_t* keyWords, std::size_t count,
                  InitialSeed* seeds) {
  computeSeedsWith<Wasm128Vec, 2>(day, timeWords, keyWords, count, seeds);
}

void computeMaskSeeds(const SeedTime& time, const std::uint32_t* keys, std::size_t stride, std::size_t firstMask,
                      std::size_t count, InitialSeed* seeds) {
  computeMaskSeedsWith<Wasm128Vec, 4, MaskRounds::fiveAtATime>(time, keys, stride, firstMask, count, seeds);
}

void mtSpan(const std::uint32_t* mtSeeds, std::size_t count, int first, int last, std::uint32_t* outputs) {
  mtSpanWith<Wasm128Vec, 8>(mtSeeds, count, first, last, outputs);
}

void lcgOutputs(const std::uint64_t* states, std::size_t count, int length, std::uint32_t* outputs) {
  lcgOutputsWith<Wasm128Vec64, 8>(states, count, length, outputs);
}

std::size_t scanRanges(const std::uint32_t* rows, std::size_t count, int positions, const RangeTest* tests,
                       int testCount, RangeHit* hits) {
  return scanRangesWith<Wasm128Vec>(rows, count, positions, tests, testCount, hits);
}

std::size_t scanLcg(const std::uint64_t* seeds, std::size_t count, const LcgScan& scan, std::uint64_t* scratch,
                    RangeHit* hits) {
  return scanLcgWith<Wasm128Vec64, Wasm128Vec, 8>(seeds, count, scan, scratch, hits);
}

void scanDraws(const std::uint32_t* rows, std::size_t count, const DrawScan& scan, std::uint64_t* matches) {
  scanDrawsWith<Wasm128Vec>(rows, count, scan, matches);
}

}  // namespace

const KernelSet wasm128Kernels{Isa::WasmSimd128, Wasm128Vec::lanes, computeSeeds, computeMaskSeeds, mtSpan,
                               lcgOutputs,       scanRanges,        scanLcg,      scanDraws};

}  // namespace hanabira
