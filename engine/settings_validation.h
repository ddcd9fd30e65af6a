// Settings a search refuses before it writes anything: dates that are not on the
// calendar, times off the clock, positions the generators do not have, options of the
// active mode that are not among its choices, and eggs the game never makes.
#pragma once

#include <cstdint>
#include <optional>

#include "core/search_settings.h"
#include "core/settings_problem.h"

namespace hanabira {

// The widest ranges of VCount and Timer0 a search takes: values of 16 bits, and at most
// this many pairs of them, so that the boot moments stay countable in 64 bits.
inline constexpr int parameterValueLimit = 0xFFFF;
inline constexpr std::uint64_t parameterPairLimit = 1 << 20;

// The first problem in field order, or none.
std::optional<SettingsProblem> findSettingsProblem(const SearchSettings& settings);

// The first problem of the ranges of VCount and Timer0 alone, which come first in that
// order: so that a caller can tell where a range came from.
std::optional<SettingsProblem> findParameterRangeProblem(const SearchSettings& settings);

// Lowers pidConsumptionMax to pidConsumptionLimit; returns whether it did.
bool clampPidConsumption(SearchSettings& settings);

}  // namespace hanabira
