// The scalar level: the kernel templates on one lane in general-purpose registers.
#include "core/kernels/kernel_sets.h"
#include "core/kernels/lcg_lanes.h"
#include "core/kernels/mt_lanes.h"
#include "core/kernels/scan_lanes.h"
#include "core/kernels/seed_lanes.h"
#include "core/kernels/vec_scalar.h"

namespace hanabira {
namespace {

struct ScalarVec64 {
  using V = std::uint64_t;
  static constexpr std::size_t lanes = 1;
  static V load(const std::uint64_t* p) { return *p; }
  static V step(V state) { return state * 0x5D588B656C078965ull + 0x269EC3ull; }
  static void storeUpperHalves(std::uint32_t* p, V state) { *p = static_cast<std::uint32_t>(state >> 32); }
  static std::uint64_t upperHalfInRange(V state, std::uint32_t low, std::uint32_t high) {
    return static_cast<std::uint32_t>(state >> 32) - low <= high - low ? 1 : 0;
  }
};

void computeSeeds(const SeedDay& day, const std::uint32_t* timeWords, const std::uint32_t* keyWords, std::size_t count,
                  InitialSeed* seeds) {
  computeSeedsWith<ScalarVec, 2>(day, timeWords, keyWords, count, seeds);
}

void computeMaskSeeds(const SeedTime& time, const std::uint32_t* keys, std::size_t stride, std::size_t firstMask,
                      std::size_t count, InitialSeed* seeds) {
  computeMaskSeedsWith<ScalarVec, 2>(time, keys, stride, firstMask, count, seeds);
}

void mtWindow(const std::uint32_t* mtSeeds, std::size_t count, int first, int last, std::uint32_t* outputs) {
  // Four seeds side by side: the seeding chains overlap in the pipeline.
  mtWindowWith<ScalarVec, 4>(mtSeeds, count, first, last, outputs);
}

void lcgOutputs(const std::uint64_t* states, std::size_t count, int length, std::uint32_t* outputs,
                const ValueRange* ranges, int rangeCount, std::uint64_t* masks) {
  lcgOutputsWith<ScalarVec64, 4>(states, count, length, outputs, ranges, rangeCount, masks);
}

std::size_t scanRanges(const std::uint32_t* rows, std::size_t count, int positions, const RangeTest* tests,
                       int testCount, RangeHit* hits) {
  return scanRangesWith<ScalarVec>(rows, count, positions, tests, testCount, hits);
}

}  // namespace

const KernelSet scalarKernels{Isa::Scalar, ScalarVec::lanes, computeSeeds, computeMaskSeeds,
                              mtWindow,    lcgOutputs,       scanRanges};

}  // namespace hanabira
