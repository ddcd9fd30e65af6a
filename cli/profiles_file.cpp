#include "cli/profiles_file.h"

#include <fmt/format.h>

#include <system_error>

#include "cli/cli_app.h"
#include "core/utf8_path.h"
#include "i18n/translate.h"

namespace hanabira {

void addProfileOptions(CLI::App& parser, SettingsInput& input, CLI::Option* config, CLI::Option* example) {
  addProfilesFileOption(parser, input.profilesPath);
  CLI::Option* profile =
      parser
          .add_option("--profile", input.profile,
                      std::string(tr("Console profile to search with, from the profiles file, instead of config.txt's "
                                     "console; the settings file overrides it")))
          ->type_name("NAME")
          ->group(std::string(trc("option group", "Input")));
  profile->excludes(config);
  if (example != nullptr) profile->excludes(example);
}

CLI::Option* addProfilesFileOption(CLI::App& parser, std::string& path) {
  return parser
      .add_option("--profiles", path,
                  std::string(tr("Profiles file (default: profiles.json in the working directory)")))
      ->type_name("FILE")
      ->group(std::string(trc("option group", "Input")));
}

std::string profilesPathOf(const std::string& option) { return option.empty() ? profilesFileName : option; }

ConsoleProfiles readProfiles(const std::string& path, MissingFile missing) {
  ProfilesLoad load = loadProfilesFile(pathFromUtf8(path));
  if (load.error) throw CliError(exitIoFailure, trf("cannot read profiles file '{}': {}", path, load.error.message()));
  if (load.problem) throw CliError(exitInvalidInput, trf("profiles file '{}': {}", path, describe(*load.problem)));
  if (!load.found && missing == MissingFile::refuse) {
    throw CliError(exitInvalidInput, trf("profiles file '{}' does not exist", path));
  }
  return std::move(load.profiles);
}

const ConsoleProfile& profileNamed(std::span<const ConsoleProfile> profiles, const std::string& name,
                                   const std::string& path) {
  const ConsoleProfile* profile = findProfile(profiles, name);
  if (profile == nullptr) throw CliError(exitInvalidInput, trf("no profile '{}' in '{}'", name, path));
  return *profile;
}

void writeProfiles(const std::string& path, std::span<const ConsoleProfile> profiles) {
  if (const std::error_code error = saveProfilesFile(pathFromUtf8(path), profiles)) {
    throw CliError(exitIoFailure, trf("cannot write '{}': {}", path, error.message()));
  }
}

}  // namespace hanabira
