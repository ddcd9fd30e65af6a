// What a player types on the command line and reads back: boot moments as
// "2011-09-27T13:47:35", held keys as "A+Start" or "none", individual values and natures
// seen.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/boot_moment.h"
#include "engine/observed_neighbours.h"

namespace hanabira {

// The held keys of a mask by their English names joined by '+', X and Y last; "none".
std::string keysText(int keyMask);

// The mask of "none" or of key names joined by '+' (A, B, Select, Start, Right, Left, Up,
// Down, R, L, X, Y; Se and St as the result file writes them; any case); none for
// anything else, a key named twice too.
std::optional<int> parseKeys(std::string_view text);

// The date and time of "YYYY-MM-DDTHH:MM:SS" (a space for the T too), in 2000 to 2099,
// on the calendar, with its weekday; none for anything else.
std::optional<BootMoment> parseMoment(std::string_view text);

// Six individual values, H,A,B,C,D,S, each a value or a range such as 20-31, all within
// 0 to 31; none for anything else.
std::optional<ObservedIvs> parseIvs(std::string_view text);

// The nature of an English name (any case) or a Japanese one; none for anything else.
std::optional<int> parseNature(std::string_view text);

}  // namespace hanabira
