// The advances the game makes itself between boot and the moment the player can act on
// a saved game ("continue"): the personality-value sequence has moved on by this many
// steps from the initial seed before the player can advance it by hand.
#pragma once

#include <cstdint>

#include "core/edition.h"

namespace hanabira {

// Steps of the personality-value generator from the initial seed to the first position
// the player controls after continuing a saved game. Black 2 and White 2 make one fixed
// step fewer once Memory Link has been used, which changes the draws after it; Black and
// White have no Memory Link and ignore the flag.
//
//   gameAdvances(Game::Black, false, 0x9D76553EC8C0FA7A) == 52
//
// A line whose position needs n steps from the initial seed is reached by making
// n - gameAdvances(...) advances by hand.
int gameAdvances(Game game, bool memoryLink, std::uint64_t initialSeed);

namespace detail {

// One pass over the game's table of chances from a state of the generator, which is left
// at the state after the pass. Returns the steps the pass made (5 to 12).
int probabilityTablePass(std::uint64_t& state);

}  // namespace detail

}  // namespace hanabira
