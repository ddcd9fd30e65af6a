// --all-profiles: the settings of a search once for every profile of the profiles file,
// each read as --profile NAME reads it, so that the search over every profile writes the
// lines of each profile's own search.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/shared_options.h"
#include "engine/profile_search.h"
#include "evaluate/result_formats.h"

namespace hanabira {

// The settings of every profile, and the result format the settings file names. Throws
// CliError (exit 2) where the file has no profile.
struct ProfileParts {
  std::vector<ProfilePart> parts;
  std::optional<ResultFormat> resultFormat;
};
ProfileParts readProfileParts(const SettingsInput& input, const ResultTextOptions& resultText);

// Throws CliError (exit 2) where the search over the parts, writing `encoding`, would be
// refused (a profile's settings, its name, its columns), naming the profile. The
// warnings of each profile's settings go to `err`, unless `quiet`.
void prepareProfileParts(std::vector<ProfilePart>& parts, TextEncoding encoding, std::ostream& err, bool quiet);

// The problem in the words of the messages' language.
std::string translatedProblem(const ProfileSearchProblem& problem);

}  // namespace hanabira
