// The options that are choices from a list, with the values the lists offer. The settings
// file refuses a value outside them, and so does a search, for the options it reads.
#pragma once

namespace hanabira {

struct ChoiceRange {
  int low;
  int high;

  constexpr bool contains(int value) const { return low <= value && value <= high; }
};

inline constexpr ChoiceRange hiddenPowerTypeChoices = {-1, 15};  // -1: any type
inline constexpr ChoiceRange natureChoices = {0, 25};            // 0: any, k + 1: nature k
inline constexpr ChoiceRange encounterKindChoices = {1, 3};      // hatched, roaming, stationary
inline constexpr ChoiceRange eggNatureChoices = {-1, 25};        // -1: any, 0: the everstone, k + 1: nature k
inline constexpr ChoiceRange eggAbilityChoices = {0, 3};         // any, first, second, hidden
inline constexpr ChoiceRange eggGenderRatioChoices = {0, 8};     // any, then the eight entries
inline constexpr ChoiceRange domeTrainerChoices = {0, 52};       // 0: any, k + 1: trainer k

}  // namespace hanabira
