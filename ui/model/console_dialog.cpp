#include "ui/model/console_dialog.h"

#include <fmt/format.h>

#include <cstdlib>
#include <exception>

#include "core/field_text.h"
#include "engine/settings_warnings.h"
#include "i18n/translate.h"
#include "ui/model/control_ids.h"
#include "ui/model/dialog_control_ids.h"
#include "ui/model/problem_messages.h"
#include "vocab/names.h"

namespace hanabira {
namespace {

using enum DialogControlKind;

constexpr DialogControl field(int id, int x, int y, int width) {
  return {id, TextField, "", x, y, width, 12, {.rightAligned = true}};
}
constexpr DialogControl label(std::string_view text, int x, int y, int width) {
  return {0, Label, text, x, y, width, 8};
}
constexpr DialogControl choice(int id, ChoiceList list, int x, int y, int width) {
  return {id, ChoiceBox, "", x, y, width, 100, {}, list};
}

// The results' columns, as the table's label gives them.
constexpr std::string_view resultColumns = trNoop("VCount,Timer0,Frame,Time,Off (s),Keys,Advance");

const std::array consoleControls = {
    label(trNoop("Game:"), 10, 12, 26),
    choice(consoleGameBox, ChoiceList::Games, 38, 10, 52),
    label(trNoop("Lang.:"), 98, 12, 20),
    choice(consoleLanguageBox, ChoiceList::Languages, 120, 10, 56),
    label(trNoop("DS:"), 184, 12, 20),
    choice(consoleKindBox, ChoiceList::ConsoleKinds, 206, 10, 50),
    DialogControl{0, Note, "", 10, 28, 290, 16},
    label("VCount:0x", 10, 48, 34),
    field(consoleVcountMinField, 46, 46, 24),
    label(trNoop("~"), 72, 48, 8),
    field(consoleVcountMaxField, 82, 46, 24),
    label("Timer0:0x", 120, 48, 34),
    field(consoleTimer0MinField, 156, 46, 30),
    label(trNoop("~"), 188, 48, 8),
    field(consoleTimer0MaxField, 198, 46, 30),
    label(trNoop("Boot: 20"), 10, 68, 28),
    field(consoleBootFields + 0, 40, 66, 14),
    label("/", 56, 68, 4),
    field(consoleBootFields + 1, 62, 66, 14),
    label("/", 78, 68, 4),
    field(consoleBootFields + 2, 84, 66, 14),
    field(consoleBootFields + 3, 106, 66, 14),
    label(":", 122, 68, 4),
    field(consoleBootFields + 4, 128, 66, 14),
    label(":", 144, 68, 4),
    field(consoleBootFields + 5, 150, 66, 14),
    label(trNoop("± s:"), 176, 68, 18),
    field(consoleSecondsField, 196, 66, 16),
    label(trNoop("Adv.:"), 10, 86, 20),
    field(consolePositionField, 32, 84, 20),
    label(trNoop("IVs Min"), 60, 86, 42),
    field(consoleIvMinFields + 0, 104, 84, 14),
    field(consoleIvMinFields + 1, 120, 84, 14),
    field(consoleIvMinFields + 2, 136, 84, 14),
    field(consoleIvMinFields + 3, 152, 84, 14),
    field(consoleIvMinFields + 4, 168, 84, 14),
    field(consoleIvMinFields + 5, 184, 84, 14),
    label(trNoop("Max"), 84, 102, 18),
    field(consoleIvMaxFields + 0, 104, 100, 14),
    field(consoleIvMaxFields + 1, 120, 100, 14),
    field(consoleIvMaxFields + 2, 136, 100, 14),
    field(consoleIvMaxFields + 3, 152, 100, 14),
    field(consoleIvMaxFields + 4, 168, 100, 14),
    field(consoleIvMaxFields + 5, 184, 100, 14),
    label(trNoop("Seed:"), 10, 120, 34),
    DialogControl{consoleSeedField, TextField, "", 46, 118, 80, 12, {.scrolls = true}},
    DialogControl{consoleCalibrateButton, CommandButton, trNoop("Calculate"), 206, 116, 50, 14},
    DialogControl{consoleResultTable, Table, resultColumns, 10, 136, 290, 70},
    DialogControl{consoleCalibrationStatus, Status, "", 10, 214, 160, 10},
    DialogControl{dialogOkButton, OkButton, "OK", 180, 212, 50, 14},
    DialogControl{dialogCancelButton, CancelButton, trNoop("Cancel"), 240, 212, 50, 14},
};

std::string hex(std::uint32_t value) { return fmt::format("{:X}", value); }

void showRanges(DialogState& state, const ParameterRange& vcounts, const ParameterRange& timer0s) {
  state.texts[consoleVcountMinField] = hex(vcounts.min);
  state.texts[consoleVcountMaxField] = hex(vcounts.max);
  state.texts[consoleTimer0MinField] = hex(timer0s.min);
  state.texts[consoleTimer0MaxField] = hex(timer0s.max);
}

ParameterRange rangeOf(const DialogState& state, int minField, int maxField) {
  return {parseHexField(state.text(minField), 5), parseHexField(state.text(maxField), 5)};
}

int decimal(const DialogState& state, int id) { return parseDecimalField(state.text(id), 4); }

DialogState shown(const SearchSettings& s) {
  DialogState state;
  // Without an edition: the version word's, on the console the 3DS box names.
  const Edition edition =
      s.edition.value_or(Edition{s.versionWord == whiteVersionWord ? Game::White : Game::Black, Language::Japanese,
                                 s.is3ds ? ConsoleKind::ThreeDs : ConsoleKind::Ds});
  state.selected[consoleGameBox] = static_cast<int>(edition.game);
  state.selected[consoleLanguageBox] = static_cast<int>(edition.language);
  state.selected[consoleKindBox] = static_cast<int>(edition.console);
  const EditionFacts& facts = editionFacts(edition);
  showRanges(state, s.vcountRange.value_or(facts.typicalVcounts), s.timer0Range.value_or(facts.typicalTimer0s));
  const std::array<int, 6> boot = {s.startYear, s.startMonth, s.startDay, s.startHour, s.startMinute, s.startSecond};
  for (int k = 0; k < 6; ++k) state.texts[consoleBootFields + k] = std::to_string(boot[static_cast<std::size_t>(k)]);
  state.texts[consoleSecondsField] = std::to_string(5);
  state.texts[consolePositionField] = std::to_string(s.ivConsumptionMin);
  for (int k = 0; k < 6; ++k) {
    state.texts[consoleIvMinFields + k] = std::to_string(s.ivMin[static_cast<std::size_t>(k)]);
    state.texts[consoleIvMaxFields + k] = std::to_string(s.ivMax[static_cast<std::size_t>(k)]);
  }
  state.rows[consoleResultTable] = {};
  return state;
}

// Choosing another edition or console shows its typical ranges.
void changed(int id, DialogState& state) {
  if (id != consoleGameBox && id != consoleLanguageBox && id != consoleKindBox) return;
  if (const auto edition = consoleDialogEdition(state)) {
    const EditionFacts& facts = editionFacts(*edition);
    showRanges(state, facts.typicalVcounts, facts.typicalTimer0s);
  }
}

std::string keysText(int keyMask) {
  std::string text;
  for (std::size_t bit = 0; bit < keyNames.size(); ++bit) {
    if ((keyMask & (1 << bit)) == 0) text.append(keyNames[bit]);  // a 0 bit is a key held
  }
  return text.empty() ? std::string(trc("keys", "none")) : text;
}

std::vector<std::vector<std::string>> resultRows(const std::vector<CalibrationMatch>& matches) {
  std::vector<std::vector<std::string>> rows;
  for (const CalibrationMatch& m : matches) {
    rows.push_back({hex(m.vcount), hex(m.timer0), std::to_string(m.frame),
                    fmt::format("{}:{:02}:{:02}", m.moment.hour, m.moment.minute, m.moment.second),
                    fmt::format("{:+}", m.secondsOff), keysText(m.moment.keyMask),
                    m.position >= 0 ? std::to_string(m.position) : "-"});
  }
  return rows;
}

// The calibration takes seconds: it runs off the window's thread, the status saying so.
DialogCommand calibrateCommand(int id, DialogState& state, const SearchSettings& window) {
  if (id != consoleCalibrateButton) return {};
  state.rows[consoleResultTable].clear();
  state.selected[consoleResultTable] = -1;
  state.texts[consoleCalibrationStatus].clear();
  const std::optional<CalibrationRequest> request = consoleDialogCalibration(state, window);
  if (!request) return {{}, std::string(tr("Cannot start the calculation.\nChoose the game, language and console."))};
  if (const auto problem = findCalibrationProblem(*request)) return {{}, calibrationProblemMessage(*problem)};
  state.texts[consoleCalibrationStatus] = tr("Calculating…");
  return {[request = *request](const std::atomic<bool>& cancel) -> DialogUpdate {
            CalibrationOptions options;
            options.cancel = &cancel;
            std::vector<std::vector<std::string>> rows;
            std::string status;
            try {
              rows = resultRows(calibrate(request, options));
            } catch (const std::exception& error) {
              status = trf("Calculation stopped by an error. ({})", error.what());
            }
            if (cancel.load()) {
              rows.clear();  // what a stopped calibration found is only part of it
              status = tr("Calculation stopped.");
            } else if (status.empty()) {
              status = rows.empty() ? std::string(tr("Nothing found."))
                                    : trnf("{} match found.", "{} matches found.", rows.size(), rows.size());
            }
            return [rows = std::move(rows), status = std::move(status)](DialogState& shown) {
              shown.rows[consoleResultTable] = rows;
              shown.selected[consoleResultTable] = rows.empty() ? -1 : 0;
              shown.texts[consoleCalibrationStatus] = status;
            };
          },
          {}};
}

// The picked row, when there is one.
const std::vector<std::string>* pickedRow(const DialogState& state) {
  const auto found = state.rows.find(consoleResultTable);
  const int row = state.selection(consoleResultTable);
  if (found == state.rows.end() || row < 0 || static_cast<std::size_t>(row) >= found->second.size()) return nullptr;
  return &found->second[static_cast<std::size_t>(row)];
}

void store(const DialogState& state, SearchSettings& s) {
  s.edition = consoleDialogEdition(state);
  if (s.edition) s.is3ds = dropsAfternoonFlag(s.edition->console);
  const ParameterRange vcounts = rangeOf(state, consoleVcountMinField, consoleVcountMaxField);
  const ParameterRange timer0s = rangeOf(state, consoleTimer0MinField, consoleTimer0MaxField);
  if (const auto* row = pickedRow(state)) {
    // The picked parameters are the console's: single values from now on.
    s.vcountRange.reset();
    s.timer0Range.reset();
    s.vcount = parseHexField((*row)[0], 5);
    s.timer0 = parseHexField((*row)[1], 5);
    s.frame = parseDecimalField((*row)[2], 4);
    return;
  }
  s.vcountRange = vcounts;
  s.timer0Range = timer0s;
}

WindowChanges windowChanges(const DialogState& state) {
  WindowChanges changes;
  changes.consoleSet = true;
  if (const auto edition = consoleDialogEdition(state)) {
    changes.checked[is3dsCheck] = dropsAfternoonFlag(edition->console);
    // The version buttons stay only where their words are the edition's.
    const EditionWords words = editionFacts(*edition).words;
    changes.checked[blackRadio] = words == versionWordWords(blackVersionWord);
    changes.checked[whiteRadio] = words == versionWordWords(whiteVersionWord);
  }
  if (const auto* row = pickedRow(state)) {
    changes.texts[vcountEdit] = (*row)[0];
    changes.texts[timer0Edit] = (*row)[1];
    changes.texts[frameEdit] = (*row)[2];
    changes.calibrated =
        CalibratedConsole{parseHexField((*row)[0], 5), parseHexField((*row)[1], 5), parseDecimalField((*row)[2], 4)};
  }
  return changes;
}

// What is uncertain about the edition chosen.
std::string_view note(const DialogState& state) {
  const auto edition = consoleDialogEdition(state);
  if (!edition) return "";
  switch (editionFacts(*edition).wordsCertainty) {
    case Certainty::Disputed:
      return tr("Sources differ on this edition's values. Results may not match.");
    case Certainty::Unconfirmed:
      return tr("These values are unconfirmed on this console. Results may not match.");
    case Certainty::Placeholder:
      return tr("These values are borrowed from another edition. Results may not match.");
    default:
      return isSequel(edition->game) ? tr("Deliveryman, Comet Shard and Nimbasa Dome follow Black and White's rules.")
                                     : "";
  }
}

}  // namespace

std::optional<Edition> consoleDialogEdition(const DialogState& state) {
  const int game = state.selection(consoleGameBox);
  const int language = state.selection(consoleLanguageBox);
  const int console = state.selection(consoleKindBox);
  if (game < 0 || game >= gameCount || language < 0 || language >= languageCount || console < 0 ||
      console >= consoleKindCount) {
    return std::nullopt;
  }
  return Edition{static_cast<Game>(game), static_cast<Language>(language), static_cast<ConsoleKind>(console)};
}

std::optional<CalibrationRequest> consoleDialogCalibration(const DialogState& state, const SearchSettings& window) {
  const auto edition = consoleDialogEdition(state);
  if (!edition) return std::nullopt;
  SearchSettings s = window;
  s.edition = edition;
  s.is3ds = dropsAfternoonFlag(edition->console);
  s.startYear = s.endYear = decimal(state, consoleBootFields + 0);
  s.startMonth = s.endMonth = decimal(state, consoleBootFields + 1);
  s.startDay = s.endDay = decimal(state, consoleBootFields + 2);
  s.startHour = decimal(state, consoleBootFields + 3);
  s.startMinute = decimal(state, consoleBootFields + 4);
  s.startSecond = decimal(state, consoleBootFields + 5);
  s.ivConsumptionMin = s.ivConsumptionMax = decimal(state, consolePositionField);
  for (int k = 0; k < 6; ++k) {
    s.ivMin[static_cast<std::size_t>(k)] = decimal(state, consoleIvMinFields + k);
    s.ivMax[static_cast<std::size_t>(k)] = decimal(state, consoleIvMaxFields + k);
  }
  s.vcountRange = rangeOf(state, consoleVcountMinField, consoleVcountMaxField);
  s.timer0Range = rangeOf(state, consoleTimer0MinField, consoleTimer0MaxField);
  // Read as the other fields are: strtoull in base 16, "xyz" as 0.
  std::optional<InitialSeed> seed;
  if (!state.text(consoleSeedField).empty())
    seed = std::strtoull(std::string(state.text(consoleSeedField)).c_str(), nullptr, 16);
  return calibrationRequest(s, decimal(state, consoleSecondsField), seed);
}

const OptionDialogDesign consoleDialogDesign = {
    consoleDialog, consoleButton, trNoop("Console settings"), 310,          232, consoleControls, shown, store,
    note,          changed,       calibrateCommand,           windowChanges};

}  // namespace hanabira
