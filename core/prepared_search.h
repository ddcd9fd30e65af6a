// What a search prepares once from its settings before the first boot moment.
#pragma once

#include "core/search_settings.h"
#include "core/search_space.h"
#include "core/seed_hasher.h"
#include "evaluate/result_format.h"

namespace hanabira {

struct PreparedSearch {
  // Throws InvalidSettingsError. pidConsumptionMax is lowered to its limit here.
  PreparedSearch(const SearchSettings& settings, TextEncoding encoding);

  SearchSettings settings;
  ResultFormatter formatter;
  BootMomentSpace space;
  SeedHasher hasher;
};

}  // namespace hanabira
