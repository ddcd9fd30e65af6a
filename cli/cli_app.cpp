#include "cli/cli_app.h"

#include <fmt/format.h>
#include <fmt/ostream.h>
#include <fmt/ranges.h>
#include <CLI/CLI.hpp>

#include <nlohmann/json.hpp>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "cli/calibrate_command.h"
#include "cli/output_file.h"
#include "cli/progress_line.h"
#include "cli/settings_json.h"
#include "cli/shard_merge.h"
#include "cli/shard_output.h"
#include "core/console_config.h"
#include "core/edition.h"
#include "core/kernel_levels.h"
#include "core/utf8_path.h"
#include "core/version.h"
#include "engine/opencl/opencl_backend.h"
#include "engine/search_engine.h"
#include "engine/settings_validation.h"
#include "engine/settings_warnings.h"

namespace hanabira {
namespace {

struct Options {
  std::string settingsPath;
  std::string configPath;
  bool example = false;
  std::string outputPath = "result.txt";
  std::string encoding = "cp932";
  bool encodingGiven = false;
  std::string resultLanguage;  // empty: the settings file's
  bool quiet = false;
  bool printSettings = false;
  bool reference = false;
  unsigned threads = 0;
  std::string isa = "auto";
  std::string plan = "auto";
  bool planGiven = false;
  std::string backend = "auto";
  std::optional<int> device;
  bool listDevices = false;
  bool version = false;
  std::optional<ShardSpec> shard;
  std::string edition;  // "White2,ENG"
  std::string console;  // "DSLite"
  CalibrateOptions calibrate;
  std::optional<std::string> calibrateSeed;
  bool calibrating = false;
};

class CliError : public std::runtime_error {
 public:
  CliError(int exitCode, const std::string& message) : std::runtime_error(message), exitCode_(exitCode) {}
  int exitCode() const { return exitCode_; }

 private:
  int exitCode_;
};

// A settings file is a page of JSON; anything longer is taken for a mistake (/dev/zero
// would never end), and parsing a mebibyte of nested arrays already takes 80 MB.
constexpr std::size_t maxSettingsBytes = 1 << 20;

// A file's text up to `limit` bytes: a longer file is refused, or cut at the limit.
std::string readFile(const std::string& path, std::string_view what, std::size_t limit, bool refuseLonger) {
  auto fail = [&](int error) {
    return CliError(exitIoFailure, fmt::format("cannot read {} '{}': {}", what, path, std::strerror(error)));
  };
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(openFile(pathFromUtf8(path), "rb"), &std::fclose);
  if (!file) throw fail(errno);
  std::string text;
  char buffer[1 << 14];
  std::size_t got;
  while (text.size() <= limit && (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, got);
  if (std::ferror(file.get())) throw fail(errno);  // a directory, for one
  if (text.size() > limit) {
    if (refuseLonger) {
      throw CliError(exitIoFailure, fmt::format("cannot read {} '{}': longer than {} bytes, the limit for a {}", what,
                                                path, limit, what));
    }
    text.resize(limit);
  }
  return text;
}

// --edition and --console over the settings file's edition: both, or either beside one
// the file names.
void applyEditionOptions(const Options& options, SearchSettings& settings) {
  if (options.edition.empty() && options.console.empty()) return;
  std::optional<Edition> edition = settings.edition;
  if (!options.edition.empty()) {
    const std::size_t comma = options.edition.find(',');
    const auto game = gameFromKey(std::string_view(options.edition).substr(0, comma));
    const auto language = comma == std::string::npos
                              ? std::nullopt
                              : languageFromKey(std::string_view(options.edition).substr(comma + 1));
    if (!game || !language) {
      throw CliError(exitInvalidInput, fmt::format("--edition {}: expected GAME,LANGUAGE such as White2,ENG "
                                                   "(Black, White, Black2, White2; JPN, ENG, GER, FRA, SPA, ITA, KOR)",
                                                   options.edition));
    }
    edition = Edition{*game, *language, edition ? edition->console : ConsoleKind::Ds};
    if (!settings.edition && options.console.empty()) throw CliError(exitInvalidInput, "--edition needs --console");
  }
  if (!options.console.empty()) {
    const auto console = consoleFromKey(options.console);
    if (!console)
      throw CliError(exitInvalidInput, fmt::format("--console {}: expected DS, DSLite, DSi or 3DS", options.console));
    if (!edition) throw CliError(exitInvalidInput, "--console needs --edition");
    edition->console = *console;
  }
  settings.edition = edition;
  settings.is3ds = dropsAfternoonFlag(edition->console);
}

// The settings, and the address they were made with where one was given (not where the
// settings give the message words themselves, which `wordsGiven` then says).
SearchSettings settingsFromOptions(const Options& options, std::optional<MacAddress>* givenMac = nullptr,
                                   bool* wordsGiven = nullptr) {
  if (options.example) return exampleSettings();

  SearchSettings base;
  std::optional<MacAddress> mac;
  bool frameGiven = false;
  bool gxStatGiven = false;
  if (!options.configPath.empty()) {
    const ConsoleConfigText config =
        parseConsoleConfig(readFile(options.configPath, "config file", consoleConfigReadLimit, false));
    const ConsoleParameters console = readConsoleParameters(config);
    applyConsoleParameters(console, base);
    mac = console.mac;
    frameGiven = config.frame.has_value();
    gxStatGiven = config.gxStat.has_value();
  }

  const std::string text = readFile(options.settingsPath, "settings file", maxSettingsBytes, true);
  try {
    const nlohmann::json object = parseSettingsText(text);
    SettingsFromJson loaded = settingsFromJson(object, base);
    if (loaded.mac) mac = loaded.mac;
    applyEditionOptions(options, loaded.settings);
    // Frame and GxStat are the console kind's where neither file gives them.
    if (const std::optional<Edition>& edition = loaded.settings.edition) {
      if (!frameGiven && !object.contains("frame")) loaded.settings.frame = editionFacts(*edition).frame;
      if (!gxStatGiven && !object.contains("gxStat")) loaded.settings.gxStat = editionFacts(*edition).gxStat;
    }
    if (!loaded.messageWordsGiven) applyMacAddress(loaded.settings, mac.value_or(MacAddress{}));
    if (givenMac != nullptr && !loaded.messageWordsGiven) *givenMac = mac;
    if (wordsGiven != nullptr) *wordsGiven = loaded.messageWordsGiven;
    return loaded.settings;
  } catch (const SettingsFileError& error) {
    throw CliError(exitInvalidInput, fmt::format("settings file '{}': {}", options.settingsPath, error.what()));
  }
}

void printSummary(std::ostream& err, const SearchSummary& summary, double seconds, unsigned threads,
                  const std::string& output, const OpenClBackend* device) {
  const double rate = seconds > 0 ? static_cast<double>(summary.momentsDone) / seconds : 0;
  const std::string matches = formatCount(summary.candidates, "match", "matches");
  if (summary.cancelled) {
    fmt::print(err, "aborted: {} of {} searched; {} holds the first {}\n", summary.momentsDone,
               formatCount(summary.momentsTotal, "boot moment", "boot moments"), output, matches);
  } else {
    const std::string via = device != nullptr ? fmt::format(" and OpenCL on {}", device->device()->name) : "";
    fmt::print(err, "{} in {}, {:.2f} s, {} on {} ({}, {}){}; written to {}\n", matches,
               formatCount(summary.momentsDone, "boot moment", "boot moments"), seconds, formatRate(rate, "seeds"),
               formatCount(threads, "thread", "threads"), isaName(summary.isa), planName(summary.plan), via, output);
  }
}

// The levels of this build as --isa takes them, narrowest first.
std::vector<std::string> levelNames() {
  std::vector<std::string> names;
  for (const KernelLevel& level : kernelLevels()) names.emplace(names.begin(), level.name);
  return names;
}

std::optional<Isa> requestedIsa(const Options& options) {
  if (options.isa == "auto") return std::nullopt;
  return parseIsa(options.isa);
}

// The level a search will run, refused here when the CPU cannot run it.
const KernelSet& chosenKernels(const Options& options) {
  try {
    const std::optional<Isa> isa = requestedIsa(options);
    return isa ? kernelsFor(*isa) : bestKernels();
  } catch (const UnsupportedIsaError& error) {
    throw CliError(exitInvalidInput, fmt::format("--isa {}: {}", options.isa, error.what()));
  }
}

std::optional<SearchPlan> requestedPlan(const Options& options) {
  if (options.plan == "auto") return std::nullopt;
  return parsePlan(options.plan);
}

// Whether what was printed reached standard output: a full disk or a closed pipe shows
// only when the stream is flushed.
bool flushed(std::ostream& out) { return static_cast<bool>(out.flush()); }

const char* const outputFailure = "cannot write to standard output";

// The OpenCL backend the options ask for, or none for the CPU's. auto takes the first GPU
// and says nothing when there is none; an explicit --backend opencl without a device is an
// error.
std::unique_ptr<OpenClBackend> chosenBackend(const Options& options, const CliEnvironment& env) {
  if (options.backend == "cpu" || options.reference) return nullptr;
  const std::vector<BackendDevice> devices = openClDevices();
  int index = options.device.value_or(bestOpenClDevice(devices));
  if (options.backend == "opencl" && index < 0 && !devices.empty()) index = 0;
  if (index < 0) {
    if (options.backend == "auto") return nullptr;
    throw CliError(exitInvalidInput, "--backend opencl: no OpenCL device on this machine");
  }
  std::ostream& err = env.err;
  const bool quiet = options.quiet;
  try {
    return std::make_unique<OpenClBackend>(index, [&err, quiet](const std::string& why) {
      if (!quiet) fmt::print(err, "warning: the OpenCL device failed ({}); the CPU searches the rest\n", why);
    });
  } catch (const OpenClError& error) {
    if (options.backend == "opencl" || options.device) {
      throw CliError(exitInvalidInput, fmt::format("--device {}: {}", index, error.what()));
    }
    if (!quiet) fmt::print(err, "warning: {}; the search runs on the CPU\n", error.what());
    return nullptr;
  }
}

std::string backendLine(const OpenClBackend* backend) {
  if (backend == nullptr) return "backend: cpu\n";
  return fmt::format("backend: opencl ({}, {})\n", backend->device()->name, backend->device()->platform);
}

int listDevices(const CliEnvironment& env) {
  const std::vector<BackendDevice> devices = openClDevices();
  if (devices.empty()) fmt::print(env.out, "no OpenCL device\n");
  for (std::size_t i = 0; i < devices.size(); ++i) {
    const BackendDevice& device = devices[i];
    fmt::print(env.out, "{}: {} ({}), {}, {}\n", i, device.name, device.platform, device.gpu ? "GPU" : "CPU",
               formatCount(device.computeUnits, "compute unit", "compute units"));
  }
  if (!flushed(env.out)) throw CliError(exitIoFailure, outputFailure);
  return exitDone;
}

// --seed: 1 to 16 hexadecimal digits, nothing else (no sign, no 0x).
InitialSeed parsedSeed(const std::string& text) {
  InitialSeed seed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed, 16);
  if (text.empty() || text.size() > 16 || error != std::errc() || end != text.data() + text.size()) {
    throw CliError(exitInvalidInput,
                   fmt::format("--seed {}: expected up to 16 hexadecimal digits", text.empty() ? "\"\"" : text));
  }
  return seed;
}

int calibrateCommand(const Options& options, const CliEnvironment& env) {
  std::optional<MacAddress> mac;
  bool wordsGiven = false;
  const SearchSettings settings = settingsFromOptions(options, &mac, &wordsGiven);
  // Without them the seeds are those of an address of zeros: a console found for nobody's.
  if (!mac && !wordsGiven) {
    throw CliError(exitInvalidInput, "calibrate needs the MAC address: give macAddress or --config");
  }
  CalibrateOptions calibrate = options.calibrate;
  calibrate.search.isa = requestedIsa(options);
  calibrate.search.threads = options.threads;
  calibrate.search.cancel = env.cancel;
  if (options.calibrateSeed) calibrate.seed = parsedSeed(*options.calibrateSeed);
  return runCalibrateCommand(calibrate, settings, mac, env);
}

// The search into its output. Everything that can refuse it is decided before a file is
// touched.
int search(const Options& options, const SearchSettings& settings, const CliEnvironment& env) {
  SearchOptions searchOptions;
  searchOptions.encoding = !options.encodingGiven        ? defaultEncoding(settings.resultLanguage)
                           : options.encoding == "utf-8" ? TextEncoding::Utf8
                                                         : TextEncoding::Cp932;
  searchOptions.cancel = env.cancel;
  searchOptions.threads = options.reference ? 1 : resolveThreadCount(options.threads);
  searchOptions.isa = requestedIsa(options);
  searchOptions.plan = requestedPlan(options);
  const std::unique_ptr<OpenClBackend> backend = chosenBackend(options, env);
  searchOptions.backend = backend.get();
  std::optional<ShardOutput> shard;
  if (options.shard) {
    shard.emplace(settings, searchOptions.encoding, *options.shard, pathFromUtf8(options.outputPath));
    searchOptions.moments = shard->range();
  }
  ProgressLine progressLine(env.err, env.errIsTerminal && !options.quiet);
  searchOptions.onProgress = [&](const SearchProgress& progress) { progressLine.update(progress); };

  SearchSummary summary;
  try {
    OutputFile output = options.outputPath == "-"
                            ? OutputFile::standardOutput()
                            : OutputFile(pathFromUtf8(options.outputPath), OutputFile::AtOnce::Keep);
    ResultSink& target = shard ? shard->sink(output.sink()) : output.sink();
    summary = options.reference ? runReferenceSearch(settings, target, searchOptions)
                                : runSearch(settings, target, searchOptions);
    output.commit();  // a stopped search's lines so far too
    if (shard) shard->finish(summary);
  } catch (const ResultWriteError& error) {
    progressLine.finish();
    throw CliError(exitIoFailure, error.what());
  } catch (const std::invalid_argument& error) {
    progressLine.finish();
    throw CliError(exitInvalidInput, error.what());
  } catch (...) {
    progressLine.finish();
    throw;
  }
  progressLine.finish();
  if (!options.quiet) {
    printSummary(env.err, summary, progressLine.elapsedSeconds(), searchOptions.threads,
                 options.outputPath == "-" ? "standard output" : options.outputPath,
                 backend != nullptr && !backend->fellBack() ? backend.get() : nullptr);
  }
  return summary.cancelled ? abortedExitCode(env) : exitDone;
}

int run(const Options& options, const CliEnvironment& env) {
  const KernelSet& kernels = chosenKernels(options);
  if (options.listDevices) return listDevices(env);
  if (options.version) {
    const std::unique_ptr<OpenClBackend> backend = chosenBackend(options, env);
    fmt::print(env.out, "hanabira-cli {}\nkernels: {}\n{}", programVersion, isaName(kernels.isa),
               backendLine(backend.get()));
    if (options.planGiven) {
      const std::optional<SearchPlan> plan = requestedPlan(options);
      fmt::print(env.out, "plan: {}\n", plan ? planName(*plan) : "auto (direct or two-stage, by the search)");
    }
    if (!flushed(env.out)) throw CliError(exitIoFailure, outputFailure);
    return exitDone;
  }
  if (options.calibrating) return calibrateCommand(options, env);
  SearchSettings settings = settingsFromOptions(options);
  if (!options.resultLanguage.empty()) settings.resultLanguage = *resultLanguageFromKey(options.resultLanguage);
  if (options.printSettings) {
    env.out << settingsToJson(settings).dump(2) << '\n';
    if (!flushed(env.out)) throw CliError(exitIoFailure, outputFailure);
    return exitDone;
  }
  if (auto problem = findSettingsProblem(settings)) throw CliError(exitInvalidInput, describe(*problem));
  if (!options.quiet) {
    for (const SettingsWarning& warning : findSettingsWarnings(settings)) {
      fmt::print(env.err, "warning: {}\n", describe(warning));
    }
  }
  clampPidConsumption(settings);

  return search(options, settings, env);
}

}  // namespace

SearchSettings exampleSettings() {
  SearchSettings settings;
  settings.versionWord = blackVersionWord;
  settings.vcount = 0x60;
  settings.timer0 = 0xC79;
  settings.gxStat = 0x06000000;
  settings.frame = 8;
  settings.startYear = settings.endYear = 11;
  settings.startMonth = settings.endMonth = 9;
  settings.startDay = settings.endDay = 27;
  settings.startHour = settings.endHour = 13;
  settings.startMinute = settings.endMinute = 47;
  settings.keyInputEnabled = true;
  applyMacAddress(settings, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55});
  return settings;
}

int runCli(int argc, const char* const* argv, const CliEnvironment& env) {
  CLI::App app{"Hanabira: finds the boot moments of Black and White whose random outcome you want.", "hanabira-cli"};
  Options options;

  auto* settings = app.add_option("-s,--settings", options.settingsPath,
                                  "Search settings: a JSON object whose keys are the settings field names "
                                  "(see README), plus macAddress")
                       ->group("Input");
  auto* config = app.add_option("-c,--config", options.configPath,
                                "Console parameters and version from a config.txt; the settings file overrides them")
                     ->group("Input");
  auto* example = app.add_flag("--example", options.example,
                               "Run the built-in example search (Black, 2011-09-27 13:47, key input on)")
                      ->group("Input");
  settings->excludes(example);
  config->excludes(example);
  const auto editionOptions = [&](CLI::App& command) {
    command
        .add_option(
            "--edition", options.edition,
            "Game and language, such as White2,ENG (Black, White, Black2, White2; JPN, ENG, GER, FRA, SPA, ITA, "
            "KOR): words W0 to W4 from the editions table")
        ->group("Input");
    command.add_option("--console", options.console, "Console kind: DS, DSLite, DSi or 3DS")->group("Input");
  };
  editionOptions(app);

  CLI::App* calibrate = app.add_subcommand(
      "calibrate",
      "Find the VCount, Timer0 and Frame that explain an outcome observed at a known boot: the boot moment is the "
      "settings' start date and time, the outcome the values ivMin to ivMax at ivConsumptionMin (or --seed)");
  calibrate->add_option("-s,--settings", options.settingsPath, "Settings of the boot (JSON, as for a search)")
      ->required()
      ->group("Input");
  calibrate->add_option("-c,--config", options.configPath, "Console parameters from a config.txt")->group("Input");
  editionOptions(*calibrate);
  calibrate->add_option("--seconds", options.calibrate.secondsAround, "Seconds searched either side of the boot")
      ->capture_default_str();
  calibrate->add_option("--seed", options.calibrateSeed, "The observed initial seed (hexadecimal) instead of values");
  calibrate->add_option("--frames", options.calibrate.frames, "Frames to try (default: the console kind's)")
      ->delimiter(',');
  calibrate->add_option("--save-config", options.calibrate.saveConfigPath,
                        "Store the chosen parameter set in this config.txt");
  calibrate->add_option("--choose", options.calibrate.choose, "The line stored by --save-config")
      ->capture_default_str();
  calibrate->add_option("-j,--threads", options.threads, "Worker threads (default: every hardware thread)")
      ->check(CLI::Range(1, 4096));

  auto* output = app.add_option("-o,--output", options.outputPath, "Result file; - writes to standard output")
                     ->capture_default_str()
                     ->group("Output");
  auto* encoding = app.add_option("--encoding", options.encoding, "Text encoding of the result file")
                       ->check(CLI::IsMember({"cp932", "utf-8"}))
                       ->capture_default_str()
                       ->group("Output");
  app.add_option("--result-language", options.resultLanguage,
                 "Language of the result file's header and names: ja, or en for the names of the English games "
                 "(written in utf-8 unless --encoding says otherwise); over the settings file's resultLanguage")
      ->check(CLI::IsMember({"ja", "en"}))
      ->group("Output");
  app.add_flag("-q,--quiet", options.quiet, "Print nothing but errors")->group("Output");
  app.add_flag("--print-settings", options.printSettings, "Print the settings the search would use, as JSON, and exit")
      ->group("Output");
  app.add_option("-j,--threads", options.threads, "Worker threads (default: every hardware thread)")
      ->check(CLI::Range(1, 4096))
      ->group("Performance");
  const std::vector<std::string> levels = levelNames();
  std::vector<std::string> isaChoices = {"auto"};
  isaChoices.insert(isaChoices.end(), levels.begin(), levels.end());
  app.add_option("--isa", options.isa,
                 fmt::format("Instruction-set level of the kernels: {}, or auto for the best this CPU runs",
                             fmt::join(levels, ", ")))
      ->check(CLI::IsMember(isaChoices))
      ->capture_default_str()
      ->group("Performance");
  auto* plan = app.add_option("--plan", options.plan,
                              "How the search runs: direct (every boot moment through the whole evaluation), "
                              "two-stage (first every MT19937 seed through the individual-value filters, then the "
                              "boot moments whose seed passed; for long searches with strict filters), or auto "
                              "for the one estimated to be faster; a search on an OpenCL device runs direct")
                   ->check(CLI::IsMember({"auto", "direct", "two-stage"}))
                   ->capture_default_str()
                   ->group("Performance");
  app.add_option("--backend", options.backend,
                 "Where the seeds are searched: cpu, opencl (a GPU, or another OpenCL device), or auto for the "
                 "first GPU when there is one, else the CPU; every backend gives the same bytes")
      ->check(CLI::IsMember({"auto", "cpu", "opencl"}))
      ->capture_default_str()
      ->group("Performance");
  app.add_option("--device", options.device, "The OpenCL device, numbered as --list-devices prints them")
      ->check(CLI::Range(0, 1023))
      ->group("Performance");
  app.add_flag("--list-devices", options.listDevices, "Print the OpenCL devices and exit")->group("Performance");
  app.add_flag("--reference", options.reference,
               "Use the plain reference path: one boot moment at a time, much slower; for verification")
      ->group("Performance");

  app.add_option_function<std::string>(
         "--shard",
         [&](const std::string& text) {
           options.shard = parseShardSpec(text);
           if (!options.shard) throw CLI::ValidationError("--shard", "expected K/N with 1 <= K <= N, got " + text);
         },
         "Search only the K-th of N equal parts of the boot moments, into result-K-of-N.txt unless -o says "
         "otherwise, with a record beside it; merge joins the N shards into the whole search's result file")
      ->type_name("K/N")
      ->group("Distribution");
  MergeOptions mergeOptions;
  CLI::App* merge = addMergeCommand(app, mergeOptions);

  app.add_flag("--version", options.version,
               "Print the version, the kernel level and the backend that would run (with --plan, the plan too), "
               "and exit");
  app.footer(
      "Exit codes: 0 done, 1 input/output failure (or no memory or thread to be had), 2 invalid settings or usage "
      "(or shards that do not make one whole search), 130 aborted (Ctrl-C; 143 SIGTERM, 129 SIGHUP); an aborted "
      "search leaves the lines found so far, complete and in order. 3: stopped at once by a second signal, the last "
      "line may be cut.");

  try {
    app.parse(argc, argv);
    options.calibrating = calibrate->parsed();
    if (options.settingsPath.empty() && !options.example && !options.version && !options.listDevices && !*merge) {
      throw CLI::RequiredError("--settings or --example");
    }
    options.planGiven = plan->count() > 0;
    options.encodingGiven = encoding->count() > 0;
    if (options.shard && output->count() == 0) options.outputPath = defaultShardFileName(*options.shard);
    if (options.shard && options.outputPath == "-") {
      throw CLI::ValidationError("--shard", "a shard is a file with its record beside it, not standard output");
    }
  } catch (const CLI::CallForHelp&) {
    env.out << app.help();
    if (flushed(env.out)) return exitDone;
    fmt::print(env.err, "error: {}\n", outputFailure);
    return exitIoFailure;
  } catch (const CLI::ParseError& error) {
    fmt::print(env.err, "error: {}\nRun with --help for the options.\n", error.what());
    return exitInvalidInput;
  }

  try {
    return *merge ? runMerge(mergeOptions, env) : run(options, env);
  } catch (const CliError& error) {
    fmt::print(env.err, "error: {}\n", error.what());
    return error.exitCode();
  } catch (const std::bad_alloc&) {
    fmt::print(env.err, "error: out of memory\n");
    return exitIoFailure;
  } catch (const std::system_error& error) {
    // What the threads of a search or a calibration throw when the system gives no more.
    if (error.code() == std::errc::resource_unavailable_try_again) {
      fmt::print(env.err, "error: cannot start another thread ({}); try fewer with -j\n", error.code().message());
    } else {
      fmt::print(env.err, "error: {}\n", error.what());
    }
    return exitIoFailure;
  }
}

int abortedExitCode(const CliEnvironment& environment) {
  const int code = environment.stopExitCode != nullptr ? environment.stopExitCode->load() : 0;
  return code != 0 ? code : exitAborted;
}

}  // namespace hanabira
