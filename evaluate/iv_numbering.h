// Two numberings of the IV positions. Ours counts the outputs of the individual-value
// sequence from its first; the players' guides and the leading search tool count from
// where the game starts drawing IVs, and Black 2 and White 2 read two outputs before
// their first IV. For Black and White the two numberings agree.
#pragma once

#include "core/edition.h"

namespace hanabira {

// The players' IV advance of one of our IV positions: 2 lower for Black 2 and White 2.
constexpr int playersIvAdvance(Game game, int ivPosition) { return isSequel(game) ? ivPosition - 2 : ivPosition; }

// Our IV position of a players' IV advance.
constexpr int ivPositionOfPlayersAdvance(Game game, int playersAdvance) {
  return isSequel(game) ? playersAdvance + 2 : playersAdvance;
}

}  // namespace hanabira
