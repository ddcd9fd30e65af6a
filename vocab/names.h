// The games' fixed vocabularies: natures, hidden-power types, dome trainers, the
// inheritance choice lists and the key names of the result file. All texts are UTF-8
// here; the result file converts them to CP932 (see cp932.h).
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace hanabira {

inline constexpr int natureCount = 25;
inline constexpr int hiddenPowerTypeCount = 16;
inline constexpr int domeTrainerCount = 52;

// First item of every choice box: the choice that imposes no condition.
inline constexpr std::string_view notSpecifiedLabel = "指定無し";

// Nature names are filled out with ideographic spaces (U+3000) to five characters,
// which keeps the nature column of a result file aligned.
std::optional<std::string_view> natureName(int id);
std::optional<std::string_view> hiddenPowerTypeName(int id);
std::optional<std::string_view> domeTrainerName(int id);

// Items of the inheritance dialog after "指定無し"; the everstone item "変わらず" is
// followed there by the nature names. A gender item names the wanted gender and its
// species' share of it: ♂(3/4) and ♀(1/4) are the species whose gender ratio is 63.
inline constexpr std::string_view unchangedNatureLabel = "変わらず";
inline constexpr std::array<std::string_view, 3> eggAbilityLabels = {"1", "2", "夢"};
inline constexpr std::array<std::string_view, 8> eggGenderRatioLabels = {"♂(7/8)", "♂(3/4)", "♂(1/2)", "♂(1/4)",
                                                                         "♀(3/4)", "♀(1/2)", "♀(1/4)", "♀(1/8)"};

// Result-file names of the keys, indexed by their bit in a key mask (the key register's
// ten, then X and Y).
inline constexpr std::array<std::string_view, 12> keyNames = {"A", "B", "Se", "St", "→", "←",
                                                              "↑", "↓", "R",  "L",  "X", "Y"};

}  // namespace hanabira
