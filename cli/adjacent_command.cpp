// `hanabira-cli adjacent`: the boot moments around a hit, each with the lines the search
// writes there, and with --observed those that agree with what the player saw first.
#include <fmt/format.h>
#include <fmt/ostream.h>

#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "engine/boot_neighbours.h"
#include "engine/neighbour_table.h"
#include "engine/observed_neighbours.h"
#include "engine/player_input.h"
#include "engine/settings_validation.h"
#include "evaluate/search_modes.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

struct AdjacentOptions {
  std::string moment;
  std::string keys = "none";
  std::optional<std::string> hitVcount, hitTimer0;
  std::optional<std::string> observed, observedNature, observedShiny;
  ResultTextOptions resultText;
};

CliError usage(const std::string& message) { return CliError(exitInvalidInput, message); }

// The request's fields are the options here.
SettingsProblem fieldsAsOptions(SettingsProblem problem) {
  for (const auto& [field, option] : {std::pair{"seconds", "--seconds"}, std::pair{"timer0s", "--timer0"},
                                      std::pair{"vcounts", "--vcount"}, std::pair{"positions", "--positions"}}) {
    if (problem.field == field) problem.field = option;
  }
  return problem;
}

// The option that gives each part of an observation.
std::string_view optionOf(std::string_view part) {
  return part == "ivs" ? "--observed" : part == "nature" ? "--observed-nature" : "--observed-shiny";
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

class AdjacentCommand final : public Command {
 public:
  AdjacentCommand(CLI::App& parser, SharedOptions& shared);
  int run(const CliEnvironment& env) override;

 private:
  Observation parsedObservation() const;
  NeighbourhoodRequest checkedRequest(const Observation& observation) const;
  // The lines in the order printed: those that agree with the observation first.
  ObservedLines printOrder(const NeighbourhoodRequest& request, const Neighbourhood& neighbourhood,
                           const Observation& observation, const CliEnvironment& env) const;

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
  parser.add_option("--observed-nature", options_.observedNature,
                    std::string(tr("The nature seen (deliveryman search), as Adamant or いじっぱり")));
  parser
      .add_option("--observed-shiny", options_.observedShiny,
                  std::string(tr("Whether it was shiny (deliveryman and inheritance search): yes or no")))
      ->check(CLI::IsMember({"yes", "no"}));
  addResultTextOptions(parser, options_.resultText, std::string(trc("option group", "Output")));
  addThreadsOption(parser, shared.threads);
}

Observation AdjacentCommand::parsedObservation() const {
  Observation observation;
  if (options_.observed) {
    observation.ivs = parseIvs(*options_.observed);
    if (!observation.ivs) {
      throw usage(trf("--observed {}: expected the six values H,A,B,C,D,S, each a value or a range such as 0-5",
                      *options_.observed));
    }
  }
  if (options_.observedNature) {
    observation.nature = parseNature(*options_.observedNature);
    if (!observation.nature) {
      throw usage(trf("--observed-nature {}: expected a nature's name such as Adamant or いじっぱり",
                      *options_.observedNature));
    }
  }
  if (options_.observedShiny) observation.shiny = *options_.observedShiny == "yes";
  return observation;
}

NeighbourhoodRequest AdjacentCommand::checkedRequest(const Observation& observation) const {
  NeighbourhoodRequest request = defaults_;
  request.settings = loadSettings(shared_.input).settings;
  options_.resultText.applyTo(request.settings);
  const std::optional<BootMoment> moment = parseMoment(options_.moment);
  if (!moment) throw usage(trf("--moment {}: expected a date and time such as 2011-09-27T13:47:35", options_.moment));
  const std::optional<int> keys = parseKeys(options_.keys);
  if (!keys) throw usage(trf("--keys {}: expected key names joined by + such as A+Start, or none", options_.keys));
  request.aimed = *moment;
  request.aimed.keyMask = *keys;
  const SearchSettings& s = request.settings;
  request.aimed.vcount = hitParameter(options_.hitVcount, "--hit-vcount", "VCount", s.vcountRange, s.vcount);
  request.aimed.timer0 = hitParameter(options_.hitTimer0, "--hit-timer0", "Timer0", s.timer0Range, s.timer0);
  if (auto problem = findNeighbourhoodProblem(request)) throw usage(describe(fieldsAsOptions(*problem)));
  if (auto part = unobservedPart(request.settings, observation)) {
    throw usage(trf("{}: the {} search does not show it", optionOf(*part), selectedMode(request.settings).name));
  }
  return request;
}

ObservedLines AdjacentCommand::printOrder(const NeighbourhoodRequest& request, const Neighbourhood& neighbourhood,
                                          const Observation& observation, const CliEnvironment& env) const {
  if (!observation.ivs && !observation.nature && !observation.shiny) return {{}, linesOf(neighbourhood)};
  CalibrationOptions calibration;
  calibration.threads = shared_.threads;
  calibration.isa = requestedIsa(shared_.isa);
  calibration.cancel = env.cancel;
  return sortByObservation(request, neighbourhood, observation, calibration);
}

int AdjacentCommand::run(const CliEnvironment& env) {
  chosenKernels(shared_.isa);  // refused here when the CPU cannot run it
  const Observation observation = parsedObservation();
  const NeighbourhoodRequest request = checkedRequest(observation);
  const TextEncoding encoding = options_.resultText.encodingFor(request.settings.resultLanguage);
  const Neighbourhood neighbourhood = evaluateNeighbours(request, encoding, requestedIsa(shared_.isa));
  const ObservedLines lines = printOrder(request, neighbourhood, observation, env);
  if (env.cancel != nullptr && env.cancel->load()) return abortedExitCode(env);

  const bool observed = observation.ivs || observation.nature || observation.shiny;
  const NeighbourTable table(request.settings.resultLanguage, encoding, observed);
  env.out << table.header(neighbourhood);
  for (const NeighbourLine& line : lines.agreeing) {
    env.out << table.line(neighbourhood.rows[line.row], textOf(neighbourhood, line), true);
  }
  for (const NeighbourLine& line : lines.others) {
    env.out << table.line(neighbourhood.rows[line.row], textOf(neighbourhood, line), false);
  }
  if (!flushed(env.out)) throw CliError(exitIoFailure, outputFailure());
  const std::size_t boots = neighbourBoots(request).size();
  std::string summary = trnf("{} boot moment around the hit", "{} boot moments around the hit", boots, boots);
  if (observed) {
    const std::size_t agreeing = lines.agreeing.size();
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
