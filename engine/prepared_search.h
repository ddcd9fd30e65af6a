// What a search prepares once from its settings before the first boot moment.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/search_settings.h"
#include "engine/boot_moment_space.h"
#include "evaluate/result_text.h"
#include "evaluate/search_modes.h"

namespace hanabira {

struct PreparedSearch {
  // Throws InvalidSettingsError, and UnsupportedIsaError for a level this CPU cannot run
  // (none given: the best it can). pidConsumptionMax is lowered to its limit here.
  PreparedSearch(const SearchSettings& settings, TextEncoding encoding, std::optional<Isa> isa = std::nullopt);

  // W0 to W15 of the boot message of a block (date, weekday, VCount and Timer0 of
  // `block`), with the parts that vary in it left zero: W9 (the time) and W12 (the keys).
  BootMessage messageOfBlock(const BootMoment& block) const;
  std::uint32_t timeWordAt(int timeIndex) const;

  SearchSettings settings;
  const SearchModeDefinition& mode;
  ResultText text;
  BootMomentSpace space;
  const KernelSet& kernels;
  BootMessage constantWords;
  std::vector<std::uint32_t> keyWords;  // W12 of every key mask of the space, by mask index
  KeySchedules keySchedules;            // their shares of the message schedule
};

}  // namespace hanabira
