// The six option dialogs as data: id, title, size, and every control in creation order
// with its place in dialog units, plus the two functions that fill the controls from the
// settings and store them back. OptionDialog builds a dialog from one of these.
#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/search_settings.h"
#include "engine/console_profiles.h"
#include "i18n/translate.h"
#include "ui/model/option_values.h"

namespace hanabira {

// A note is a label whose text the dialog's `note` function gives for what the controls
// hold, updated as the user edits them.
// A command button runs its dialog's command; a table shows rows the dialog's command
// produced, one of which the user may pick; a status is a label whose text the command
// sets (DialogState::texts), such as how far it has got.
enum class DialogControlKind {
  OkButton,
  CancelButton,
  TextField,
  ChoiceBox,
  CheckBox,
  RadioButton,
  Label,
  Note,
  CommandButton,
  Table,
  Status
};

struct TextFieldStyle {
  bool rightAligned = false;
  // A field that scrolls takes any length of text; one that does not takes only what
  // its width shows.
  bool scrolls = false;
  bool digitsOnly = false;  // typing and pasting take digits only
};

enum class ChoiceList {
  Natures,
  EggNatures,
  EggAbilities,
  EggGenderRatios,
  DomeTrainers,
  Games,
  Languages,
  ConsoleKinds,
  KeyCounts
};

// The items of a choice box, in the window's language: anyItemText() first, then the list in the games' own order;
// the lists of the console dialog have none.
std::vector<std::string_view> choiceItems(ChoiceList list);

struct DialogControl {
  int id;  // 0 for a label, which has none
  DialogControlKind kind;
  std::string_view label;  // UTF-8, in English: shown through tr()
  // Dialog units; a choice box's height is that of its opened list, which shows
  // openedListItems items (ui/model/main_window_layout.h) where the toolkit counts items.
  int x, y, width, height;
  TextFieldStyle field = {};
  ChoiceList choices = ChoiceList::Natures;
};

// What a command's work changes in the dialog when it is done, on the window's thread.
using DialogUpdate = std::function<void(DialogState& state)>;
// Work a command runs on a thread of its own, so that the window stays responsive: it
// reads only what it captured, stops early once `cancel` is set, never throws, and
// says what to show, a stop included.
using DialogWork = std::function<DialogUpdate(const std::atomic<bool>& cancel)>;

// What pressing a command button starts, beyond its changes to the controls.
struct DialogCommand {
  DialogWork work = {};      // none for a command done at once
  std::string message = {};  // why the command cannot run, for a box the user closes; empty if it can
};

// A command button's label while its work runs: pressing it then stops the work.
inline constexpr std::string_view stopCommandLabel = trNoop("Stop");

struct WindowChanges {
  std::map<int, std::string> texts;
  std::map<int, bool> checked;
  // The console dialog's: the console fields were set, from the calibration's pick if any;
  // the profile chosen keeps them.
  bool consoleSet = false;
  std::optional<CalibratedConsole> calibrated = {};
};

struct OptionDialogDesign {
  int id;
  int command;             // the main window's "設定" button that opens the dialog
  std::string_view title;  // in English: shown through tr()
  int width, height;       // the client area, in dialog units
  // Creation order, which is also the order in which Tab visits the tab stops.
  std::span<const DialogControl> controls;
  DialogState (*shown)(const SearchSettings&);
  void (*store)(const DialogState&, SearchSettings&);
  std::string_view (*note)(const DialogState&);  // null for a dialog without a note
  // What the dialog does as the user changes control `id` (null: nothing), and what its
  // command buttons do, given the settings the window's fields would start a search
  // with: their changes to the controls at once, and what runs after (DialogCommands).
  void (*changed)(int id, DialogState& state) = nullptr;
  DialogCommand (*run)(int id, DialogState& state, const SearchSettings& windowSettings) = nullptr;
  // On OK, after store: the main window's fields to set (texts by id, check boxes and
  // radio buttons by id); null for a dialog that sets none.
  WindowChanges (*windowChanges)(const DialogState& state) = nullptr;
};

// In the order of the commands 1103 to 1108.
extern const std::array<OptionDialogDesign, 6> optionDialogDesigns;

}  // namespace hanabira
