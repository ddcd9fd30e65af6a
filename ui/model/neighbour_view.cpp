#include "ui/model/neighbour_view.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <utility>

#include "core/calendar.h"
#include "engine/neighbour_table.h"
#include "engine/observed_neighbours.h"
#include "engine/player_input.h"
#include "evaluate/search_modes.h"
#include "i18n/translate.h"
#include "ui/model/problem_messages.h"
#include "vocab/english_names.h"
#include "vocab/names.h"

namespace hanabira {
namespace {

// The cells of a line of the result file (CR LF included or not); it quotes nothing.
std::vector<std::string> cellsOf(std::string_view line) {
  while (line.ends_with('\n') || line.ends_with('\r')) line.remove_suffix(1);
  std::vector<std::string> cells;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    cells.emplace_back(line.substr(start, comma - start));
    if (comma == std::string_view::npos) return cells;
    start = comma + 1;
  }
}

std::optional<std::uint32_t> number(std::string_view text, int base) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The held keys of the result file's key field, the names written one after the other
// ("ASt", "A↑"); the longest name first, so that "Right" is not read as "R".
std::optional<int> keyMaskOf(std::string_view field, ResultLanguage language) {
  const auto& names = language == ResultLanguage::English ? englishKeyNames : keyNames;
  int mask = noKeysHeld;
  while (!field.empty()) {
    int found = -1;
    for (int bit = 0; bit < keyMaskBits; ++bit) {
      const std::string_view name = names[static_cast<std::size_t>(bit)];
      const bool longer = found < 0 || name.size() > names[static_cast<std::size_t>(found)].size();
      if (field.starts_with(name) && longer) found = bit;
    }
    if (found < 0) return std::nullopt;
    mask &= ~(1 << found);
    field.remove_prefix(names[static_cast<std::size_t>(found)].size());
  }
  return mask;
}

// The date and time of a line's first six cells after `first`, with its weekday.
std::optional<BootMoment> momentOf(const ResultTable& table, std::size_t row, std::size_t first) {
  std::array<std::uint32_t, 6> values{};
  for (std::size_t column = 0; column < values.size(); ++column) {
    const std::optional<std::uint32_t> value = number(table.cell(row, first + column), 10);
    if (!value || *value > 99) return std::nullopt;
    values[column] = *value;
  }
  BootMoment moment;
  const Date date{static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2])};
  if (!isCalendarDate(date) || values[3] > 23 || values[4] > 59 || values[5] > 59) return std::nullopt;
  moment.year = date.year;
  moment.month = date.month;
  moment.day = date.day;
  moment.hour = static_cast<int>(values[3]);
  moment.minute = static_cast<int>(values[4]);
  moment.second = static_cast<int>(values[5]);
  moment.weekday = weekday(date);
  return moment;
}

// A field of the window as a whole number from 0 to `max`, or the message refusing it.
std::optional<std::string> readCount(const std::string& text, std::string_view label, int max, int& value) {
  const std::optional<std::uint32_t> read = number(text, 10);
  if (!read || *read > static_cast<std::uint32_t>(max)) {
    return trf("{}: expected a whole number from 0 to {}", label, max);
  }
  value = static_cast<int>(*read);
  return std::nullopt;
}

// The individual values typed, an empty field read as any value; none where all six are.
std::optional<ObservedIvs> readIvs(const std::array<std::string, 6>& fields, std::optional<std::string>& problem) {
  if (std::all_of(fields.begin(), fields.end(), [](const std::string& field) { return field.empty(); })) return {};
  std::string joined;
  for (const std::string& field : fields) joined += (joined.empty() ? "" : ",") + (field.empty() ? "0-31" : field);
  std::optional<ObservedIvs> ivs = parseIvs(joined);
  if (!ivs) problem = tr("The individual values seen: expected each a value or a range such as 20-31, from 0 to 31");
  return ivs;
}

}  // namespace

NeighbourTexts neighbourTexts() {
  NeighbourTexts texts;
  texts.neighbours = tr("Neighbours");
  texts.seconds = tr("± seconds");
  texts.timer0s = tr("± Timer0");
  texts.vcounts = tr("± VCount");
  texts.positions = tr("± positions");
  texts.keysOneAway = tr("Keys one away");
  texts.recompute = tr("Recompute");
  texts.seen = tr("Seen");
  texts.nature = trc("seen", "Nature");
  texts.shiny = tr("Shiny");
  texts.notSeen = tr("Not seen");
  texts.yes = tr("Yes");
  texts.no = tr("No");
  texts.correctTimer = tr("Correct the timer");
  return texts;
}

std::string neighbourTitle(std::string_view hitText) { return trf("Neighbours of {}", hitText); }

std::optional<BootMoment> hitOfRow(const ResultTable& table, std::size_t row, const SearchSettings& settings) {
  const std::size_t first = firstSearchColumn(table);
  std::optional<BootMoment> hit = momentOf(table, row, first);
  if (!hit) return std::nullopt;
  if (searchesParameterRanges(settings)) {
    const std::optional<std::uint32_t> vcount = number(table.cell(row, first + 6), 16);
    const std::optional<std::uint32_t> timer0 = number(table.cell(row, first + 7), 16);
    if (!vcount || !timer0) return std::nullopt;
    hit->vcount = *vcount;
    hit->timer0 = *timer0;
  } else {
    hit->vcount = searchedVcounts(settings).min;
    hit->timer0 = searchedTimer0s(settings).min;
  }
  if (settings.keyInputEnabled) {
    if (table.columns().empty()) return std::nullopt;
    const std::optional<int> keys = keyMaskOf(table.cell(row, table.columns().size() - 1), settings.resultLanguage);
    if (!keys) return std::nullopt;
    hit->keyMask = *keys;
  }
  return hit;
}

std::optional<RowHit> hitOfRow(const ResultTable& table, std::size_t row, const SearchedLines& searched) {
  const SearchSettings* settings = searched.settingsOfRow(table, row);
  if (settings == nullptr) return std::nullopt;
  const std::optional<BootMoment> hit = hitOfRow(table, row, *settings);
  if (!hit) return std::nullopt;
  return RowHit{*settings, *hit};
}

NeighbourView::NeighbourView(const SearchSettings& settings, const BootMoment& hit) : settings_(settings), hit_(hit) {}

std::string NeighbourView::hitText() const {
  return fmt::format("20{:02}-{:02}-{:02} {:02}:{:02}:{:02} {}", hit_.year, hit_.month, hit_.day, hit_.hour,
                     hit_.minute, hit_.second, keysText(hit_.keyMask));
}

bool NeighbourView::showsIvs() const { return selectedMode(settings_).readsIndividualValues; }
bool NeighbourView::showsNature() const { return selectedMode(settings_).natureTest != nullptr; }
bool NeighbourView::showsShiny() const { return selectedMode(settings_).shinyTest != nullptr; }

std::optional<std::string> NeighbourView::recompute(const NeighbourFields& fields) {
  NeighbourhoodRequest request{settings_, hit_};
  Observation observation;
  if (std::optional<std::string> problem = readFields(fields, request, observation)) return problem;
  const Neighbourhood neighbourhood = evaluateNeighbours(request, TextEncoding::Utf8);
  const bool observed = observation.ivs || observation.nature || observation.shiny;
  const ObservedLines lines =
      observed ? sortByObservation(request, neighbourhood, observation) : ObservedLines{{}, linesOf(neighbourhood)};
  keepLines(neighbourhood, lines, observed);

  const std::size_t boots = neighbourBoots(request).size();
  summary_ = trnf("{} boot moment around the hit", "{} boot moments around the hit", boots, boots);
  if (observed) {
    summary_ += trnf("; {} line agrees with the observation", "; {} lines agree with the observation",
                     lines.agreeing.size(), lines.agreeing.size());
  }
  return std::nullopt;
}

// What the mode cannot show of a boot is not read: its fields stay closed in the window.
std::optional<std::string> NeighbourView::readFields(const NeighbourFields& fields, NeighbourhoodRequest& request,
                                                     Observation& observation) const {
  const NeighbourTexts texts = neighbourTexts();
  request.keysOneAway = fields.keysOneAway;
  for (auto [text, label, max, value] :
       {std::tuple{&fields.seconds, &texts.seconds, maxNeighbourSeconds, &request.seconds},
        std::tuple{&fields.timer0s, &texts.timer0s, maxNeighbourParameters, &request.timer0s},
        std::tuple{&fields.vcounts, &texts.vcounts, maxNeighbourParameters, &request.vcounts},
        std::tuple{&fields.positions, &texts.positions, maxNeighbourPositions, &request.positions}}) {
    if (std::optional<std::string> problem = readCount(*text, *label, max, *value)) return problem;
  }
  std::optional<std::string> problem;
  if (showsIvs()) observation.ivs = readIvs(fields.ivs, problem);
  if (showsNature()) observation.nature = fields.nature;
  if (showsShiny()) observation.shiny = fields.shiny;
  if (problem) return problem;
  if (auto settingsProblem = findNeighbourhoodProblem(request)) return settingsProblemMessage(*settingsProblem);
  return std::nullopt;
}

// The lines as adjacent prints them: those that agree first.
void NeighbourView::keepLines(const Neighbourhood& neighbourhood, const ObservedLines& lines, bool observed) {
  const NeighbourTable table(settings_.resultLanguage, TextEncoding::Utf8, observed);
  columns_ = cellsOf(table.header(neighbourhood));
  rows_.clear();
  for (const auto& [part, agrees] : {std::pair{&lines.agreeing, true}, std::pair{&lines.others, false}}) {
    for (const NeighbourLine& line : *part) {
      const NeighbourRow& row = neighbourhood.rows[line.row];
      rows_.push_back({cellsOf(table.line(row, textOf(neighbourhood, line), agrees)), row.isTarget, agrees});
    }
  }
  bestSecondsOff_.reset();
  if (!lines.agreeing.empty()) bestSecondsOff_ = neighbourhood.rows[lines.agreeing.front().row].boot.secondsOff;
}

}  // namespace hanabira
