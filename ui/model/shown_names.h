// The games' names as the window and its dialogs show them: the Japanese games' in the
// Japanese window, the English games' in any other language (vocab/english_names.h).
#pragma once

#include <string_view>

namespace hanabira {

// Every id must be valid (names.h): the lists show each once.
std::string_view shownNatureName(int id);
std::string_view shownHiddenPowerTypeName(int id);
std::string_view shownDomeTrainerName(int id);

}  // namespace hanabira
