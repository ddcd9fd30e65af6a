// The profiles file as the commands use it: --profiles and --profile, the file read whole
// or refused naming it, and written whole (engine/console_profiles.h). A damaged file is
// never written over: every change starts from a file read without a problem.
#pragma once

#include <CLI/CLI.hpp>

#include <span>
#include <string>

#include "cli/shared_options.h"
#include "engine/console_profiles.h"

namespace hanabira {

// --profiles and --profile in the group Input; --profile replaces config.txt's console,
// so the two exclude each other, and both exclude --example.
void addProfileOptions(CLI::App& parser, SettingsInput& input, CLI::Option* config, CLI::Option* example);
// --profiles alone, for the commands that edit the file.
CLI::Option* addProfilesFileOption(CLI::App& parser, std::string& path);

// What --profiles names, else profiles.json in the working directory.
std::string profilesPathOf(const std::string& option);

// Whether a missing file is an empty list (the user's own file, before its first
// profile) or an error (a file to import).
enum class MissingFile { empty, refuse };

// The file's profiles. Throws CliError naming the file: exit 2 for a text that is no
// list of profiles, exit 1 for a file that cannot be read.
ConsoleProfiles readProfiles(const std::string& path, MissingFile missing = MissingFile::empty);

// The profile of that name; throws CliError (exit 2) naming the file where it has none.
const ConsoleProfile& profileNamed(std::span<const ConsoleProfile> profiles, const std::string& name,
                                   const std::string& path);

// Replaces the file with the list; throws CliError (exit 1) naming it when it cannot.
void writeProfiles(const std::string& path, std::span<const ConsoleProfile> profiles);

}  // namespace hanabira
