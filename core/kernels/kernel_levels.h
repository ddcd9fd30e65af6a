// The kernels of each level, defined in kernels_<level>.cpp; reached through KernelSet.
#pragma once

#include "core/kernels.h"

namespace hanabira {

void computeSeedsScalar(const SeedDay&, const std::uint32_t*, const std::uint32_t*, std::size_t, InitialSeed*);
void computeSeedsAvx2(const SeedDay&, const std::uint32_t*, const std::uint32_t*, std::size_t, InitialSeed*);
void computeSeedsAvx512(const SeedDay&, const std::uint32_t*, const std::uint32_t*, std::size_t, InitialSeed*);

void mtWindowScalar(const std::uint32_t*, std::size_t, int, int, std::uint32_t*);
void mtWindowAvx2(const std::uint32_t*, std::size_t, int, int, std::uint32_t*);
void mtWindowAvx512(const std::uint32_t*, std::size_t, int, int, std::uint32_t*);

void lcgOutputsScalar(const std::uint64_t*, std::size_t, int, std::uint32_t*, const ValueRange*, int, std::uint64_t*);
void lcgOutputsAvx2(const std::uint64_t*, std::size_t, int, std::uint32_t*, const ValueRange*, int, std::uint64_t*);
void lcgOutputsAvx512(const std::uint64_t*, std::size_t, int, std::uint32_t*, const ValueRange*, int, std::uint64_t*);

std::size_t scanRangesScalar(const std::uint32_t*, std::size_t, int, const RangeTest*, int, RangeHit*);
std::size_t scanRangesAvx2(const std::uint32_t*, std::size_t, int, const RangeTest*, int, RangeHit*);
std::size_t scanRangesAvx512(const std::uint32_t*, std::size_t, int, const RangeTest*, int, RangeHit*);

}  // namespace hanabira
