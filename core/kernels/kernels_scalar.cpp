// The scalar level: the kernel templates on one lane in general-purpose registers.
#include "core/kernels/draw_lanes.h"
#include "core/kernels/kernel_sets.h"
#include "core/kernels/lcg_lanes.h"
#include "core/kernels/lcg_scan_lanes.h"
#include "core/kernels/mt_lanes.h"
#include "core/kernels/scan_lanes.h"
#include "core/kernels/seed_lanes.h"
#include "core/kernels/vec_scalar.h"

namespace hanabira {
namespace {

struct ScalarVec64 {
  using V = std::uint64_t;
  static constexpr std::size_t lanes = 1;

  static V set1(std::uint64_t x) { return x; }
  static V load(const std::uint64_t* p) { return *p; }
  static V add(V a, V b) { return a + b; }
  static V sub(V a, V b) { return a - b; }
  static V mulAdd(V x, V multiplier, V addend) { return x * multiplier + addend; }
  static void storeUpperHalves(std::uint32_t* p, V state) { *p = static_cast<std::uint32_t>(state >> 32); }
  static void loadPack(const std::uint64_t* seeds, V* pack) { pack[0] = *seeds; }
  static std::uint32_t upperHalves(const V* pack) { return static_cast<std::uint32_t>(pack[0] >> 32); }
};

void computeSeeds(const SeedDay& day, const std::uint32_t* timeWords, const std::uint32_t* keyWords, std::size_t count,
                  InitialSeed* seeds) {
  computeSeedsWith<ScalarVec, 2>(day, timeWords, keyWords, count, seeds);
}

void computeMaskSeeds(const SeedTime& time, const std::uint32_t* keys, std::size_t stride, std::size_t firstMask,
                      std::size_t count, InitialSeed* seeds) {
  computeMaskSeedsWith<ScalarVec, 2>(time, keys, stride, firstMask, count, seeds);
}

void mtSpan(const std::uint32_t* mtSeeds, std::size_t count, int first, int last, std::uint32_t* outputs) {
  // Four seeds side by side: the seeding chains overlap in the pipeline.
  mtSpanWith<ScalarVec, 4>(mtSeeds, count, first, last, outputs);
}

void lcgOutputs(const std::uint64_t* states, std::size_t count, int length, std::uint32_t* outputs) {
  lcgOutputsWith<ScalarVec64, 4>(states, count, length, outputs);
}

std::size_t scanRanges(const std::uint32_t* rows, std::size_t count, int positions, const RangeTest* tests,
                       int testCount, RangeHit* hits) {
  return scanRangesWith<ScalarVec>(rows, count, positions, tests, testCount, hits);
}

std::size_t scanLcg(const std::uint64_t* seeds, std::size_t count, const LcgScan& scan, std::uint64_t* scratch,
                    RangeHit* hits) {
  return scanLcgWith<ScalarVec64, ScalarVec, 4>(seeds, count, scan, scratch, hits);
}

void scanDraws(const std::uint32_t* rows, std::size_t count, const DrawScan& scan, std::uint64_t* matches) {
  scanDrawsWith<ScalarVec>(rows, count, scan, matches);
}

}  // namespace

const KernelSet scalarKernels{Isa::Scalar, ScalarVec::lanes, computeSeeds, computeMaskSeeds, mtSpan,
                              lcgOutputs,  scanRanges,       scanLcg,      scanDraws};

}  // namespace hanabira
