// The neighbours window without a toolkit: the boot moments around a hit of the results
// table, each with the lines the search writes there, recomputed from the window's
// fields; and what the player saw, which marks the lines that agree with it and lists
// them first, the likeliest first. The lines are those `hanabira-cli adjacent` prints for
// the same request, in UTF-8, cut into cells.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/boot_moment.h"
#include "core/search_settings.h"
#include "engine/boot_neighbours.h"
#include "engine/observed_neighbours.h"
#include "ui/model/result_table.h"
#include "ui/model/searched_lines.h"

namespace hanabira {

// The window's fields, as typed; the defaults are the command line's.
struct NeighbourFields {
  std::string seconds = "2";
  std::string timer0s = "1";
  std::string vcounts = "1";
  std::string positions = "2";
  bool keysOneAway = false;
  // What the player saw: each individual value as a value or a range such as 20-31,
  // all six empty where they were not read; the nature (0 to 24) and shininess.
  std::array<std::string, 6> ivs = {};
  std::optional<int> nature = {};
  std::optional<bool> shiny = {};
};

// The window's texts in the language chosen.
struct NeighbourTexts {
  std::string neighbours;  // the results window's button
  std::string seconds, timer0s, vcounts, positions, keysOneAway, recompute;
  std::string seen, nature, shiny, notSeen, yes, no;
  std::string correctTimer;  // opens the boot timer with the calibration this miss asks for
};
NeighbourTexts neighbourTexts();
// The window's title: "Neighbours of 2012-10-07 12:33:46 A".
std::string neighbourTitle(std::string_view hitText);

// The boot of row `row` (its place in the shown order) of the results of a search of
// `settings`: the date, time and keys of the line, its VCount and Timer0 where the file
// names them, the settings' otherwise. None for a line that is not such a search's.
std::optional<BootMoment> hitOfRow(const ResultTable& table, std::size_t row, const SearchSettings& settings);

// The same of the table's own search: the hit, and the settings its neighbours are
// evaluated with, those of the line's profile where the line names one.
struct RowHit {
  SearchSettings settings;
  BootMoment hit;
};
std::optional<RowHit> hitOfRow(const ResultTable& table, std::size_t row, const SearchedLines& searched);

class NeighbourView {
 public:
  NeighbourView(const SearchSettings& settings, const BootMoment& hit);

  // "2012-10-07 12:33:46 A": the hit as the window's title names it.
  std::string hitText() const;
  // What of a boot the search's mode shows, and so what a player may give of it.
  bool showsIvs() const;
  bool showsNature() const;
  bool showsShiny() const;

  // Evaluates the neighbours the fields ask for. A field it refuses leaves the table as
  // it was and returns the message saying why.
  std::optional<std::string> recompute(const NeighbourFields& fields);

  const std::vector<std::string>& columns() const { return columns_; }
  std::size_t rowCount() const { return rows_.size(); }
  const std::vector<std::string>& cells(std::size_t row) const { return rows_[row].cells; }
  // The line the row is: the hit's own, one that agrees with what the player saw.
  bool isTarget(std::size_t row) const { return rows_[row].target; }
  bool agrees(std::size_t row) const { return rows_[row].agrees; }
  // How many boots the table holds, and "45 boot moments around the hit; ...".
  std::string summary() const { return summary_; }
  // The seconds the likeliest line that agrees with the observation lies from the hit
  // (+1: the game started a second late); none without an observation or an agreeing line.
  std::optional<int> bestSecondsOff() const { return bestSecondsOff_; }
  // A boot a whole second or more away from the hit: what the timer's calibration is
  // corrected by.
  std::optional<int> secondsToCorrect() const {
    return bestSecondsOff_ && *bestSecondsOff_ != 0 ? bestSecondsOff_ : std::nullopt;
  }

 private:
  struct Row {
    std::vector<std::string> cells;
    bool target = false;
    bool agrees = false;
  };

  std::optional<std::string> readFields(const NeighbourFields& fields, NeighbourhoodRequest& request,
                                        Observation& observation) const;
  void keepLines(const Neighbourhood& neighbourhood, const ObservedLines& lines, bool observed);

  SearchSettings settings_;
  BootMoment hit_;
  std::vector<std::string> columns_;
  std::vector<Row> rows_;
  std::string summary_;
  std::optional<int> bestSecondsOff_;
};

}  // namespace hanabira
