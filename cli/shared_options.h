// The option groups more than one command takes, each declared once: where a command's
// settings come from (a settings file, a config.txt, the edition, or the built-in
// example), the worker threads and the kernels' level, which the commands bind to one
// SharedOptions, so that one given before a command's name counts for it too; and the
// result file and -q, which each command binds to its own.
#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <string_view>

#include "core/cpu_features.h"
#include "core/initial_seed.h"
#include "core/kernels.h"
#include "core/search_settings.h"
#include "evaluate/result_formats.h"
#include "evaluate/result_text.h"

namespace hanabira {

struct SettingsInput {
  std::string settingsPath;
  std::string configPath;
  bool example = false;
  std::string edition;       // "White2,ENG"
  std::string console;       // "DSLite"
  std::string profilesPath;  // empty: profiles.json in the working directory
  std::string profile;       // the console profile standing where config.txt's console would
};

struct SharedOptions {
  SettingsInput input;
  unsigned threads = 0;
  std::string isa = "auto";
};

// What a command's -s and -c say of themselves, and --example where it takes one.
struct SettingsHelp {
  std::string_view settings;
  std::string_view config;
  std::string_view example;  // empty: no --example
  bool settingsRequired = false;
};

// -s, -c, --example, --profiles, --profile and --edition, --console, in the group Input.
void addSettingsOptions(CLI::App& parser, SettingsInput& input, const SettingsHelp& help);
CLI::Option* addThreadsOption(CLI::App& parser, unsigned& threads);
// -o (its default shown in the help) and -q of a command that writes a result file; each
// command keeps its own, so that one given before a command's name is the search's.
CLI::Option* addOutputOption(CLI::App& parser, std::string& path);
CLI::Option* addQuietFlag(CLI::App& parser, bool& quiet);

// --encoding and --result-language of a command that writes result lines.
struct ResultTextOptions {
  std::string encoding = "cp932";
  std::string resultLanguage;  // empty: the settings file's
  std::string ivNumbering;     // empty: the settings file's
  bool initialAdvances = false;
  bool memoryLink = false;
  CLI::Option* encodingOption = nullptr;

  // The settings' language, numbering and columns, the options over them.
  void applyTo(SearchSettings& settings) const;
  // --encoding where it was given, else the language's own.
  TextEncoding encodingFor(ResultLanguage language) const;
};
void addResultTextOptions(CLI::App& parser, ResultTextOptions& options, const std::string& group);

struct LoadedSettings {
  SearchSettings settings;
  // The address the message words were made from, where one was given; none when the
  // settings file gives the words themselves (wordsGiven).
  std::optional<MacAddress> mac;
  bool wordsGiven = false;
  std::optional<ResultFormat> resultFormat;  // the settings file's "resultFormat"
};

// Whether a VCount or Timer0 range that config.txt leaves in force and a search would
// refuse is refused here, naming the file's line (not where the settings are only printed).
enum class ConfigRanges { refuse, keep };

// The settings file over config.txt (or over the profile --profile names), with --edition
// and --console over both; or the example. Throws CliError.
LoadedSettings loadSettings(const SettingsInput& input, ConfigRanges ranges = ConfigRanges::refuse);

// The built-in example: a Black console (VCount 60, Timer0 C79, GxStat 6000000, Frame 8,
// MAC 00-11-22-33-44-55) booted on 2011-09-27 between 13:47:00 and 13:47:59 with key input.
SearchSettings exampleSettings();

// The level --isa asks for; none for auto.
std::optional<Isa> requestedIsa(const std::string& isa);
// The level a command will run, refused (CliError) when the CPU cannot run it.
const KernelSet& chosenKernels(const std::string& isa);

}  // namespace hanabira
