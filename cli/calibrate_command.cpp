#include "cli/calibrate_command.h"

#include <fmt/format.h>
#include <fmt/ostream.h>

#include <chrono>
#include <fstream>

#include "core/console_config.h"
#include "core/utf8_path.h"
#include "engine/settings_warnings.h"

namespace hanabira {
namespace {

constexpr std::array<std::string_view, 10> keyNamesInEnglish = {"A",    "B",  "Select", "Start", "Right",
                                                                "Left", "Up", "Down",   "R",     "L"};

std::string keysText(int keyMask) {
  std::string text;
  for (int bit = 0; bit < 10; ++bit) {
    if ((keyMask & (1 << bit)) != 0) continue;  // a 0 bit is a key held
    if (!text.empty()) text += '+';
    text += keyNamesInEnglish[static_cast<std::size_t>(bit)];
  }
  return text.empty() ? "none" : text;
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
  if (auto problem = findCalibrationProblem(request)) return fail(env, exitInvalidInput, describe(*problem));
  if (!options.saveConfigPath.empty() && !mac) {
    return fail(env, exitInvalidInput, "--save-config needs the MAC address: give macAddress or --config");
  }
  for (const SettingsWarning& warning : findSettingsWarnings(settings)) {
    fmt::print(env.err, "warning: {}\n", describe(warning));
  }

  const auto start = std::chrono::steady_clock::now();
  const std::vector<CalibrationMatch> matches = calibrate(request, options.search);
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  for (const CalibrationMatch& match : matches) fmt::print(env.out, "{}\n", formatCalibrationMatch(match));
  env.out.flush();
  fmt::print(env.err, "{} parameter {} in {:.2f} s ({} VCount, {} Timer0, {} {}, {} s either side)\n", matches.size(),
             matches.size() == 1 ? "set" : "sets", seconds.count(), request.vcounts.count(), request.timer0s.count(),
             request.frames.size(), request.frames.size() == 1 ? "frame" : "frames", request.secondsAround);
  if (options.saveConfigPath.empty()) return exitDone;

  if (options.choose < 1 || static_cast<std::size_t>(options.choose) > matches.size()) {
    return fail(env, exitInvalidInput,
                fmt::format("--choose {}: there are {} parameter sets", options.choose, matches.size()));
  }
  const CalibrationMatch& chosen = matches[static_cast<std::size_t>(options.choose - 1)];
  ConsoleParameters console{chosen.vcount,        chosen.timer0,    settings.gxStat, chosen.frame, *mac,
                            settings.versionWord, settings.edition, std::nullopt,    std::nullopt};
  std::ofstream file(pathFromUtf8(options.saveConfigPath), std::ios::binary | std::ios::trunc);
  file << formatConsoleConfig(console);
  if (!file.flush()) return fail(env, exitIoFailure, fmt::format("cannot write '{}'", options.saveConfigPath));
  fmt::print(env.err, "stored line {} in {}\n", options.choose, options.saveConfigPath);
  return exitDone;
}

}  // namespace hanabira
