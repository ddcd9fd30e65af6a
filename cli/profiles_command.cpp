// `hanabira-cli profiles`: the console profiles of the profiles file listed, exported to a
// file another installation imports, imported from one, and removed. Every change
// replaces the whole file, and starts from a file read without a problem.
#include <fmt/format.h>
#include <fmt/ostream.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/profiles_file.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

// "VCount=82 Timer0=10F3 Frame=8", a range as "VCount=81-83".
std::string parameterText(std::string_view label, std::uint32_t value, const std::optional<ParameterRange>& range) {
  if (range && range->count() > 1) return fmt::format("{}={:X}-{:X}", label, range->min, range->max);
  return fmt::format("{}={:X}", label, value);
}

// "DS Lite\tWhite2,ENG,DSLite MAC=00-09-BF-12-34-56 VCount=82 Timer0=10F5 Frame=8"
std::string profileLine(const ConsoleProfile& profile) {
  const ConsoleParameters& console = profile.console;
  std::string line = profile.name + '\t';
  if (console.edition) {
    line += fmt::format("{},{},{} ", gameKey(console.edition->game), languageKey(console.edition->language),
                        consoleKey(console.edition->console));
  }
  const MacAddress& mac = console.mac;
  line += fmt::format("MAC={:02X}-{:02X}-{:02X}-{:02X}-{:02X}-{:02X} ", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  line += parameterText("VCount", console.vcount, console.vcountRange) + ' ';
  line += parameterText("Timer0", console.timer0, console.timer0Range) + ' ';
  return line + fmt::format("Frame={}", console.frame);
}

struct ProfilesOptions {
  std::vector<std::string> names;  // export: none for all
  std::string exportPath;
  std::string importPath;
  bool replace = false;
  std::string removeName;
};

class ProfilesCommand final : public Command {
 public:
  ProfilesCommand(CLI::App& parser, SharedOptions& shared);
  int run(const CliEnvironment& env) override;

 private:
  int list(const CliEnvironment& env) const;
  int exportProfiles(const CliEnvironment& env) const;
  int importProfiles(const CliEnvironment& env) const;
  int remove(const CliEnvironment& env) const;
  std::string path() const { return profilesPathOf(shared_.input.profilesPath); }

  SharedOptions& shared_;
  ProfilesOptions options_;
  CLI::App* list_;
  CLI::App* export_;
  CLI::App* import_;
};

ProfilesCommand::ProfilesCommand(CLI::App& parser, SharedOptions& shared) : shared_(shared) {
  addProfilesFileOption(parser, shared.input.profilesPath);
  parser.require_subcommand(1);
  list_ = parser.add_subcommand("list", std::string(tr("Print every profile, one a line")));
  export_ = parser.add_subcommand("export", std::string(tr("Write the profiles named (none: all) to a file")));
  export_->add_option("names", options_.names, std::string(tr("Profiles to export")))->type_name("NAME");
  export_
      ->add_option("-o,--output", options_.exportPath, std::string(tr("The file written; - writes to standard output")))
      ->required();
  import_ = parser.add_subcommand("import", std::string(tr("Add the profiles of a file exported before")));
  import_->add_option("file", options_.importPath, std::string(tr("The file read")))->required()->type_name("FILE");
  import_->add_flag("--replace", options_.replace,
                    std::string(tr("Replace a profile of the same name instead of refusing the file")));
  CLI::App* remove = parser.add_subcommand("remove", std::string(tr("Remove a profile")));
  remove->add_option("name", options_.removeName, std::string(tr("The profile removed")))
      ->required()
      ->type_name("NAME");
  // --profiles may come after the action's name too.
  for (CLI::App* action : {list_, export_, import_, remove}) action->fallthrough();
}

int ProfilesCommand::run(const CliEnvironment& env) {
  if (list_->parsed()) return list(env);
  if (export_->parsed()) return exportProfiles(env);
  if (import_->parsed()) return importProfiles(env);
  return remove(env);
}

int ProfilesCommand::list(const CliEnvironment& env) const {
  for (const ConsoleProfile& profile : readProfiles(path())) fmt::print(env.out, "{}\n", profileLine(profile));
  if (!flushed(env.out)) throw CliError(exitIoFailure, outputFailure());
  return exitDone;
}

int ProfilesCommand::exportProfiles(const CliEnvironment& env) const {
  const ConsoleProfiles profiles = readProfiles(path());
  ConsoleProfiles chosen;
  for (const std::string& name : options_.names) {
    if (findProfile(chosen, name) == nullptr) chosen.push_back(profileNamed(profiles, name, path()));
  }
  if (options_.names.empty()) chosen = profiles;
  if (options_.exportPath == "-") {
    env.out << formatProfiles(chosen);
    if (!flushed(env.out)) throw CliError(exitIoFailure, outputFailure());
    return exitDone;
  }
  writeProfiles(options_.exportPath, chosen);
  fmt::print(env.err, "{}\n",
             trnf("exported {} profile to {}", "exported {} profiles to {}", chosen.size(), chosen.size(),
                  options_.exportPath));
  return exitDone;
}

int ProfilesCommand::importProfiles(const CliEnvironment& env) const {
  const ConsoleProfiles incoming = readProfiles(options_.importPath, MissingFile::refuse);
  ConsoleProfiles profiles = readProfiles(path());
  for (const ConsoleProfile& profile : incoming) {
    ConsoleProfile* same = findProfile(profiles, profile.name);
    if (same == nullptr) {
      profiles.push_back(profile);
    } else if (options_.replace) {
      *same = profile;
    } else {
      throw CliError(exitInvalidInput, trf("profile '{}' is in '{}' already; nothing imported (--replace replaces it)",
                                           profile.name, path()));
    }
  }
  writeProfiles(path(), profiles);
  fmt::print(
      env.err, "{}\n",
      trnf("imported {} profile into {}", "imported {} profiles into {}", incoming.size(), incoming.size(), path()));
  return exitDone;
}

int ProfilesCommand::remove(const CliEnvironment& env) const {
  ConsoleProfiles profiles = readProfiles(path());
  const ConsoleProfile& removed = profileNamed(profiles, options_.removeName, path());
  profiles.erase(profiles.begin() + (&removed - profiles.data()));
  writeProfiles(path(), profiles);
  fmt::print(env.err, "{}\n", trf("removed profile '{}' from {}", options_.removeName, path()));
  return exitDone;
}

}  // namespace

std::unique_ptr<Command> declareProfilesCommand(CLI::App& parser, SharedOptions& shared) {
  return std::make_unique<ProfilesCommand>(parser, shared);
}

}  // namespace hanabira
