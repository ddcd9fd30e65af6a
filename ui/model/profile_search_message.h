// Why the window's search over every profile is refused, in the window's language,
// naming the profile concerned.
#pragma once

#include <string>

#include "engine/profile_search.h"

namespace hanabira {

std::string profileSearchProblemMessage(const ProfileSearchProblem& problem);

}  // namespace hanabira
