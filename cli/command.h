// The commands of hanabira-cli, one row each: the search, whose options are the
// program's own, then calibrate, merge, adjacent and profiles. A command declares its options on its parser
// (the option groups several commands take are declared once, in cli/shared_options.h)
// and runs once they are parsed. A new command is its file and its row.
#pragma once

#include <CLI/CLI.hpp>

#include <memory>
#include <span>
#include <string_view>

#include "cli/cli_app.h"
#include "cli/shared_options.h"

namespace hanabira {

class Command {
 public:
  virtual ~Command() = default;
  // Once the arguments are parsed, the combinations they may not make: throws
  // CLI::ParseError, which the program reports as a usage error.
  virtual void checkParsed() {}
  // Returns the exit code; throws CliError.
  virtual int run(const CliEnvironment& env) = 0;
};

struct CommandDefinition {
  std::string_view name;              // after hanabira-cli; empty for the search
  std::string_view (*description)();  // for --help, in the language of the messages
  // Declares the command's options on `parser`, bound to `shared` and to the command.
  std::unique_ptr<Command> (*declare)(CLI::App& parser, SharedOptions& shared);
};

std::unique_ptr<Command> declareSearchCommand(CLI::App& parser, SharedOptions& shared);
std::unique_ptr<Command> declareCalibrateCommand(CLI::App& parser, SharedOptions& shared);
std::unique_ptr<Command> declareMergeCommand(CLI::App& parser, SharedOptions& shared);
std::unique_ptr<Command> declareAdjacentCommand(CLI::App& parser, SharedOptions& shared);
std::unique_ptr<Command> declareProfilesCommand(CLI::App& parser, SharedOptions& shared);

// The search first.
std::span<const CommandDefinition> commands();

}  // namespace hanabira
