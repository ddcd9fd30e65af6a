#include "cli/shared_options.h"

#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/cli_app.h"
#include "cli/profiles_file.h"
#include "core/console_config.h"
#include "core/edition.h"
#include "core/kernel_levels.h"
#include "core/utf8_path.h"
#include "engine/profile_search.h"
#include "engine/settings_json.h"
#include "engine/settings_validation.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

// A settings file is a page of JSON; anything longer is taken for a mistake (/dev/zero
// would never end), and parsing a mebibyte of nested arrays already takes 80 MB.
constexpr std::size_t maxSettingsBytes = 1 << 20;

// A file's text up to `limit` bytes: a longer file is refused, or cut at the limit.
std::string readFile(const std::string& path, std::string_view what, std::size_t limit, bool refuseLonger) {
  auto fail = [&](int error) {
    return CliError(exitIoFailure, trf("cannot read {} '{}': {}", what, path, std::strerror(error)));
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
      throw CliError(exitIoFailure,
                     trf("cannot read {} '{}': longer than {} bytes, the limit for a {}", what, path, limit, what));
    }
    text.resize(limit);
  }
  return text;
}

std::optional<Edition> editionOption(const std::string& text, std::optional<Edition> edition) {
  const std::size_t comma = text.find(',');
  const auto game = gameFromKey(std::string_view(text).substr(0, comma));
  const auto language =
      comma == std::string::npos ? std::nullopt : languageFromKey(std::string_view(text).substr(comma + 1));
  if (!game || !language) {
    throw CliError(exitInvalidInput, trf("--edition {}: expected GAME,LANGUAGE such as White2,ENG "
                                         "(Black, White, Black2, White2; JPN, ENG, GER, FRA, SPA, ITA, KOR)",
                                         text));
  }
  return Edition{*game, *language, edition ? edition->console : ConsoleKind::Ds};
}

// --edition and --console over the settings file's edition: both, or either beside one
// the file names.
void applyEditionOptions(const SettingsInput& input, SearchSettings& settings) {
  if (input.edition.empty() && input.console.empty()) return;
  std::optional<Edition> edition = settings.edition;
  if (!input.edition.empty()) {
    edition = editionOption(input.edition, edition);
    if (!settings.edition && input.console.empty())
      throw CliError(exitInvalidInput, std::string(tr("--edition needs --console")));
  }
  if (!input.console.empty()) {
    const auto console = consoleFromKey(input.console);
    if (!console) throw CliError(exitInvalidInput, trf("--console {}: expected DS, DSLite, DSi or 3DS", input.console));
    if (!edition) throw CliError(exitInvalidInput, std::string(tr("--console needs --edition")));
    edition->console = *console;
  }
  settings.edition = edition;
  settings.is3ds = dropsAfternoonFlag(edition->console);
}

// What config.txt gives: the settings it sets, its address, and whether it names the
// frame and GxStat.
struct ConfigFile {
  ConsoleConfigText text;
  SearchSettings base;
  std::optional<MacAddress> mac;
  bool frameGiven = false;
  bool gxStatGiven = false;
};

ConfigFile readConfigFile(const std::string& path) {
  ConfigFile file;
  if (path.empty()) return file;
  file.text = parseConsoleConfig(readFile(path, tr("config file"), consoleConfigReadLimit, false));
  if (file.text.problem) {
    throw CliError(exitInvalidInput, trf("config file '{}' {}", path, describe(*file.text.problem)));
  }
  const ConsoleParameters console = readConsoleParameters(file.text);
  applyConsoleParameters(console, file.base);
  file.mac = console.mac;
  file.frameGiven = file.text.frame.has_value();
  file.gxStatGiven = file.text.gxStat.has_value();
  return file;
}

// A profile's console stands where config.txt's would; it names every value.
ConfigFile readProfileConsole(const SettingsInput& input) {
  const std::string path = profilesPathOf(input.profilesPath);
  const ConsoleProfiles profiles = readProfiles(path);
  const ConsoleProfile& profile = profileNamed(profiles, input.profile, path);
  ConfigFile file;
  file.base = profileSettings(file.base, profile);
  file.mac = profile.console.mac;
  file.frameGiven = true;
  file.gxStatGiven = true;
  return file;
}

ConfigFile readConsoleSource(const SettingsInput& input) {
  return input.profile.empty() ? readConfigFile(input.configPath) : readProfileConsole(input);
}

// A range of the profile that the settings file leaves in force and a search refuses is
// refused naming the profile.
void refuseProfileRange(const SettingsInput& input, const nlohmann::json& object, const SearchSettings& settings) {
  const std::optional<SettingsProblem> problem = findParameterRangeProblem(settings);
  if (!problem || input.profile.empty()) return;
  const bool vcount = problem->field.starts_with("vcount");
  if (object.contains(vcount ? "vcountMin" : "timer0Min")) return;
  throw CliError(exitInvalidInput, trf("profile '{}': {}", input.profile, describe(*problem)));
}

// A range of config.txt that the settings file leaves in force and a search refuses is
// refused naming the file's line.
void refuseConfigRange(const std::string& path, const ConsoleConfigText& config, const nlohmann::json& object,
                       const SearchSettings& settings) {
  const std::optional<SettingsProblem> problem = findParameterRangeProblem(settings);
  if (!problem) return;
  const bool vcount = problem->field.starts_with("vcount");
  const std::size_t line = vcount ? (object.contains("vcountMin") ? 0 : config.vcountRangeLine)
                                  : (object.contains("timer0Min") ? 0 : config.timer0RangeLine);
  if (line == 0) return;
  throw CliError(exitInvalidInput, trf("config file '{}' line {}: {}", path, line, describe(*problem)));
}

}  // namespace

void addSettingsOptions(CLI::App& parser, SettingsInput& input, const SettingsHelp& help) {
  CLI::Option* settings = parser.add_option("-s,--settings", input.settingsPath, std::string(help.settings));
  if (help.settingsRequired) settings->required();
  settings->group(std::string(trc("option group", "Input")));
  CLI::Option* config = parser.add_option("-c,--config", input.configPath, std::string(help.config))
                            ->group(std::string(trc("option group", "Input")));
  CLI::Option* example = nullptr;
  if (!help.example.empty()) {
    example = parser.add_flag("--example", input.example, std::string(help.example))
                  ->group(std::string(trc("option group", "Input")));
    settings->excludes(example);
    config->excludes(example);
  }
  addProfileOptions(parser, input, config, example);
  parser
      .add_option(
          "--edition", input.edition,
          std::string(
              tr("Game and language, such as White2,ENG (Black, White, Black2, White2; JPN, ENG, GER, FRA, SPA, ITA, "
                 "KOR): words W0 to W4 from the editions table")))
      ->group(std::string(trc("option group", "Input")));
  parser.add_option("--console", input.console, std::string(tr("Console kind: DS, DSLite, DSi or 3DS")))
      ->group(std::string(trc("option group", "Input")));
}

CLI::Option* addThreadsOption(CLI::App& parser, unsigned& threads) {
  return parser.add_option("-j,--threads", threads, std::string(tr("Worker threads (default: every hardware thread)")))
      ->check(CLI::Range(1, 4096));
}

CLI::Option* addOutputOption(CLI::App& parser, std::string& path) {
  return parser.add_option("-o,--output", path, std::string(tr("Result file; - writes to standard output")))
      ->capture_default_str();
}

CLI::Option* addQuietFlag(CLI::App& parser, bool& quiet) {
  return parser.add_flag("-q,--quiet", quiet, std::string(tr("Print nothing but errors")));
}

void ResultTextOptions::applyTo(SearchSettings& settings) const {
  if (!resultLanguage.empty()) settings.resultLanguage = *resultLanguageFromKey(resultLanguage);
  if (!ivNumbering.empty()) settings.ivNumbering = *ivNumberingFromKey(ivNumbering);
  if (initialAdvances) settings.initialAdvances = true;
  if (memoryLink) settings.memoryLink = true;
}

TextEncoding ResultTextOptions::encodingFor(ResultLanguage language) const {
  if (encodingOption == nullptr || encodingOption->count() == 0) return defaultEncoding(language);
  return encoding == "utf-8" ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

void addResultTextOptions(CLI::App& parser, ResultTextOptions& options, const std::string& group) {
  options.encodingOption =
      parser.add_option("--encoding", options.encoding, std::string(tr("Text encoding of the result file")))
          ->check(CLI::IsMember({"cp932", "utf-8"}))
          ->capture_default_str()
          ->group(group);
  parser
      .add_option("--result-language", options.resultLanguage,
                  std::string(tr(
                      "Language of the result file's header and names: ja, or en for the names of the English games "
                      "(written in utf-8 unless --encoding says otherwise); over the settings file's resultLanguage")))
      ->check(CLI::IsMember({"ja", "en"}))
      ->group(group);
  parser
      .add_option("--iv-numbering", options.ivNumbering,
                  std::string(tr("How the result numbers IV positions: positions, from the sequence's first output, or "
                                 "players, as the players' guides count them (2 lower for Black 2 and White 2, the "
                                 "same for Black and White); over the settings file's ivNumbering")))
      ->check(CLI::IsMember({"positions", "players"}))
      ->group(group);
  parser
      .add_flag("--initial-advances", options.initialAdvances,
                std::string(tr("Add a column of the advances the game makes itself after boot before the player can "
                               "advance by hand, from each line's seed; over the settings file's initialAdvances")))
      ->group(group);
  parser
      .add_flag("--memory-link", options.memoryLink,
                std::string(tr("Count the game's own advances of Black 2 and White 2 as after Memory Link has been "
                               "used; over the settings file's memoryLink")))
      ->group(group);
}

LoadedSettings loadSettings(const SettingsInput& input, ConfigRanges ranges) {
  if (input.example) return {exampleSettings(), std::nullopt, false, std::nullopt};
  const ConfigFile config = readConsoleSource(input);
  const std::string text = readFile(input.settingsPath, tr("settings file"), maxSettingsBytes, true);
  try {
    const nlohmann::json object = parseSettingsText(text);
    SettingsFromJson loaded = settingsFromJson(object, config.base);
    const std::optional<MacAddress> mac = loaded.mac ? loaded.mac : config.mac;
    applyEditionOptions(input, loaded.settings);
    // Frame and GxStat are the console kind's where neither file gives them.
    if (const std::optional<Edition>& edition = loaded.settings.edition) {
      if (!config.frameGiven && !object.contains("frame")) loaded.settings.frame = editionFacts(*edition).frame;
      if (!config.gxStatGiven && !object.contains("gxStat")) loaded.settings.gxStat = editionFacts(*edition).gxStat;
    }
    if (!loaded.messageWordsGiven) applyMacAddress(loaded.settings, mac.value_or(MacAddress{}));
    if (ranges == ConfigRanges::refuse) {
      refuseConfigRange(input.configPath, config.text, object, loaded.settings);
      refuseProfileRange(input, object, loaded.settings);
    }
    if (loaded.messageWordsGiven) return {loaded.settings, std::nullopt, true, loaded.resultFormat};
    return {loaded.settings, mac, false, loaded.resultFormat};
  } catch (const SettingsFileError& error) {
    throw CliError(exitInvalidInput, trf("settings file '{}': {}", input.settingsPath, error.what()));
  }
}

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

std::optional<Isa> requestedIsa(const std::string& isa) {
  if (isa == "auto") return std::nullopt;
  return parseIsa(isa);
}

const KernelSet& chosenKernels(const std::string& isa) {
  try {
    const std::optional<Isa> requested = requestedIsa(isa);
    return requested ? kernelsFor(*requested) : bestKernels();
  } catch (const UnsupportedIsaError& error) {
    throw CliError(exitInvalidInput, trf("--isa {}: {}", isa, error.what()));
  }
}

}  // namespace hanabira
