// --all-profiles: the settings of a search once for every profile of the profiles file,
// each read as --profile NAME reads it, so that the search over every profile writes the
// lines of each profile's own search.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/shared_options.h"
#include "engine/profile_search.h"

namespace hanabira {

// Throws CliError (exit 2) where the file has no profile, or where the search over them
// would be refused (a profile's settings, its name, its columns), naming the profile.
// The warnings of each profile's settings go to `err`, unless `quiet`.
std::vector<ProfilePart> loadProfileParts(const SettingsInput& input, const ResultTextOptions& resultText,
                                          std::ostream& err, bool quiet);

// The problem in the words of the messages' language.
std::string translatedProblem(const ProfileSearchProblem& problem);

}  // namespace hanabira
