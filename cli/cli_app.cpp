#include "cli/cli_app.h"

#include <fmt/format.h>
#include <fmt/ostream.h>
#include <CLI/CLI.hpp>

#include <array>
#include <memory>
#include <new>
#include <system_error>
#include <vector>

#include "cli/command.h"
#include "cli/ui_language_option.h"
#include "engine/result_sink.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

constexpr std::array<CommandDefinition, 5> commandRows = {{
    {"", [] { return std::string_view(); }, declareSearchCommand},
    {"calibrate",
     [] {
       return tr(
           "Find the VCount, Timer0 and Frame that explain an outcome observed at a known boot: the boot "
           "moment is the settings' start date and time, the outcome the values ivMin to ivMax at "
           "ivConsumptionMin (or --seed)");
     },
     declareCalibrateCommand},
    {"merge", [] { return tr("Join the shards of a search (from --shard K/N) into the file one search writes"); },
     declareMergeCommand},
    {"adjacent",
     [] {
       return tr(
           "The boot moments around a hit (seconds, Timer0, VCount, keys) with the lines the search writes there, "
           "and with --observed those that give what was seen, the likeliest first");
     },
     declareAdjacentCommand},
    {"profiles",
     [] { return tr("List, export, import and remove the console profiles of the profiles file (profiles.json)"); },
     declareProfilesCommand},
}};

struct DeclaredCommand {
  CLI::App* parser;
  std::unique_ptr<Command> command;
};

// Every command on `app`, the search's options on `app` itself, in the order of the rows.
std::vector<DeclaredCommand> declareCommands(CLI::App& app, SharedOptions& shared, std::string& uiLanguage) {
  std::vector<DeclaredCommand> declared;
  for (const CommandDefinition& row : commands()) {
    CLI::App* parser =
        row.name.empty() ? &app : app.add_subcommand(std::string(row.name), std::string(row.description()));
    declared.push_back({parser, row.declare(*parser, shared)});
    declareUiLanguageOption(*parser, uiLanguage);
  }
  app.footer(std::string(
      tr("Exit codes: 0 done, 1 input/output failure (or no memory or thread to be had), 2 invalid settings or usage "
         "(or shards that do not make one whole search), 130 aborted (Ctrl-C; 143 SIGTERM, 129 SIGHUP); an aborted "
         "search leaves the lines found so far, complete and in order. 3: stopped at once by a second signal, the last "
         "line may be cut.")));
  return declared;
}

// The command the arguments name: a subcommand that was given, else the search.
Command& parsedCommand(const std::vector<DeclaredCommand>& declared) {
  for (const DeclaredCommand& candidate : declared) {
    if (candidate.parser->get_parent() != nullptr && candidate.parser->parsed()) return *candidate.command;
  }
  return *declared.front().command;
}

// Every error a command ends with, as its message and exit code.
int runReportingErrors(Command& command, const CliEnvironment& env) {
  try {
    return command.run(env);
  } catch (const CliError& error) {
    fmt::print(env.err, "{}\n", trf("error: {}", error.what()));
    return error.exitCode();
  } catch (const ResultWriteError& error) {
    fmt::print(env.err, "{}\n", trf("error: {}", error.what()));
    return exitIoFailure;
  } catch (const std::bad_alloc&) {
    fmt::print(env.err, "{}\n", tr("error: out of memory"));
    return exitIoFailure;
  } catch (const std::system_error& error) {
    // What the threads of a search or a calibration throw when the system gives no more.
    if (error.code() == std::errc::resource_unavailable_try_again) {
      fmt::print(env.err, "{}\n",
                 trf("error: cannot start another thread ({}); try fewer with -j", error.code().message()));
    } else {
      fmt::print(env.err, "{}\n", trf("error: {}", error.what()));
    }
    return exitIoFailure;
  }
}

}  // namespace

std::span<const CommandDefinition> commands() { return commandRows; }

int runCli(int argc, const char* const* argv, const CliEnvironment& env) {
  std::string uiLanguage = chosenUiLanguage(argc, argv, env.localeLanguages);
  setUiLanguage(uiLanguage);
  CLI::App app{std::string(tr("Hanabira: finds the boot moments of Black and White whose random outcome you want.")),
               "hanabira-cli"};
  SharedOptions shared;
  const std::vector<DeclaredCommand> declared = declareCommands(app, shared, uiLanguage);
  Command* command = nullptr;
  try {
    app.parse(argc, argv);
    command = &parsedCommand(declared);
    command->checkParsed();
  } catch (const CLI::CallForHelp&) {
    env.out << app.help();
    if (flushed(env.out)) return exitDone;
    fmt::print(env.err, "{}\n", trf("error: {}", outputFailure()));
    return exitIoFailure;
  } catch (const CLI::ParseError& error) {
    fmt::print(env.err, "{}\n{}\n", trf("error: {}", error.what()), tr("Run with --help for the options."));
    return exitInvalidInput;
  }
  return runReportingErrors(*command, env);
}

int abortedExitCode(const CliEnvironment& environment) {
  const int code = environment.stopExitCode != nullptr ? environment.stopExitCode->load() : 0;
  return code != 0 ? code : exitAborted;
}

bool flushed(std::ostream& out) { return static_cast<bool>(out.flush()); }

std::string outputFailure() { return std::string(tr("cannot write to standard output")); }

}  // namespace hanabira
