// The games' vocabularies as the English games write them, for result files in English.
// Every id means what it means in names.h. No name is filled out: the English names are
// written as they are, and their columns stay apart by the commas alone.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace hanabira {

std::optional<std::string_view> englishNatureName(int id);
std::optional<std::string_view> englishHiddenPowerTypeName(int id);
// Trainer class and name, such as "Artist Pierre".
std::optional<std::string_view> englishDomeTrainerName(int id);

// The key names of the result file in ASCII: the Japanese file's letters, with the
// arrows of the +Control Pad written out. Every name is a capital letter and lower-case
// ones, so that the names of a key field, written one after another, split again
// before each capital ("AStRight" is A, Start and Right).
inline constexpr std::array<std::string_view, 12> englishKeyNames = {"A",  "B",    "Se", "St", "Right", "Left",
                                                                     "Up", "Down", "R",  "L",  "X",     "Y"};

}  // namespace hanabira
