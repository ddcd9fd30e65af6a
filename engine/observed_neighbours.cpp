#include "engine/observed_neighbours.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include "evaluate/search_modes.h"

namespace hanabira {
namespace {

// A row or a match by its boot and position.
using RowKey = std::tuple<int, std::uint32_t, std::uint32_t, int, int>;

RowKey keyOf(const NeighbourRow& row) {
  const BootMoment& m = row.boot.moment;
  return {row.boot.secondsOff, m.vcount, m.timer0, m.keyMask, row.ivPosition.value_or(-1)};
}

RowKey keyOf(const CalibrationMatch& match) {
  return {match.secondsOff, match.vcount, match.timer0, match.moment.keyMask, match.position};
}

// The rows nearest the aimed boot first, as the calibration ranks around it.
std::vector<std::size_t> rowsByNearness(const Neighbourhood& neighbourhood) {
  const auto nearness = [&](std::size_t row) {
    const NeighbourBoot& b = neighbourhood.rows[row].boot;
    return std::tuple(std::abs(b.secondsOff), std::abs(b.timer0Off) + std::abs(b.vcountOff), b.keysChanged);
  };
  std::vector<std::size_t> rows(neighbourhood.rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = i;
  std::stable_sort(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) { return nearness(a) < nearness(b); });
  return rows;
}

// Which lines of each row pass one of the mode's tests: the neighbourhood evaluated again
// with the test on.
class TestedLines {
 public:
  TestedLines(const NeighbourhoodRequest& request, const Neighbourhood& neighbourhood, const SearchSettings& tested,
              std::optional<Isa> isa)
      : tested_(evaluateNeighbours(request, tested, neighbourhood.encoding, isa)) {
    for (const NeighbourLine& line : linesOf(tested_)) passing_.emplace(line.row, textOf(tested_, line));
  }

  bool passes(std::size_t row, std::string_view line) const { return passing_.contains({row, line}); }

 private:
  Neighbourhood tested_;
  std::set<std::pair<std::size_t, std::string_view>> passing_;  // into tested_
};

// The nature and shininess seen, by the mode's own tests of them.
class OutcomeTests {
 public:
  OutcomeTests(const NeighbourhoodRequest& request, const Neighbourhood& neighbourhood, const Observation& observation,
               std::optional<Isa> isa)
      : shiny_(observation.shiny) {
    const SearchModeDefinition& mode = selectedMode(request.settings);
    if (observation.nature) {
      SearchSettings tested = neighbourhoodSettings(request);
      tested.*mode.natureTest = *observation.nature + 1;
      natureTest_.emplace(request, neighbourhood, tested, isa);
    }
    if (observation.shiny) {
      SearchSettings tested = neighbourhoodSettings(request);
      tested.*mode.shinyTest = true;
      shinyTest_.emplace(request, neighbourhood, tested, isa);
    }
  }

  bool agree(std::size_t row, std::string_view line) const {
    return (!natureTest_ || natureTest_->passes(row, line)) && (!shiny_ || shinyTest_->passes(row, line) == *shiny_);
  }

 private:
  std::optional<bool> shiny_;
  std::optional<TestedLines> natureTest_, shinyTest_;
};

}  // namespace

std::optional<std::string_view> unobservedPart(const SearchSettings& settings, const Observation& observation) {
  const SearchModeDefinition& mode = selectedMode(settings);
  if (observation.ivs && !mode.readsIndividualValues) return "ivs";
  if (observation.nature && mode.natureTest == nullptr) return "nature";
  if (observation.shiny && mode.shinyTest == nullptr) return "shiny";
  return std::nullopt;
}

CalibrationRequest neighbourhoodCalibration(const NeighbourhoodRequest& request, const ObservedIvs& observed) {
  CalibrationRequest calibration;
  calibration.settings = neighbourhoodSettings(request);
  calibration.settings.ivMin = observed.min;
  calibration.settings.ivMax = observed.max;
  calibration.secondsAround = request.seconds;
  calibration.vcounts = neighbourVcounts(request);
  calibration.timer0s = neighbourTimer0s(request);
  calibration.frames = {request.settings.frame};
  calibration.keyMasks = neighbourKeyMasks(request);
  calibration.aimedAt = request.aimed;
  return calibration;
}

std::vector<std::size_t> rowsWithObservedIvs(const NeighbourhoodRequest& request, const Neighbourhood& neighbourhood,
                                             const ObservedIvs& observed, const CalibrationOptions& options) {
  std::map<RowKey, std::size_t> rowAt;
  for (std::size_t i = 0; i < neighbourhood.rows.size(); ++i) rowAt.emplace(keyOf(neighbourhood.rows[i]), i);
  std::vector<std::size_t> rows;
  for (const CalibrationMatch& match : calibrate(neighbourhoodCalibration(request, observed), options)) {
    const auto row = rowAt.find(keyOf(match));
    if (row != rowAt.end()) rows.push_back(row->second);
  }
  return rows;
}

ObservedLines sortByObservation(const NeighbourhoodRequest& request, const Neighbourhood& neighbourhood,
                                const Observation& observation, const CalibrationOptions& options) {
  if (auto part = unobservedPart(request.settings, observation)) {
    throw std::invalid_argument("the mode does not show " + std::string(*part));
  }
  const std::vector<std::size_t> rows = observation.ivs
                                            ? rowsWithObservedIvs(request, neighbourhood, *observation.ivs, options)
                                            : rowsByNearness(neighbourhood);
  const OutcomeTests tests(request, neighbourhood, observation, options.isa);

  std::vector<std::vector<NeighbourLine>> lines(neighbourhood.rows.size());
  for (const NeighbourLine& line : linesOf(neighbourhood)) lines[line.row].push_back(line);
  ObservedLines sorted;
  std::set<std::pair<std::size_t, std::size_t>> agreeing;  // rows and offsets
  for (const std::size_t row : rows) {
    for (const NeighbourLine& line : lines[row]) {
      if (!tests.agree(row, textOf(neighbourhood, line))) continue;
      sorted.agreeing.push_back(line);
      agreeing.emplace(row, line.offset);
    }
  }
  for (const std::vector<NeighbourLine>& row : lines) {
    for (const NeighbourLine& line : row) {
      if (!agreeing.contains({line.row, line.offset})) sorted.others.push_back(line);
    }
  }
  return sorted;
}

}  // namespace hanabira
