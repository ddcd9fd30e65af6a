// Eggs: which stats a parent passes on, the egg's gender and ability slot, and where the
// egg's rolls lie in the personality-value random sequence.
#pragma once

#include <array>
#include <cstdint>

#include "core/search_settings.h"
#include "evaluate/iv_rules.h"

namespace hanabira {

inline constexpr int firstParent = 0;   // 先
inline constexpr int secondParent = 1;  // 後

// One inherited stat: stat 0 to 5 (H, A, B, C, D, S) and the parent it comes from.
struct InheritancePick {
  int stat;
  int parent;
};
using InheritancePicks = std::array<InheritancePick, 3>;

// A pair of values picks a stat (one of six) and a parent (the top bit).
constexpr InheritancePick inheritancePickOf(std::uint32_t statValue, std::uint32_t parentValue) {
  return {static_cast<int>(scaledRandom(statValue, 6)), static_cast<int>(parentValue >> 31)};
}

constexpr IvSet inheritIvs(IvSet ivs, const InheritancePicks& picks, const StatArray& first, const StatArray& second) {
  for (const InheritancePick& pick : picks) ivs[pick.stat] = (pick.parent == firstParent ? first : second)[pick.stat];
  return ivs;
}

// eggNature 0 asks for the everstone, whose roll takes the position after the nature roll
// and moves everything behind it one place on.
constexpr int everstoneShift(const SearchSettings& settings) { return settings.eggNature == 0 ? 1 : 0; }

// Offset from the egg position of the ability roll (read without a Ditto only) and of the
// first inheritance pair. With a Ditto the game passes two values over instead.
constexpr int eggAbilityRollOffset(const SearchSettings& settings) { return 1 + everstoneShift(settings); }
constexpr int eggFirstPairOffset(const SearchSettings& settings) {
  return (settings.withoutDitto ? 2 : 3) + everstoneShift(settings);
}

// The hidden ability passes on for an ability roll (one of five) of 2 or more.
constexpr bool hiddenAbilityRollSucceeds(std::uint32_t r) { return scaledRandom(r, 5) >= 2; }
// The everstone passes the nature on when the top bit of its roll is set.
constexpr bool everstoneRollSucceeds(std::uint32_t r) { return (r >> 31) != 0; }

constexpr int genderValueOf(std::uint32_t pid) { return static_cast<int>(pid & 0xFF); }
constexpr int abilitySlotOf(std::uint32_t pid) { return static_cast<int>((pid >> 16) & 1) + 1; }

// The wanted gender is a threshold on the gender value (the PID's low byte): the game
// makes an egg female when the value lies below the species' ratio. The choices 1 to 8
// name the wanted gender and its share among the species' offspring: male 7/8, 3/4, 1/2,
// 1/4 accept values from 31, 63, 127, 191 on; female 3/4, 1/2, 1/4, 1/8 accept values
// below 191, 127, 63, 31. Choice 0 wants any gender. Every three-quarters-male species has
// the ratio 63, so a value of 63 hatches male.
constexpr bool passesEggGender(int choice, int genderValue) {
  constexpr std::array<int, 9> threshold = {0, 31, 63, 127, 191, 191, 127, 63, 31};
  if (choice <= 0) return true;
  return choice <= 4 ? genderValue >= threshold[choice] : genderValue < threshold[choice];
}

}  // namespace hanabira
