// The search: hanabira-cli's own options. The settings into the result file (or a
// shard of it), progress and a summary on the error stream; --version, --list-devices and
// --print-settings instead of a search.
#include <fmt/format.h>
#include <fmt/ostream.h>
#include <fmt/ranges.h>

#include <nlohmann/json.hpp>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/all_profiles.h"
#include "cli/backend_choice.h"
#include "cli/command.h"
#include "cli/output_file.h"
#include "cli/progress_line.h"
#include "cli/result_format_option.h"
#include "cli/shard_output.h"
#include "core/kernel_levels.h"
#include "core/utf8_path.h"
#include "core/version.h"
#include "engine/profile_search.h"
#include "engine/result_sink.h"
#include "engine/search_engine.h"
#include "engine/settings_json.h"
#include "engine/settings_validation.h"
#include "engine/settings_warnings.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

struct SearchCommandOptions {
  std::string outputPath = "result.txt";
  ResultTextOptions resultText;
  ResultFormatOption format;
  bool quiet = false;
  bool printSettings = false;
  bool reference = false;
  std::string plan = "auto";
  bool planGiven = false;
  BackendChoice backend;
  bool version = false;
  std::optional<ShardSpec> shard;
  bool allProfiles = false;
};

// What runs the search once the output is open: one search, or one per profile.
using SearchRun = std::function<SearchSummary(ResultSink&, const SearchOptions&)>;

// The levels of this build as --isa takes them, narrowest first.
std::vector<std::string> levelNames() {
  std::vector<std::string> names;
  for (const KernelLevel& level : kernelLevels()) names.emplace(names.begin(), level.name);
  return names;
}

std::optional<SearchPlan> requestedPlan(const std::string& plan) {
  if (plan == "auto") return std::nullopt;
  return parsePlan(plan);
}

void printSummary(std::ostream& err, const SearchSummary& summary, double seconds, unsigned threads,
                  const std::string& output, const std::string& searchedOn) {
  const double rate = seconds > 0 ? static_cast<double>(summary.momentsDone) / seconds : 0;
  const std::string matches = trnf("{} match", "{} matches", summary.candidates, summary.candidates);
  if (summary.cancelled) {
    fmt::print(
        err, "{}\n",
        trf("aborted: {} of {} searched; {} holds the first {}", summary.momentsDone,
            trnf("{} boot moment", "{} boot moments", summary.momentsTotal, summary.momentsTotal), output, matches));
  } else {
    fmt::print(err, "{}\n",
               trf("{} in {}, {:.2f} s, {} on {} ({}, {}){}; written to {}", matches,
                   trnf("{} boot moment", "{} boot moments", summary.momentsDone, summary.momentsDone), seconds,
                   formatRate(rate, tr("seeds")), trnf("{} thread", "{} threads", threads, threads),
                   isaName(summary.isa), planName(summary.plan), searchedOn, output));
  }
}

class SearchCommand final : public Command {
 public:
  SearchCommand(CLI::App& parser, SharedOptions& shared);
  void checkParsed() override;
  int run(const CliEnvironment& env) override;

 private:
  void declareOutput(CLI::App& parser);
  void declarePerformance(CLI::App& parser);
  void declareDistribution(CLI::App& parser);
  int printVersion(const KernelSet& kernels, const CliEnvironment& env) const;
  SearchOptions engineOptions(const SearchSettings& settings, const CliEnvironment& env) const;
  int search(const SearchSettings& settings, const CliEnvironment& env) const;
  void chooseFormat(std::optional<ResultFormat> fromSettings);
  int search(const SearchSettings& settings, const CliEnvironment& env, const SearchRun& run) const;
  int searchAllProfiles(const CliEnvironment& env);

  SharedOptions& shared_;
  SearchCommandOptions options_;
  CLI::Option* output_ = nullptr;
  CLI::Option* plan_ = nullptr;
  ResultFormat format_ = ResultFormat::Txt;
};

SearchCommand::SearchCommand(CLI::App& parser, SharedOptions& shared) : shared_(shared) {
  addSettingsOptions(parser, shared.input,
                     {tr("Search settings: a JSON object whose keys are the settings field names (see README), plus "
                         "macAddress"),
                      tr("Console parameters and version from a config.txt; the settings file overrides them"),
                      tr("Run the built-in example search (Black, 2011-09-27 13:47, key input on)"), false});
  declareOutput(parser);
  declarePerformance(parser);
  declareDistribution(parser);
  parser.add_flag(
      "--version", options_.version,
      std::string(tr("Print the version, the kernel level and the backend that would run (with --plan, the plan too), "
                     "and exit")));
}

void SearchCommand::declareOutput(CLI::App& parser) {
  output_ = addOutputOption(parser, options_.outputPath)->group(std::string(trc("option group", "Output")));
  addResultTextOptions(parser, options_.resultText, std::string(trc("option group", "Output")));
  addResultFormatOption(parser, options_.format)->group(std::string(trc("option group", "Output")));
  addQuietFlag(parser, options_.quiet)->group(std::string(trc("option group", "Output")));
  parser
      .add_flag("--print-settings", options_.printSettings,
                std::string(tr("Print the settings the search would use, as JSON, and exit")))
      ->group(std::string(trc("option group", "Output")));
}

void SearchCommand::declarePerformance(CLI::App& parser) {
  addThreadsOption(parser, shared_.threads)->group(std::string(trc("option group", "Performance")));
  const std::vector<std::string> levels = levelNames();
  std::vector<std::string> isaChoices = {"auto"};
  isaChoices.insert(isaChoices.end(), levels.begin(), levels.end());
  parser
      .add_option(
          "--isa", shared_.isa,
          trf("Instruction-set level of the kernels: {}, or auto for the best this CPU runs", fmt::join(levels, ", ")))
      ->check(CLI::IsMember(isaChoices))
      ->capture_default_str()
      ->group(std::string(trc("option group", "Performance")));
  plan_ =
      parser
          .add_option(
              "--plan", options_.plan,
              std::string(tr("How the search runs: direct (every boot moment through the whole evaluation), two-stage "
                             "(first every MT19937 seed through the individual-value filters, then the boot moments "
                             "whose seed passed; for long searches with strict filters), or auto for the one estimated "
                             "to be faster; a search on an OpenCL device runs direct")))
          ->check(CLI::IsMember({"auto", "direct", "two-stage"}))
          ->capture_default_str()
          ->group(std::string(trc("option group", "Performance")));
  addBackendOptions(parser, options_.backend);
  parser
      .add_flag(
          "--reference", options_.reference,
          std::string(tr("Use the plain reference path: one boot moment at a time, much slower; for verification")))
      ->group(std::string(trc("option group", "Performance")));
}

void SearchCommand::declareDistribution(CLI::App& parser) {
  parser
      .add_option_function<std::string>(
          "--shard",
          [this](const std::string& text) {
            options_.shard = parseShardSpec(text);
            if (!options_.shard)
              throw CLI::ValidationError("--shard", trf("expected K/N with 1 <= K <= N, got {}", text));
          },
          std::string(tr("Search only the K-th of N equal parts of the boot moments, into result-K-of-N.txt unless -o "
                         "says otherwise, with a record beside it; merge joins the N shards into the whole search's "
                         "result file")))
      ->type_name("K/N")
      ->group(std::string(trc("option group", "Distribution")));
  // A search over every profile is one file, not cut into shards; its settings are
  // those of each profile.
  parser
      .add_flag("--all-profiles", options_.allProfiles,
                std::string(tr("Search with every profile of the profiles file in turn, each line led by its "
                               "profile's name; the settings file overrides each profile as with --profile")))
      ->group(std::string(trc("option group", "Input")))
      ->excludes("--profile")
      ->excludes("--config")
      ->excludes("--example")
      ->excludes("--shard")
      ->excludes("--print-settings");
}

void SearchCommand::checkParsed() {
  const SettingsInput& input = shared_.input;
  if (input.settingsPath.empty() && !input.example && !options_.version && !options_.backend.listDevices) {
    throw CLI::RequiredError("--settings or --example");
  }
  options_.planGiven = plan_->count() > 0;
  if (options_.shard && options_.outputPath == "-") {
    throw CLI::ValidationError("--shard",
                               std::string(tr("a shard is a file with its record beside it, not standard output")));
  }
}

int SearchCommand::run(const CliEnvironment& env) {
  const KernelSet& kernels = chosenKernels(shared_.isa);
  if (options_.backend.listDevices) return listDevices(env);
  if (options_.version) return printVersion(kernels, env);
  if (options_.allProfiles) return searchAllProfiles(env);
  const ConfigRanges ranges = options_.printSettings ? ConfigRanges::keep : ConfigRanges::refuse;
  const LoadedSettings loaded = loadSettings(shared_.input, ranges);
  SearchSettings settings = loaded.settings;
  options_.resultText.applyTo(settings);
  chooseFormat(loaded.resultFormat);
  if (options_.printSettings) {
    nlohmann::ordered_json printed = settingsToJson(settings);
    if (format_ != ResultFormat::Txt) printed["resultFormat"] = resultFormatName(format_);
    env.out << printed.dump(2) << '\n';
    if (!flushed(env.out)) throw CliError(exitIoFailure, outputFailure());
    return exitDone;
  }
  if (auto problem = findSettingsProblem(settings)) throw CliError(exitInvalidInput, describe(*problem));
  if (!options_.quiet) {
    for (const SettingsWarning& warning : findSettingsWarnings(settings)) {
      fmt::print(env.err, "{}\n", trf("warning: {}", describe(warning)));
    }
  }
  clampPidConsumption(settings);
  return search(settings, env, [&](ResultSink& sink, const SearchOptions& options) {
    return options_.reference ? runReferenceSearch(settings, sink, options) : runSearch(settings, sink, options);
  });
}

int SearchCommand::searchAllProfiles(const CliEnvironment& env) {
  ProfileParts read = readProfileParts(shared_.input, options_.resultText);
  chooseFormat(read.resultFormat);
  const std::vector<ProfilePart>& parts = read.parts;
  prepareProfileParts(read.parts, searchEncoding(format_, options_.resultText, parts.front().settings.resultLanguage),
                      env.err, options_.quiet);
  return search(parts.front().settings, env, [&](ResultSink& sink, const SearchOptions& options) {
    return runProfileSearch(parts, sink, {options, options_.reference, {}}).total;
  });
}

// The format and, unless -o names it, the file: result.txt, result.csv, result-K-of-N.tsv ...
void SearchCommand::chooseFormat(std::optional<ResultFormat> fromSettings) {
  format_ = options_.format.chosen(fromSettings);
  refuseOtherEncoding(format_, options_.resultText);
  if (output_->count() > 0) return;
  options_.outputPath = options_.shard ? defaultShardFileName(*options_.shard, format_) : defaultOutputPath(format_);
}

int SearchCommand::printVersion(const KernelSet& kernels, const CliEnvironment& env) const {
  const auto backend = openBackend(options_.backend, options_.reference, options_.quiet, env.err);
  fmt::print(env.out, "hanabira-cli {}\nkernels: {}\n{}", programVersion, isaName(kernels.isa), backendLines(*backend));
  if (options_.planGiven) {
    const std::optional<SearchPlan> plan = requestedPlan(options_.plan);
    fmt::print(env.out, "plan: {}\n", plan ? planName(*plan) : "auto (direct or two-stage, by the search)");
  }
  if (!flushed(env.out)) throw CliError(exitIoFailure, outputFailure());
  return exitDone;
}

SearchOptions SearchCommand::engineOptions(const SearchSettings& settings, const CliEnvironment& env) const {
  SearchOptions options;
  options.encoding = searchEncoding(format_, options_.resultText, settings.resultLanguage);
  options.cancel = env.cancel;
  options.threads = options_.reference ? 1 : resolveThreadCount(shared_.threads);
  options.isa = requestedIsa(shared_.isa);
  options.plan = requestedPlan(options_.plan);
  return options;
}

// Everything that can refuse the search is decided before a file is touched.
int SearchCommand::search(const SearchSettings& settings, const CliEnvironment& env, const SearchRun& run) const {
  SearchOptions options = engineOptions(settings, env);
  const auto backend = openBackend(options_.backend, options_.reference, options_.quiet, env.err);
  options.backend = backend.get();
  std::optional<ShardOutput> shard;
  if (options_.shard) {
    shard.emplace(settings, options.encoding, *options_.shard, pathFromUtf8(options_.outputPath), format_);
    options.moments = shard->range();
  }
  ProgressLine progressLine(env.err, env.errIsTerminal && !options_.quiet);
  options.onProgress = [&](const SearchProgress& progress) { progressLine.update(progress); };

  SearchSummary summary;
  try {
    OutputFile output = options_.outputPath == "-"
                            ? OutputFile::standardOutput()
                            : OutputFile(pathFromUtf8(options_.outputPath), OutputFile::AtOnce::Keep);
    ResultSink& file = shard ? shard->sink(output.sink()) : output.sink();
    std::optional<ConvertingSink> converting;
    if (format_ != ResultFormat::Txt) converting.emplace(file, format_);
    ResultSink& target = converting ? static_cast<ResultSink&>(*converting) : file;
    summary = run(target, options);
    output.commit();  // a stopped search's lines so far too
    if (shard) shard->finish(summary);
  } catch (const std::invalid_argument& error) {
    progressLine.finish();
    throw CliError(exitInvalidInput, error.what());
  } catch (...) {
    progressLine.finish();
    throw;
  }
  progressLine.finish();
  if (!options_.quiet) {
    printSummary(env.err, summary, progressLine.elapsedSeconds(), options.threads,
                 options_.outputPath == "-" ? std::string(tr("standard output")) : options_.outputPath,
                 searchedOn(*backend, summary));
  }
  return summary.cancelled ? abortedExitCode(env) : exitDone;
}

}  // namespace

std::unique_ptr<Command> declareSearchCommand(CLI::App& parser, SharedOptions& shared) {
  return std::make_unique<SearchCommand>(parser, shared);
}

}  // namespace hanabira
