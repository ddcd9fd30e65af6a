#include "web/wasm/web_neighbours.h"

#include <fmt/format.h>

#include <charconv>
#include <utility>

#include "engine/neighbour_table.h"
#include "engine/player_input.h"
#include "engine/settings_validation.h"
#include "i18n/translate.h"
#include "vocab/english_names.h"
#include "vocab/names.h"

namespace hanabira {
namespace {

WebRefusal usage(const std::string& message) { return WebRefusal(webExitInvalidInput, message); }

// The request's fields are the command's options in its messages.
SettingsProblem optionNamed(SettingsProblem problem) {
  for (const auto& [field, option] : {std::pair{"seconds", "--seconds"}, std::pair{"timer0s", "--timer0"},
                                      std::pair{"vcounts", "--vcount"}, std::pair{"positions", "--positions"}}) {
    if (problem.field == field) problem.field = option;
  }
  return problem;
}

// The hit's VCount or Timer0: the one given, else the settings' one value.
std::uint32_t hitParameter(const std::optional<std::string>& given, std::string_view optionName, std::string_view name,
                           const std::optional<ParameterRange>& range, std::uint32_t value) {
  if (!given) {
    if (range && range->count() > 1)
      throw usage(trf("the settings search a range of {}: give the hit's with {}", name, optionName));
    return range ? range->min : value;
  }
  std::uint32_t parsed = 0;
  const auto [end, error] = std::from_chars(given->data(), given->data() + given->size(), parsed, 16);
  if (given->empty() || error != std::errc() || end != given->data() + given->size() ||
      parsed > static_cast<std::uint32_t>(parameterValueLimit)) {
    throw usage(trf("{} {}: expected a hexadecimal value up to FFFF", optionName, *given));
  }
  return parsed;
}

NeighbourhoodRequest checkedRequest(const WebNeighbourRequest& request) {
  NeighbourhoodRequest checked = request.widths;
  checked.settings = request.settings;
  const std::optional<BootMoment> moment = parseMoment(request.moment);
  if (!moment) throw usage(trf("--moment {}: expected a date and time such as 2011-09-27T13:47:35", request.moment));
  const std::optional<int> keys = parseKeys(request.keys);
  if (!keys) throw usage(trf("--keys {}: expected key names joined by + such as A+Start, or none", request.keys));
  checked.aimed = *moment;
  checked.aimed.keyMask = *keys;
  const SearchSettings& s = checked.settings;
  checked.aimed.vcount = hitParameter(request.hitVcount, "--hit-vcount", "VCount", s.vcountRange, s.vcount);
  checked.aimed.timer0 = hitParameter(request.hitTimer0, "--hit-timer0", "Timer0", s.timer0Range, s.timer0);
  if (auto problem = findNeighbourhoodProblem(checked)) throw usage(describe(optionNamed(*problem)));
  return checked;
}

// The keys of a line's key cell ("ABSt←↓RL", "ABStLeftDownRL"): the longest name first.
std::optional<int> keyMaskOf(std::string_view cell, ResultLanguage language) {
  const auto& names = language == ResultLanguage::English ? englishKeyNames : keyNames;
  int mask = noKeysHeld;
  while (!cell.empty()) {
    std::optional<std::size_t> found;
    for (std::size_t bit = 0; bit < names.size(); ++bit) {
      if (cell.starts_with(names[bit]) && (!found || names[bit].size() > names[*found].size())) found = bit;
    }
    if (!found) return std::nullopt;
    mask &= ~(1 << *found);
    cell.remove_prefix(names[*found].size());
  }
  return mask;
}

}  // namespace

std::optional<WebRowHit> hitOfCells(const SearchSettings& settings, const std::vector<std::string>& cells) {
  if (cells.size() < 6) return std::nullopt;
  for (std::size_t i = 0; i < 6; ++i) {
    if (cells[i].empty() || cells[i].size() > 2) return std::nullopt;
  }
  WebRowHit hit{fmt::format("20{:0>2}-{:0>2}-{:0>2}T{:0>2}:{:0>2}:{:0>2}", cells[0], cells[1], cells[2], cells[3],
                            cells[4], cells[5]),
                "none", std::nullopt, std::nullopt};
  if (searchesParameterRanges(settings)) {
    if (cells.size() < 8) return std::nullopt;
    hit.hitVcount = cells[6];
    hit.hitTimer0 = cells[7];
  }
  if (settings.keyInputEnabled) {
    const std::optional<int> mask = keyMaskOf(cells.back(), settings.resultLanguage);
    if (!mask) return std::nullopt;
    hit.keys = keysText(*mask);
  }
  return hit;
}

WebNeighbourTable neighbourTable(const WebNeighbourRequest& request) {
  const std::optional<Isa> isa = requestedIsa(request.isa);
  const NeighbourhoodRequest checked = checkedRequest(request);
  const std::string& encodingName = request.encoding;
  const TextEncoding encoding = encodingName.empty()      ? defaultEncoding(checked.settings.resultLanguage)
                                : encodingName == "utf-8" ? TextEncoding::Utf8
                                                          : TextEncoding::Cp932;
  const Neighbourhood neighbourhood = evaluateNeighbours(checked, encoding, isa);
  const NeighbourTable table(checked.settings.resultLanguage, encoding, false);
  WebNeighbourTable result{table.header(neighbourhood), {}, encoding};
  for (const NeighbourLine& line : linesOf(neighbourhood)) {
    result.text += table.line(neighbourhood.rows[line.row], textOf(neighbourhood, line), false);
  }
  const std::size_t boots = neighbourBoots(checked).size();
  result.summary = trnf("{} boot moment around the hit", "{} boot moments around the hit", boots, boots);
  return result;
}

}  // namespace hanabira
