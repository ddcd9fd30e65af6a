// `hanabira-cli calibrate`: the console parameters that explain an outcome observed at a
// known boot, one set a line, most likely first, and the chosen one into a config.txt.
#include <fmt/format.h>
#include <fmt/ostream.h>
#include <fmt/ranges.h>

#include <algorithm>
#include <charconv>
#include <chrono>

#include "cli/calibration_profile.h"
#include "cli/command.h"
#include "cli/output_file.h"
#include "cli/profiles_file.h"
#include "core/console_config.h"
#include "core/utf8_path.h"
#include "engine/calibration.h"
#include "engine/player_input.h"
#include "engine/settings_warnings.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

// "VCount=82 Timer0=10F3 Frame=6 2012-10-07 12:34:56 (+2 s) keys=none seed=… position=2"
std::string formatCalibrationMatch(const CalibrationMatch& m) {
  std::string line = fmt::format(
      "VCount={:X} Timer0={:X} Frame={} 20{:02}-{:02}-{:02} {:02}:{:02}:{:02} ({:+} s) keys={} "
      "seed={:016X}",
      m.vcount, m.timer0, m.frame, m.moment.year, m.moment.month, m.moment.day, m.moment.hour, m.moment.minute,
      m.moment.second, m.secondsOff, keysText(m.moment.keyMask), m.seed);
  if (m.position >= 0) line += fmt::format(" position={}", m.position);
  return line;
}

// The window's seconds field is the option --seconds here.
SettingsProblem secondsAsOption(SettingsProblem problem) {
  if (problem.field == "secondsAround") problem.field = "--seconds";
  return problem;
}

std::optional<int> repeatedFrame(std::vector<int> frames) {
  std::sort(frames.begin(), frames.end());
  const auto twice = std::adjacent_find(frames.begin(), frames.end());
  return twice != frames.end() ? std::optional<int>(*twice) : std::nullopt;
}

// --seed: 1 to 16 hexadecimal digits, nothing else (no sign, no 0x).
InitialSeed parsedSeed(const std::string& text) {
  InitialSeed seed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed, 16);
  if (text.empty() || text.size() > 16 || error != std::errc() || end != text.data() + text.size()) {
    throw CliError(exitInvalidInput,
                   trf("--seed {}: expected up to 16 hexadecimal digits", text.empty() ? "\"\"" : text));
  }
  return seed;
}

struct Calibrated {
  std::vector<CalibrationMatch> matches;
  bool stopped = false;  // by `cancel`: a partial list
};

struct CalibrateOptions {
  int secondsAround = 5;
  std::optional<std::string> seed;
  std::vector<int> frames;  // none: those of the console kind
  std::string saveConfigPath;
  std::string saveProfile;
  int choose = 1;  // the line stored, counted from 1
};

class CalibrateCommand final : public Command {
 public:
  CalibrateCommand(CLI::App& parser, SharedOptions& shared);
  int run(const CliEnvironment& env) override;

 private:
  CalibrationRequest checkedRequest(const SearchSettings& settings, const std::optional<MacAddress>& mac) const;
  Calibrated calibrateAndPrint(const CalibrationRequest& request, const CliEnvironment& env) const;
  const CalibrationMatch& chosenMatch(const std::vector<CalibrationMatch>& matches, std::string_view option,
                                      const std::string& target) const;
  void store(const std::vector<CalibrationMatch>& matches, const SearchSettings& settings, const MacAddress& mac) const;
  void storeInProfile(ConsoleProfiles profiles, const std::vector<CalibrationMatch>& matches,
                      const LoadedSettings& loaded) const;

  SharedOptions& shared_;
  CalibrateOptions options_;
};

CalibrateCommand::CalibrateCommand(CLI::App& parser, SharedOptions& shared) : shared_(shared) {
  addSettingsOptions(
      parser, shared.input,
      {tr("Settings of the boot (JSON, as for a search)"), tr("Console parameters from a config.txt"), "", true});
  parser.add_option("--seconds", options_.secondsAround, std::string(tr("Seconds searched either side of the boot")))
      ->capture_default_str();
  parser.add_option("--seed", options_.seed,
                    std::string(tr("The observed initial seed (hexadecimal) instead of values")));
  parser.add_option("--frames", options_.frames, std::string(tr("Frames to try (default: the console kind's)")))
      ->delimiter(',');
  parser.add_option("--save-config", options_.saveConfigPath,
                    std::string(tr("Store the chosen parameter set in this config.txt")));
  parser
      .add_option("--save-profile", options_.saveProfile,
                  std::string(tr("Store the chosen parameter set, and every set found, in this profile of the "
                                 "profiles file; a new profile takes the rest of the console from the settings")))
      ->type_name("NAME");
  parser.add_option("--choose", options_.choose, std::string(tr("The line stored by --save-config")))
      ->capture_default_str();
  addThreadsOption(parser, shared.threads);
}

int CalibrateCommand::run(const CliEnvironment& env) {
  chosenKernels(shared_.isa);  // refused here when the CPU cannot run it
  const LoadedSettings loaded = loadSettings(shared_.input);
  // Without them the seeds are those of an address of zeros: a console found for nobody's.
  if (!loaded.mac && !loaded.wordsGiven) {
    throw CliError(exitInvalidInput, std::string(tr("calibrate needs the MAC address: give macAddress or --config")));
  }
  const CalibrationRequest request = checkedRequest(loaded.settings, loaded.mac);
  // A damaged profiles file is reported before the work, and never written over.
  const ConsoleProfiles profiles =
      options_.saveProfile.empty() ? ConsoleProfiles{} : readProfiles(profilesPathOf(shared_.input.profilesPath));
  for (const SettingsWarning& warning : findSettingsWarnings(loaded.settings)) {
    fmt::print(env.err, "{}\n", trf("warning: {}", describe(warning)));
  }
  const Calibrated calibrated = calibrateAndPrint(request, env);
  if (calibrated.stopped) {
    if (!options_.saveConfigPath.empty())
      fmt::print(env.err, "{}\n", trf("nothing stored in {}", options_.saveConfigPath));
    if (!options_.saveProfile.empty())
      fmt::print(env.err, "{}\n", trf("nothing stored in profile '{}'", options_.saveProfile));
    return abortedExitCode(env);
  }
  if (!options_.saveConfigPath.empty()) {
    store(calibrated.matches, loaded.settings, *loaded.mac);
    fmt::print(env.err, "{}\n", trf("stored line {} in {}", options_.choose, options_.saveConfigPath));
  }
  if (!options_.saveProfile.empty()) {
    storeInProfile(profiles, calibrated.matches, loaded);
    fmt::print(env.err, "{}\n", trf("stored line {} in profile '{}'", options_.choose, options_.saveProfile));
  }
  return exitDone;
}

// The address comes from the settings file or config.txt and is needed only to store.
CalibrationRequest CalibrateCommand::checkedRequest(const SearchSettings& settings,
                                                    const std::optional<MacAddress>& mac) const {
  CalibrationRequest request = calibrationRequest(
      settings, options_.secondsAround, options_.seed ? std::optional(parsedSeed(*options_.seed)) : std::nullopt);
  if (!options_.frames.empty()) request.frames = options_.frames;
  if (auto problem = findCalibrationProblem(request)) {
    throw CliError(exitInvalidInput, describe(secondsAsOption(*problem)));
  }
  if (const std::optional<int> twice = repeatedFrame(options_.frames)) {
    throw CliError(exitInvalidInput,
                   trf("--frames {}: frame {} is given more than once", fmt::join(options_.frames, ","), *twice));
  }
  if (!options_.saveConfigPath.empty() && !mac) {
    throw CliError(exitInvalidInput,
                   std::string(tr("--save-config needs the MAC address: give macAddress or --config")));
  }
  return request;
}

// The matches on the output stream, the count on the error stream.
Calibrated CalibrateCommand::calibrateAndPrint(const CalibrationRequest& request, const CliEnvironment& env) const {
  CalibrationOptions search;
  search.isa = requestedIsa(shared_.isa);
  search.threads = shared_.threads;
  search.cancel = env.cancel;
  const auto start = std::chrono::steady_clock::now();
  const std::vector<CalibrationMatch> matches = calibrate(request, search);
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  const bool stopped = env.cancel != nullptr && env.cancel->load();
  for (const CalibrationMatch& match : matches) fmt::print(env.out, "{}\n", formatCalibrationMatch(match));
  env.out.flush();
  const std::string found = trnf("{} parameter set", "{} parameter sets", matches.size(), matches.size());
  const std::string frames = trnf("{} frame", "{} frames", request.frames.size(), request.frames.size());
  const std::string line =
      stopped ? trf("aborted: {} in {:.2f} s, a partial list ({} VCount, {} Timer0, {}, {} s either side)", found,
                    seconds.count(), request.vcounts.count(), request.timer0s.count(), frames, request.secondsAround)
              : trf("{} in {:.2f} s ({} VCount, {} Timer0, {}, {} s either side)", found, seconds.count(),
                    request.vcounts.count(), request.timer0s.count(), frames, request.secondsAround);
  fmt::print(env.err, "{}\n", line);
  return {matches, stopped};
}

// The console the calibration ran with, holding the chosen set.
ConsoleParameters chosenConsole(const CalibrationMatch& chosen, const SearchSettings& settings, const MacAddress& mac) {
  return {chosen.vcount,        chosen.timer0,    settings.gxStat, chosen.frame, mac,
          settings.versionWord, settings.edition, std::nullopt,    std::nullopt};
}

const CalibrationMatch& CalibrateCommand::chosenMatch(const std::vector<CalibrationMatch>& matches,
                                                      std::string_view option, const std::string& target) const {
  if (matches.empty()) {
    throw CliError(exitInvalidInput, trf("{} {}: no parameter set explains the outcome; nothing "
                                         "stored",
                                         option, target));
  }
  if (options_.choose < 1 || static_cast<std::size_t>(options_.choose) > matches.size()) {
    throw CliError(exitInvalidInput, trf("--choose {}: there are {} parameter sets", options_.choose, matches.size()));
  }
  return matches[static_cast<std::size_t>(options_.choose - 1)];
}

void CalibrateCommand::store(const std::vector<CalibrationMatch>& matches, const SearchSettings& settings,
                             const MacAddress& mac) const {
  const CalibrationMatch& chosen = chosenMatch(matches, "--save-config", options_.saveConfigPath);
  try {
    writeWholeFile(pathFromUtf8(options_.saveConfigPath), formatConsoleConfig(chosenConsole(chosen, settings, mac)));
  } catch (const ResultWriteError&) {
    throw CliError(exitIoFailure, trf("cannot write '{}'", options_.saveConfigPath));
  }
}

void CalibrateCommand::storeInProfile(ConsoleProfiles profiles, const std::vector<CalibrationMatch>& matches,
                                      const LoadedSettings& loaded) const {
  const CalibrationMatch& chosen = chosenMatch(matches, "--save-profile", options_.saveProfile);
  const std::optional<ConsoleParameters> ranWith =
      loaded.mac ? std::optional(chosenConsole(chosen, loaded.settings, *loaded.mac)) : std::nullopt;
  storeCalibration(profiles, options_.saveProfile, matches, chosen, ranWith);
  writeProfiles(profilesPathOf(shared_.input.profilesPath), profiles);
}

}  // namespace

std::unique_ptr<Command> declareCalibrateCommand(CLI::App& parser, SharedOptions& shared) {
  return std::make_unique<CalibrateCommand>(parser, shared);
}

}  // namespace hanabira
