#include "cli/all_profiles.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include "cli/cli_app.h"
#include "cli/profiles_file.h"
#include "engine/settings_validation.h"
#include "engine/settings_warnings.h"
#include "i18n/translate.h"

namespace hanabira {

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
    throw CliError(exitInvalidInput, translatedDescription(*problem));
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
