#include "evaluate/game_advances.h"

#include <array>

#include "core/lcg64.h"
#include "evaluate/iv_rules.h"

namespace hanabira {
namespace {

// The game's table: each row is a run of draws, each against the chance, in percent,
// that the run stops there. A draw scales the next value to 0 .. 100 and stops the run
// when it is at most the chance; a chance of 100 stops it without a draw. (The game's
// table has a sixth row of 100s, which draws nothing.)
constexpr std::uint32_t certain = 100;
constexpr std::array<std::array<std::uint32_t, 5>, 5> stopChances = {{
    {50, certain, certain, certain, certain},
    {50, 50, certain, certain, certain},
    {30, 50, certain, certain, certain},
    {25, 30, 50, certain, certain},
    {20, 25, 33, 50, certain},
}};

constexpr int blackWhitePasses = 5;
constexpr int sequelPasses = 5;
constexpr int distinctTripleAttempts = 100;

// The game steps the generator, then reads the upper half of the new state.
std::uint32_t draw(std::uint64_t& state, std::uint32_t n) {
  state = Lcg64::step(state);
  return scaledRandom(Lcg64::output(state), n);
}

// Black 2 and White 2 then draw three numbers below 15 until all three differ, giving up
// after 100 tries.
int distinctTripleSteps(std::uint64_t& state) {
  int steps = 0;
  for (int attempt = 0; attempt < distinctTripleAttempts; ++attempt) {
    const std::uint32_t first = draw(state, 15);
    const std::uint32_t second = draw(state, 15);
    const std::uint32_t third = draw(state, 15);
    steps += 3;
    if (first != second && first != third && second != third) break;
  }
  return steps;
}

}  // namespace

int detail::probabilityTablePass(std::uint64_t& state) {
  int steps = 0;
  for (const auto& row : stopChances) {
    for (std::uint32_t chance : row) {
      if (chance == certain) break;
      ++steps;
      if (draw(state, 101) <= chance) break;
    }
  }
  return steps;
}

int gameAdvances(Game game, bool memoryLink, std::uint64_t initialSeed) {
  std::uint64_t state = initialSeed;
  int steps = 0;
  if (!isSequel(game)) {
    for (int pass = 0; pass < blackWhitePasses; ++pass) steps += detail::probabilityTablePass(state);
    return steps;
  }
  // After the first pass the sequels make three steps whose values they do not use, two
  // once Memory Link has been used.
  steps += detail::probabilityTablePass(state);
  const int unusedSteps = memoryLink ? 2 : 3;
  state = Lcg64::jump(unusedSteps).apply(state);
  steps += unusedSteps;
  for (int pass = 1; pass < sequelPasses; ++pass) steps += detail::probabilityTablePass(state);
  return steps + distinctTripleSteps(state);
}

}  // namespace hanabira
