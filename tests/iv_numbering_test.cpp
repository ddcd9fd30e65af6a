#include "evaluate/iv_numbering.h"

#include <gtest/gtest.h>

namespace hanabira {
namespace {

TEST(IvNumbering, SequelsCountTwoLowerAndBothWaysAgree) {
  EXPECT_EQ(playersIvAdvance(Game::Black2, 7), 5);
  EXPECT_EQ(playersIvAdvance(Game::White2, 2), 0);
  EXPECT_EQ(playersIvAdvance(Game::Black, 7), 7);
  EXPECT_EQ(playersIvAdvance(Game::White, 0), 0);
  for (Game game : {Game::Black, Game::White, Game::Black2, Game::White2}) {
    for (int position : {0, 2, 618})
      EXPECT_EQ(ivPositionOfPlayersAdvance(game, playersIvAdvance(game, position)), position);
  }
}

}  // namespace
}  // namespace hanabira
