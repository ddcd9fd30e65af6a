#include "engine/boot_neighbours.h"

#include <algorithm>
#include <memory>

#include "core/calendar.h"
#include "core/key_input.h"
#include "engine/calibration_rules.h"
#include "engine/prepared_search.h"
#include "engine/settings_validation.h"
#include "evaluate/search_modes.h"

namespace hanabira {
namespace {

ParameterRange rangeAround(std::uint32_t value, int either) {
  const auto low = static_cast<std::uint32_t>(std::max<long long>(0, static_cast<long long>(value) - either));
  const auto high = static_cast<std::uint32_t>(std::min<long long>(parameterValueLimit, value + either));
  return {low, high};
}

void widen(int& first, int& last, int by, int limit) {
  if (first > last) return;
  first = std::max(0, first - by);
  last = std::min(limit, last + by);
}

// The settings of one neighbour's boot: its parameters, for the seed.
SearchSettings bootSettings(const SearchSettings& settings, const NeighbourBoot& boot) {
  SearchSettings s = settings;
  s.vcount = boot.moment.vcount;
  s.timer0 = boot.moment.timer0;
  return s;
}

// The settings evaluated at each individual-value position apart, or at all at once.
std::vector<SearchSettings> settingsByPosition(const SearchSettings& settings, const SearchModeDefinition& mode) {
  if (!mode.readsIndividualValues) return {settings};
  std::vector<SearchSettings> each;
  for (int j = settings.ivConsumptionMin; j <= settings.ivConsumptionMax; ++j) {
    SearchSettings s = settings;
    s.ivConsumptionMin = s.ivConsumptionMax = j;
    each.push_back(s);
  }
  return each;
}

long long span(int first, int last) { return first > last ? 0 : last - first + 1; }

// The lines a neighbourhood can hold: one per boot and position of the sequences the mode
// reads.
long long lineCount(const NeighbourhoodRequest& request) {
  const SearchSettings s = neighbourhoodSettings(request);
  const SearchModeDefinition& mode = selectedMode(s);
  long long positions = 1;
  if (mode.readsIndividualValues) positions *= std::max(1LL, span(s.ivConsumptionMin, s.ivConsumptionMax));
  if (mode.readsPersonalityValues) positions *= std::max(1LL, span(s.pidConsumptionMin, s.pidConsumptionMax));
  const long long boots = (2LL * request.seconds + 1) * (2LL * request.timer0s + 1) * (2LL * request.vcounts + 1) *
                          static_cast<long long>(neighbourKeyMasks(request).size());
  return boots * positions;
}

// The first of the request's widths that, made smaller, brings the neighbourhood within
// maxNeighbourLines: the width out of range, with the largest that fits.
std::optional<SettingsProblem> tooManyLines(const NeighbourhoodRequest& request) {
  if (lineCount(request) <= maxNeighbourLines) return std::nullopt;
  for (auto [field, width] :
       {std::pair{"seconds", &NeighbourhoodRequest::seconds}, std::pair{"timer0s", &NeighbourhoodRequest::timer0s},
        std::pair{"vcounts", &NeighbourhoodRequest::vcounts},
        std::pair{"positions", &NeighbourhoodRequest::positions}}) {
    NeighbourhoodRequest smaller = request;
    while (smaller.*width > 0 && lineCount(smaller) > maxNeighbourLines) --(smaller.*width);
    if (lineCount(smaller) <= maxNeighbourLines) {
      return SettingsProblem{field, request.*width, SettingsProblem::Kind::OutOfRange, 0, smaller.*width};
    }
  }
  return SettingsProblem{"seconds", request.seconds, SettingsProblem::Kind::OutOfRange, 0, 0};
}

}  // namespace

std::vector<NeighbourLine> linesOf(const Neighbourhood& neighbourhood) {
  std::vector<NeighbourLine> lines;
  for (std::size_t row = 0; row < neighbourhood.rows.size(); ++row) {
    const std::string& text = neighbourhood.rows[row].lines;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t end = text.find('\n', at) + 1;
      lines.push_back({row, at, end - at});
      at = end;
    }
  }
  return lines;
}

std::optional<SettingsProblem> findNeighbourhoodProblem(const NeighbourhoodRequest& request) {
  SettingsCheck check;
  check.range("seconds", request.seconds, 0, maxNeighbourSeconds);
  check.range("timer0s", request.timer0s, 0, maxNeighbourParameters);
  check.range("vcounts", request.vcounts, 0, maxNeighbourParameters);
  check.range("positions", request.positions, 0, maxNeighbourPositions);
  if (check.result()) return check.result();
  if (auto problem = findSettingsProblem(neighbourhoodSettings(request))) return problem;
  return tooManyLines(request);
}

SearchSettings neighbourhoodSettings(const NeighbourhoodRequest& request) {
  SearchSettings s = request.settings;
  const BootMoment& aimed = request.aimed;
  s.startYear = s.endYear = aimed.year;
  s.startMonth = s.endMonth = aimed.month;
  s.startDay = s.endDay = aimed.day;
  s.startHour = s.endHour = aimed.hour;
  s.startMinute = s.endMinute = aimed.minute;
  s.startSecond = s.endSecond = aimed.second;
  s.vcount = aimed.vcount;
  s.timer0 = aimed.timer0;
  s.vcountRange.reset();
  s.timer0Range.reset();
  s.keyInputEnabled = s.keyInputEnabled || aimed.keyMask != noKeysHeld || request.keysOneAway;
  if (request.keysOneAway) {  // any key may have slipped, however many are held
    s.keyAllowed.fill(true);
    s.keyCountMax.reset();
  }
  widen(s.ivConsumptionMin, s.ivConsumptionMax, request.positions, ivConsumptionLimit);
  widen(s.pidConsumptionMin, s.pidConsumptionMax, request.positions, pidConsumptionLimit);
  s.ivMin.fill(0);
  s.ivMax.fill(31);
  s.hiddenPowerType = -1;
  s.hiddenPowerMinPower = 0;
  const SearchModeDefinition& mode = selectedMode(request.settings);
  if (mode.natureTest != nullptr) s.*mode.natureTest = 0;
  if (mode.shinyTest != nullptr) s.*mode.shinyTest = false;
  return s;
}

std::vector<std::uint16_t> neighbourKeyMasks(const NeighbourhoodRequest& request) {
  std::vector<std::uint16_t> masks = {static_cast<std::uint16_t>(request.aimed.keyMask)};
  if (request.keysOneAway) {
    const SearchSettings anyKey = neighbourhoodSettings(request);
    for (int bit = 0; bit < keyMaskBits; ++bit) {
      const int mask = request.aimed.keyMask ^ (1 << bit);
      if (isKeyMaskSearched(anyKey, mask)) masks.push_back(static_cast<std::uint16_t>(mask));
    }
  }
  std::sort(masks.begin() + 1, masks.end());
  return masks;
}

ParameterRange neighbourVcounts(const NeighbourhoodRequest& request) {
  return rangeAround(request.aimed.vcount, request.vcounts);
}

ParameterRange neighbourTimer0s(const NeighbourhoodRequest& request) {
  return rangeAround(request.aimed.timer0, request.timer0s);
}

std::vector<NeighbourBoot> neighbourBoots(const NeighbourhoodRequest& request) {
  const BootMoment& aimed = request.aimed;
  const ParameterRange vcounts = neighbourVcounts(request);
  const ParameterRange timer0s = neighbourTimer0s(request);
  const std::vector<std::uint16_t> masks = neighbourKeyMasks(request);
  std::vector<NeighbourBoot> boots;
  for (const BootAround& at : bootsAround(aimed, request.seconds)) {
    for (std::uint32_t vcount = vcounts.min; vcount <= vcounts.max; ++vcount) {
      for (std::uint32_t timer0 = timer0s.min; timer0 <= timer0s.max; ++timer0) {
        for (const std::uint16_t mask : masks) {
          const BootMoment moment{at.date.year, at.date.month,    at.date.day, at.hour, at.minute,
                                  at.second,    weekday(at.date), mask,        vcount,  timer0};
          boots.push_back({moment, at.secondsOff, static_cast<int>(timer0) - static_cast<int>(aimed.timer0),
                           static_cast<int>(vcount) - static_cast<int>(aimed.vcount), mask == aimed.keyMask ? 0 : 1});
        }
      }
    }
  }
  return boots;
}

Neighbourhood evaluateNeighbours(const NeighbourhoodRequest& request, TextEncoding encoding, std::optional<Isa> isa) {
  if (auto problem = findNeighbourhoodProblem(request)) throw InvalidSettingsError(*problem);
  return evaluateNeighbours(request, neighbourhoodSettings(request), encoding, isa);
}

Neighbourhood evaluateNeighbours(const NeighbourhoodRequest& request, const SearchSettings& neighbourhood,
                                 TextEncoding encoding, std::optional<Isa> isa) {
  // Prepared as a search prepares them; the lines name VCount and Timer0 as the search's do.
  const PreparedSearch search(neighbourhood, encoding, isa);
  const SearchSettings& settings = search.settings;
  const ResultText text(search.mode.columnsIn(settings.resultLanguage), settings.keyInputEnabled, encoding,
                        searchesParameterRanges(request.settings), settings.resultLanguage,
                        resultColumnChoices(settings));
  const std::vector<SearchSettings> positions = settingsByPosition(settings, search.mode);
  std::vector<std::unique_ptr<ModeEvaluator>> evaluators;
  for (const SearchSettings& s : positions) evaluators.push_back(search.mode.makeEvaluator(s, text, search.kernels));

  Neighbourhood result{text.header(), {}, encoding};
  LineOutput out;
  for (const NeighbourBoot& boot : neighbourBoots(request)) {
    const InitialSeed seed = computeInitialSeed(bootSettings(settings, boot), boot.moment);
    for (std::size_t p = 0; p < positions.size(); ++p) {
      out.clear();
      evaluators[p]->evaluate(MomentList({&boot.moment, 1}), {&seed, 1}, out);
      std::optional<int> ivPosition;
      if (search.mode.readsIndividualValues) ivPosition = positions[p].ivConsumptionMin;
      const bool searched = !ivPosition || (*ivPosition >= request.settings.ivConsumptionMin &&
                                            *ivPosition <= request.settings.ivConsumptionMax);
      result.rows.push_back({boot, seed, ivPosition, out.text(), boot.isAimed() && searched});
    }
  }
  return result;
}

}  // namespace hanabira
