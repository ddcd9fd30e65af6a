// Which key masks a search visits on every second.
#pragma once

#include <cstdint>
#include <vector>

#include "core/search_settings.h"

namespace hanabira {

// The key filter: a mask is skipped when it holds a key that is not allowed, and, with
// excludeOppositeAndReset, when it holds Left with Right, Up with Down, or the soft-reset
// combination Select + Start + L + R (the console would not boot into the game).
bool isKeyMaskSearched(const SearchSettings& settings, int keyMask);

// The masks of one second in search order: 0 to 1023 through the filter with key input,
// only 1023 (no key held) without.
std::vector<std::uint16_t> searchedKeyMasks(const SearchSettings& settings);

}  // namespace hanabira
