// Settings a search refuses before it writes anything: dates that are not on the
// calendar, times off the clock, positions the generators do not have, options of the
// active mode that are not among its choices, and eggs the game never makes.
#pragma once

#include <optional>

#include "core/search_settings.h"
#include "core/settings_problem.h"

namespace hanabira {

// The first problem in field order, or none.
std::optional<SettingsProblem> findSettingsProblem(const SearchSettings& settings);

// Lowers pidConsumptionMax to pidConsumptionLimit; returns whether it did.
bool clampPidConsumption(SearchSettings& settings);

}  // namespace hanabira
