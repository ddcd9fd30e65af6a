// The six option dialogs as data: id, title, size, and every control in creation order
// with its place in dialog units, plus the two functions that fill the controls from the
// settings and store them back. OptionDialog builds a dialog from one of these.
#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "core/search_settings.h"
#include "ui/model/option_values.h"

namespace hanabira {

// A note is a label whose text the dialog's `note` function gives for what the controls
// hold, updated as the user edits them.
enum class DialogControlKind { OkButton, CancelButton, TextField, ChoiceBox, CheckBox, RadioButton, Label, Note };

struct TextFieldStyle {
  bool rightAligned = false;
  // A field that scrolls takes any length of text; one that does not takes only what
  // its width shows.
  bool scrolls = false;
  bool digitsOnly = false;  // typing and pasting take digits only
};

enum class ChoiceList { Natures, EggNatures, EggAbilities, EggGenderRatios, DomeTrainers };

// The items of a choice box: "指定無し" first, then the list in the games' own order.
std::vector<std::string_view> choiceItems(ChoiceList list);

struct DialogControl {
  int id;  // 0 for a label, which has none
  DialogControlKind kind;
  std::string_view label;  // UTF-8
  // Dialog units; a choice box's height is that of its opened list, which shows
  // openedListItems items (ui/model/main_window_layout.h) where the toolkit counts items.
  int x, y, width, height;
  TextFieldStyle field = {};
  ChoiceList choices = ChoiceList::Natures;
};

struct OptionDialogDesign {
  int id;
  int command;  // the main window's "設定" button that opens the dialog
  std::string_view title;
  int width, height;  // the client area, in dialog units
  // Creation order, which is also the order in which Tab visits the tab stops.
  std::span<const DialogControl> controls;
  DialogState (*shown)(const SearchSettings&);
  void (*store)(const DialogState&, SearchSettings&);
  std::string_view (*note)(const DialogState&);  // null for a dialog without a note
};

// In the order of the commands 1103 to 1108.
extern const std::array<OptionDialogDesign, 6> optionDialogDesigns;

}  // namespace hanabira
