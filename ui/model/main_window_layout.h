// Where everything of the main window stands: its controls in creation order (which is
// also the order of Tab) and the labels it paints itself. Coordinates are pixels of the
// client area.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/search_mode.h"

namespace hanabira {

enum class ControlKind { Edit, CheckBox, PushButton, ComboBox, RadioButton };

// The two programs differ only in their edit fields: in `hanabira` a field takes only as
// many characters as its visible width shows (two or three digits in the narrow
// fields); in `hanabira-hscroll` it scrolls and takes more. Either way a field left with
// a longer text shows its beginning, the characters that count.
enum class EditFieldWidth {
  FitsVisibleWidth,
  ScrollsHorizontally,
};

struct ControlPlace {
  int id;
  ControlKind kind;
  std::string_view text;  // initial text (UTF-8), in English: shown through tr()
  int x, y, width, height;
};

// Tab visits edit fields, check boxes and the combo boxes only; buttons take the focus
// when clicked, as they do in any dialog.
constexpr bool isTabStop(ControlKind kind) {
  return kind != ControlKind::PushButton && kind != ControlKind::RadioButton;
}

// The combo box's items: anyItemText(), then the sixteen hidden-power types.
std::vector<std::string_view> hiddenPowerItems();
// The first item of every choice box, the choice that imposes no condition ("指定無し").
std::string_view anyItemText();

// An opened drop-down list shows this many items and scrolls, in the option dialogs too.
inline constexpr int openedListItems = 10;

struct PaintedLabel {
  std::string_view text;  // in English: shown through tr()
  int x, y;               // top-left corner of the text
};

// The client area of a 640 × 480 window with a fixed frame and a caption; the size never changes.
inline constexpr int mainWindowWidth = 634;
inline constexpr int mainWindowHeight = 455;
std::string mainWindowTitle();  // "Hanabira ver" and the version

extern const std::array<ControlPlace, 64> mainWindowControls;
extern const std::array<PaintedLabel, 44> mainWindowLabels;

// The check box that asks for each mode, other than the plain search that runs when none
// is checked; the start command sets the mode's flag from it.
struct ModeCheckBox {
  SearchMode mode;
  int id;
};
extern const std::array<ModeCheckBox, 5> modeCheckBoxes;

// The slim bar under the start button that shows the share searched and the time left.
struct BarPlace {
  int x, y, width, height;
};
inline constexpr BarPlace progressBarPlace = {300, 433, 200, 14};

}  // namespace hanabira
