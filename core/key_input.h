// Which key masks a search visits on every second.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include "core/boot_moment.h"
#include "core/search_settings.h"

namespace hanabira {

// How many keys a mask holds (its 0 bits).
constexpr int heldKeyCount(int keyMask) { return std::popcount(static_cast<unsigned>(~keyMask & noKeysHeld)); }

// The key filter: a mask is skipped when it holds more keys than keyCountMax, when it
// holds a key that is not allowed (X and Y are allowed only with keyXYEnabled), and, with
// excludeOppositeAndReset, when it holds Left with Right, Up with Down, or the soft-reset
// combination Select + Start + L + R (the console would not boot into the game). X and
// Y take part in neither exclusion.
bool isKeyMaskSearched(const SearchSettings& settings, int keyMask);

// The masks of one second in search order, ascending: every mask through the filter with
// key input, only noKeysHeld without. Without keyXYEnabled they are the masks of the ten
// keys of the key register with X and Y released, in the order of those ten bits.
std::vector<std::uint16_t> searchedKeyMasks(const SearchSettings& settings);

}  // namespace hanabira
