#include "cli/all_profiles.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include "cli/cli_app.h"
#include "cli/profiles_file.h"
#include "engine/settings_validation.h"
#include "engine/settings_warnings.h"
#include "i18n/translate.h"

namespace hanabira {

std::string translatedProblem(const ProfileSearchProblem& problem) {
  using Kind = ProfileSearchProblem::Kind;
  switch (problem.kind) {
    case Kind::NoProfiles:
      return std::string(tr("there is no profile to search"));
    case Kind::Settings:
      return trf("profile '{}': {}", problem.profile, describe(*problem.settings));
    case Kind::NameSeparator:
      return trf("profile '{}': a name with a comma or a line break cannot lead a result line", problem.profile);
    case Kind::NameEncoding:
      return trf(
          "profile '{}': the name has a character CP932 cannot hold; write the result in UTF-8 "
          "(--encoding utf-8)",
          problem.profile);
    case Kind::Columns:
      return trf(
          "profile '{}': its lines would have other columns than those of profile '{}' (a range of VCount or "
          "Timer0 in one of them only)",
          problem.profile, problem.firstProfile);
  }
  return describe(problem);
}

ProfileParts readProfileParts(const SettingsInput& input, const ResultTextOptions& resultText) {
  const std::string path = profilesPathOf(input.profilesPath);
  ProfileParts read;
  for (const ConsoleProfile& profile : readProfiles(path)) {
    SettingsInput one = input;
    one.profile = profile.name;
    const LoadedSettings loaded = loadSettings(one);
    SearchSettings settings = loaded.settings;
    resultText.applyTo(settings);
    read.parts.push_back({profile.name, settings});
    read.resultFormat = loaded.resultFormat;
  }
  if (read.parts.empty()) throw CliError(exitInvalidInput, trf("profiles file '{}' holds no profile", path));
  return read;
}

void prepareProfileParts(std::vector<ProfilePart>& parts, TextEncoding encoding, std::ostream& err, bool quiet) {
  if (auto problem = findProfileSearchProblem(parts, encoding)) {
    throw CliError(exitInvalidInput, translatedProblem(*problem));
  }
  for (ProfilePart& part : parts) {
    if (!quiet) {
      for (const SettingsWarning& warning : findSettingsWarnings(part.settings)) {
        fmt::print(err, "{}\n", trf("warning: profile '{}': {}", part.name, describe(warning)));
      }
    }
    clampPidConsumption(part.settings);
  }
}

}  // namespace hanabira
