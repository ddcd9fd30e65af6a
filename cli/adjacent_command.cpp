// `hanabira-cli adjacent`: the boot moments around a hit, each with the lines the search
// writes there, and with --observed those that agree with what the player saw first.
#include <fmt/format.h>
#include <fmt/ostream.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "cli/boot_moment_text.h"
#include "cli/command.h"
#include "cli/neighbour_table.h"
#include "engine/boot_neighbours.h"
#include "engine/observed_neighbours.h"
#include "engine/settings_validation.h"
#include "evaluate/search_modes.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

struct AdjacentOptions {
  std::string moment;
  std::string keys = "none";
  std::optional<std::string> hitVcount, hitTimer0;
  std::optional<std::string> observed;
  ResultTextOptions resultText;
};

CliError usage(const std::string& message) { return CliError(exitInvalidInput, message); }

// The request's fields are the options here.
SettingsProblem optionNamed(SettingsProblem problem) {
  for (const auto& [field, option] : {std::pair{"seconds", "--seconds"}, std::pair{"timer0s", "--timer0"},
                                      std::pair{"vcounts", "--vcount"}, std::pair{"positions", "--positions"}}) {
    if (problem.field == field) problem.field = option;
  }
  return problem;
}

// "31" or "20-31": one value or a range of them, 0 to 31.
bool parseIvRange(std::string_view text, int& min, int& max) {
  const auto read = [](std::string_view digits, int& value) {
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return !digits.empty() && error == std::errc() && end == digits.data() + digits.size() && value >= 0 &&
           value <= 31 && digits.front() != '-';
  };
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) return read(text, min) && read(text, max);
  return read(text.substr(0, dash), min) && read(text.substr(dash + 1), max) && min <= max;
}

ObservedIvs parsedObservation(const std::string& text) {
  ObservedIvs observed;
  std::string_view rest = text;
  for (std::size_t stat = 0; stat < 6; ++stat) {
    const std::size_t comma = rest.find(',');
    const bool last = stat == 5;
    if ((comma == std::string_view::npos) != last ||
        !parseIvRange(rest.substr(0, comma), observed.min[stat], observed.max[stat])) {
      throw usage(trf("--observed {}: expected the six values H,A,B,C,D,S, each a value or a range such as 0-5", text));
    }
    if (!last) rest.remove_prefix(comma + 1);
  }
  return observed;
}

// The hit's VCount or Timer0: the option's, else the settings' one value.
std::uint32_t hitParameter(const std::optional<std::string>& option, std::string_view optionName, std::string_view name,
                           const std::optional<ParameterRange>& range, std::uint32_t value) {
  if (!option) {
    if (range && range->count() > 1)
      throw usage(trf("the settings search a range of {}: give the hit's with {}", name, optionName));
    return range ? range->min : value;
  }
  std::uint32_t parsed = 0;
  const auto [end, error] = std::from_chars(option->data(), option->data() + option->size(), parsed, 16);
  if (option->empty() || error != std::errc() || end != option->data() + option->size() ||
      parsed > static_cast<std::uint32_t>(parameterValueLimit)) {
    throw usage(trf("{} {}: expected a hexadecimal value up to FFFF", optionName, *option));
  }
  return parsed;
}

std::size_t lineCount(const NeighbourRow& row) {
  return static_cast<std::size_t>(std::count(row.lines.begin(), row.lines.end(), '\n'));
}

class AdjacentCommand final : public Command {
 public:
  AdjacentCommand(CLI::App& parser, SharedOptions& shared);
  int run(const CliEnvironment& env) override;

 private:
  NeighbourhoodRequest checkedRequest() const;
  // The order of the rows printed: those that agree with the observation first.
  std::vector<std::size_t> printOrder(const NeighbourhoodRequest& request, const Neighbourhood& neighbourhood,
                                      std::vector<bool>& agrees, const CliEnvironment& env) const;

  SharedOptions& shared_;
  AdjacentOptions options_;
  NeighbourhoodRequest defaults_;
};

AdjacentCommand::AdjacentCommand(CLI::App& parser, SharedOptions& shared) : shared_(shared) {
  addSettingsOptions(
      parser, shared.input,
      {tr("Settings of the search that found the hit (JSON)"),
       tr("Console parameters and version from a config.txt; the settings file overrides them"), "", true});
  parser.add_option("--moment", options_.moment, std::string(tr("The boot moment of the hit, as 2011-09-27T13:47:35")))
      ->required();
  parser.add_option("--keys", options_.keys, std::string(tr("The keys held at the hit, as A+Start, or none")))
      ->capture_default_str();
  parser.add_option("--hit-vcount", options_.hitVcount,
                    std::string(tr("The hit's VCount (hexadecimal), where the settings search a range")));
  parser.add_option("--hit-timer0", options_.hitTimer0,
                    std::string(tr("The hit's Timer0 (hexadecimal), where the settings search a range")));
  parser.add_option("--seconds", defaults_.seconds, std::string(tr("Seconds either side of the hit")))
      ->capture_default_str();
  parser.add_option("--timer0", defaults_.timer0s, std::string(tr("Timer0 values either side of the hit's")))
      ->capture_default_str();
  parser.add_option("--vcount", defaults_.vcounts, std::string(tr("VCount values either side of the hit's")))
      ->capture_default_str();
  parser
      .add_option("--positions", defaults_.positions,
                  std::string(tr("Positions either side of the settings' positions")))
      ->capture_default_str();
  parser.add_flag("--keys-one-away", defaults_.keysOneAway,
                  std::string(tr("Also the boots with one key more or one fewer held")));
  parser.add_option("--observed", options_.observed,
                    std::string(tr("The individual values seen, H,A,B,C,D,S, each a value or a range such as 0-5: "
                                   "the boots that give them are marked and listed first, the likeliest first")));
  addResultTextOptions(parser, options_.resultText, std::string(trc("option group", "Output")));
  addThreadsOption(parser, shared.threads);
}

NeighbourhoodRequest AdjacentCommand::checkedRequest() const {
  NeighbourhoodRequest request = defaults_;
  request.settings = loadSettings(shared_.input).settings;
  options_.resultText.applyLanguage(request.settings);
  const std::optional<BootMoment> moment = parseMoment(options_.moment);
  if (!moment) throw usage(trf("--moment {}: expected a date and time such as 2011-09-27T13:47:35", options_.moment));
  const std::optional<int> keys = parseKeys(options_.keys);
  if (!keys) throw usage(trf("--keys {}: expected key names joined by + such as A+Start, or none", options_.keys));
  request.aimed = *moment;
  request.aimed.keyMask = *keys;
  const SearchSettings& s = request.settings;
  request.aimed.vcount = hitParameter(options_.hitVcount, "--hit-vcount", "VCount", s.vcountRange, s.vcount);
  request.aimed.timer0 = hitParameter(options_.hitTimer0, "--hit-timer0", "Timer0", s.timer0Range, s.timer0);
  if (auto problem = findNeighbourhoodProblem(request)) throw usage(describe(optionNamed(*problem)));
  if (options_.observed && !selectedMode(request.settings).readsIndividualValues) {
    throw usage(
        trf("--observed: the {} search reads no individual values; give them for the iv, shiny or "
            "inheritance search",
            selectedMode(request.settings).name));
  }
  return request;
}

std::vector<std::size_t> AdjacentCommand::printOrder(const NeighbourhoodRequest& request,
                                                     const Neighbourhood& neighbourhood, std::vector<bool>& agrees,
                                                     const CliEnvironment& env) const {
  agrees.assign(neighbourhood.rows.size(), false);
  std::vector<std::size_t> order;
  if (options_.observed) {
    CalibrationOptions calibration;
    calibration.threads = shared_.threads;
    calibration.isa = requestedIsa(shared_.isa);
    calibration.cancel = env.cancel;
    order = rowsWithObservedIvs(request, neighbourhood, parsedObservation(*options_.observed), calibration);
    for (const std::size_t row : order) agrees[row] = true;
  }
  for (std::size_t row = 0; row < neighbourhood.rows.size(); ++row) {
    if (!agrees[row]) order.push_back(row);
  }
  return order;
}

int AdjacentCommand::run(const CliEnvironment& env) {
  chosenKernels(shared_.isa);                                    // refused here when the CPU cannot run it
  if (options_.observed) parsedObservation(*options_.observed);  // refused before the work
  const NeighbourhoodRequest request = checkedRequest();
  const TextEncoding encoding = options_.resultText.encodingFor(request.settings.resultLanguage);
  const Neighbourhood neighbourhood = evaluateNeighbours(request, encoding, requestedIsa(shared_.isa));
  std::vector<bool> agrees;
  const std::vector<std::size_t> order = printOrder(request, neighbourhood, agrees, env);
  if (env.cancel != nullptr && env.cancel->load()) return abortedExitCode(env);

  const NeighbourTable table(request.settings.resultLanguage, encoding, options_.observed.has_value());
  env.out << table.header(neighbourhood);
  std::size_t agreeing = 0;
  for (const std::size_t row : order) {
    env.out << table.lines(neighbourhood.rows[row], agrees[row]);
    if (agrees[row]) agreeing += lineCount(neighbourhood.rows[row]);
  }
  if (!flushed(env.out)) throw CliError(exitIoFailure, outputFailure());
  const std::size_t boots = neighbourBoots(request).size();
  std::string summary = trnf("{} boot moment around the hit", "{} boot moments around the hit", boots, boots);
  if (options_.observed) {
    summary +=
        trnf("; {} line agrees with the observation", "; {} lines agree with the observation", agreeing, agreeing);
  }
  fmt::print(env.err, "{}\n", summary);
  return exitDone;
}

}  // namespace

std::unique_ptr<Command> declareAdjacentCommand(CLI::App& parser, SharedOptions& shared) {
  return std::make_unique<AdjacentCommand>(parser, shared);
}

}  // namespace hanabira
