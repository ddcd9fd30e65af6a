// The boot moments around a hit: what a player who aimed at one boot got when they
// pressed a second early or late, met a neighbouring Timer0 or VCount, or held one key
// more or one fewer. Each neighbour goes through the evaluation of the search's mode,
// its lines written as the search writes them.
//
//   NeighbourhoodRequest request{settings, aimed};
//   for (const NeighbourRow& row : evaluateNeighbours(request, TextEncoding::Utf8).rows) ...
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/boot_moment.h"
#include "core/initial_seed.h"
#include "core/isa.h"
#include "core/parameter_range.h"
#include "core/search_settings.h"
#include "core/settings_problem.h"
#include "evaluate/result_text.h"

namespace hanabira {

// The widest neighbourhood asked for: a minute either side, and the parameters and
// positions a player could miss by.
inline constexpr int maxNeighbourSeconds = 60;
inline constexpr int maxNeighbourParameters = 16;
inline constexpr int maxNeighbourPositions = 100;
// Every neighbour gives a line at each position it is evaluated at, and a neighbourhood is
// held whole in memory: boots times positions stay within this.
inline constexpr long long maxNeighbourLines = 4'000'000;

struct NeighbourhoodRequest {
  // The search's settings: the console, the mode and its options, the positions.
  SearchSettings settings;
  // The boot aimed at: date, time and keys, with the console's VCount and Timer0.
  BootMoment aimed;
  int seconds = 2;  // either side, and so on
  int timer0s = 1;
  int vcounts = 1;
  int positions = 2;  // either side of the settings' positions
  // Also the masks with one key more or one fewer, where the search would hold them.
  bool keysOneAway = false;
};

struct NeighbourBoot {
  BootMoment moment;  // with its weekday, VCount and Timer0
  int secondsOff = 0;
  int timer0Off = 0;
  int vcountOff = 0;
  int keysChanged = 0;

  bool isAimed() const { return secondsOff == 0 && timer0Off == 0 && vcountOff == 0 && keysChanged == 0; }
};

// The lines of one neighbour; for a mode that reads individual values, those of one
// individual-value position, so that an observation there can pick them out.
struct NeighbourRow {
  NeighbourBoot boot;
  InitialSeed seed = 0;
  std::optional<int> ivPosition;
  std::string lines;  // encoded, each ended by CR LF; none where the mode finds nothing
  // The aimed boot at a position the search looked at, not one of the widening.
  bool isTarget = false;
};

struct Neighbourhood {
  std::string header;  // the result file's header of the mode, CR LF included
  std::vector<NeighbourRow> rows;
  TextEncoding encoding = TextEncoding::Cp932;
};

// One line of a neighbourhood: its row, and where it lies in the row's lines.
struct NeighbourLine {
  std::size_t row;
  std::size_t offset;
  std::size_t size;  // CR LF included
};

// Every line of every row, in order.
std::vector<NeighbourLine> linesOf(const Neighbourhood& neighbourhood);
inline std::string_view textOf(const Neighbourhood& neighbourhood, const NeighbourLine& line) {
  return std::string_view(neighbourhood.rows[line.row].lines).substr(line.offset, line.size);
}

// The request's ranges out of their bounds, a neighbourhood of more than maxNeighbourLines
// lines (told as the largest seconds, Timer0s, VCounts or positions that keep within it),
// or the settings' problem.
std::optional<SettingsProblem> findNeighbourhoodProblem(const NeighbourhoodRequest& request);

// The settings each neighbour is evaluated with: the search's, booted at the aimed moment
// alone; their positions widened by `positions` either side; the individual-value bounds,
// the hidden-power filter and the mode's tests of a nature and of shininess open, so that
// every position shows what it gives; the key column on wherever keys are held or may
// change, and any key allowed where they may.
SearchSettings neighbourhoodSettings(const NeighbourhoodRequest& request);

// The console's VCount and Timer0 and as many either side as asked, within 16 bits.
ParameterRange neighbourVcounts(const NeighbourhoodRequest& request);
ParameterRange neighbourTimer0s(const NeighbourhoodRequest& request);

// The aimed key mask and, when asked, those one key away that the search could hold: the
// game's impossible combinations and X and Y follow the settings; any other key may have
// slipped. The aimed one first, then ascending.
std::vector<std::uint16_t> neighbourKeyMasks(const NeighbourhoodRequest& request);

// Every neighbour, in order of time, then VCount and Timer0 ascending, then the masks in
// their order; the aimed boot among them.
std::vector<NeighbourBoot> neighbourBoots(const NeighbourhoodRequest& request);

// Every neighbour through the mode's evaluation, in the order of neighbourBoots() and,
// within one, of the positions. The lines name VCount and Timer0 where the search's
// did. Throws InvalidSettingsError for a request with a problem.
Neighbourhood evaluateNeighbours(const NeighbourhoodRequest& request, TextEncoding encoding,
                                 std::optional<Isa> isa = std::nullopt);
// The same with settings of its own in place of neighbourhoodSettings(): theirs with an
// observation's tests, whose rows are those of the neighbourhood with fewer lines.
Neighbourhood evaluateNeighbours(const NeighbourhoodRequest& request, const SearchSettings& settings,
                                 TextEncoding encoding, std::optional<Isa> isa = std::nullopt);

}  // namespace hanabira
