#include "cli/calibrate_command.h"

#include <fmt/format.h>
#include <fmt/ostream.h>
#include <fmt/ranges.h>

#include <algorithm>
#include <chrono>

#include "cli/output_file.h"
#include "core/console_config.h"
#include "core/utf8_path.h"
#include "engine/settings_warnings.h"

namespace hanabira {
namespace {

constexpr std::array<std::string_view, keyMaskBits> keyNamesInEnglish = {
    "A", "B", "Select", "Start", "Right", "Left", "Up", "Down", "R", "L", "X", "Y"};

std::string keysText(int keyMask) {
  std::string text;
  for (int bit = 0; bit < keyMaskBits; ++bit) {
    if ((keyMask & (1 << bit)) != 0) continue;  // a 0 bit is a key held
    if (!text.empty()) text += '+';
    text += keyNamesInEnglish[static_cast<std::size_t>(bit)];
  }
  return text.empty() ? "none" : text;
}

// The window's seconds field is the option --seconds here.
SettingsProblem optionNamed(SettingsProblem problem) {
  if (problem.field == "secondsAround") problem.field = "--seconds";
  return problem;
}

std::optional<int> repeatedFrame(std::vector<int> frames) {
  std::sort(frames.begin(), frames.end());
  const auto twice = std::adjacent_find(frames.begin(), frames.end());
  return twice != frames.end() ? std::optional<int>(*twice) : std::nullopt;
}

int fail(const CliEnvironment& env, int code, const std::string& message) {
  fmt::print(env.err, "error: {}\n", message);
  return code;
}

}  // namespace

std::string formatCalibrationMatch(const CalibrationMatch& m) {
  std::string line = fmt::format(
      "VCount={:X} Timer0={:X} Frame={} 20{:02}-{:02}-{:02} {:02}:{:02}:{:02} ({:+} s) keys={} "
      "seed={:016X}",
      m.vcount, m.timer0, m.frame, m.moment.year, m.moment.month, m.moment.day, m.moment.hour, m.moment.minute,
      m.moment.second, m.secondsOff, keysText(m.moment.keyMask), m.seed);
  if (m.position >= 0) line += fmt::format(" position={}", m.position);
  return line;
}

int runCalibrateCommand(const CalibrateOptions& options, const SearchSettings& settings,
                        const std::optional<MacAddress>& mac, const CliEnvironment& env) {
  CalibrationRequest request = calibrationRequest(settings, options.secondsAround, options.seed);
  if (!options.frames.empty()) request.frames = options.frames;
  if (auto problem = findCalibrationProblem(request)) {
    return fail(env, exitInvalidInput, describe(optionNamed(*problem)));
  }
  if (const std::optional<int> twice = repeatedFrame(options.frames)) {
    return fail(env, exitInvalidInput,
                fmt::format("--frames {}: frame {} is given more than once", fmt::join(options.frames, ","), *twice));
  }
  if (!options.saveConfigPath.empty() && !mac) {
    return fail(env, exitInvalidInput, "--save-config needs the MAC address: give macAddress or --config");
  }
  for (const SettingsWarning& warning : findSettingsWarnings(settings)) {
    fmt::print(env.err, "warning: {}\n", describe(warning));
  }

  const auto start = std::chrono::steady_clock::now();
  const std::vector<CalibrationMatch> matches = calibrate(request, options.search);
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  const bool stopped = options.search.cancel != nullptr && options.search.cancel->load();
  for (const CalibrationMatch& match : matches) fmt::print(env.out, "{}\n", formatCalibrationMatch(match));
  env.out.flush();
  fmt::print(env.err, "{}{} parameter {} in {:.2f} s{} ({} VCount, {} Timer0, {} {}, {} s either side)\n",
             stopped ? "aborted: " : "", matches.size(), matches.size() == 1 ? "set" : "sets", seconds.count(),
             stopped ? ", a partial list" : "", request.vcounts.count(), request.timer0s.count(), request.frames.size(),
             request.frames.size() == 1 ? "frame" : "frames", request.secondsAround);
  if (stopped) {
    if (!options.saveConfigPath.empty()) fmt::print(env.err, "nothing stored in {}\n", options.saveConfigPath);
    return abortedExitCode(env);
  }
  if (options.saveConfigPath.empty()) return exitDone;

  if (matches.empty()) {
    return fail(
        env, exitInvalidInput,
        fmt::format("--save-config {}: no parameter set explains the outcome; nothing stored", options.saveConfigPath));
  }
  if (options.choose < 1 || static_cast<std::size_t>(options.choose) > matches.size()) {
    return fail(env, exitInvalidInput,
                fmt::format("--choose {}: there are {} parameter sets", options.choose, matches.size()));
  }
  const CalibrationMatch& chosen = matches[static_cast<std::size_t>(options.choose - 1)];
  ConsoleParameters console{chosen.vcount,        chosen.timer0,    settings.gxStat, chosen.frame, *mac,
                            settings.versionWord, settings.edition, std::nullopt,    std::nullopt};
  try {
    writeWholeFile(pathFromUtf8(options.saveConfigPath), formatConsoleConfig(console));
  } catch (const ResultWriteError&) {
    return fail(env, exitIoFailure, fmt::format("cannot write '{}'", options.saveConfigPath));
  }
  fmt::print(env.err, "stored line {} in {}\n", options.choose, options.saveConfigPath);
  return exitDone;
}

}  // namespace hanabira
