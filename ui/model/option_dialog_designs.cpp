#include "ui/model/option_dialog_designs.h"

#include "i18n/translate.h"
#include "ui/model/control_ids.h"
#include "ui/model/dialog_control_ids.h"
#include "ui/model/main_window_layout.h"
#include "ui/model/shown_names.h"
#include "vocab/names.h"

namespace hanabira {
namespace {

using enum DialogControlKind;

constexpr DialogControl okButton(int x, int y, int width, int height) {
  return {dialogOkButton, OkButton, "OK", x, y, width, height};
}
constexpr DialogControl cancelButton(int x, int y, int width, int height) {
  return {dialogCancelButton, CancelButton, trNoop("Cancel"), x, y, width, height};
}
constexpr DialogControl textField(int id, int x, int y, int width, int height, TextFieldStyle style) {
  return {id, TextField, "", x, y, width, height, style};
}
constexpr DialogControl choiceBox(int id, ChoiceList choices, int x, int y, int width, int height) {
  return {id, ChoiceBox, "", x, y, width, height, {}, choices};
}
constexpr DialogControl checkBox(int id, std::string_view label, int x, int y, int width, int height) {
  return {id, CheckBox, label, x, y, width, height};
}
constexpr DialogControl radioButton(int id, std::string_view label, int x, int y, int width, int height) {
  return {id, RadioButton, label, x, y, width, height};
}
constexpr DialogControl label(std::string_view text, int x, int y, int width, int height) {
  return {0, Label, text, x, y, width, height};
}
constexpr DialogControl note(int x, int y, int width, int height) { return {0, Note, "", x, y, width, height}; }

constexpr TextFieldStyle rightAligned{.rightAligned = true};
constexpr TextFieldStyle scrolling{.scrolls = true};

const std::array shinyControls = {
    textField(shinyTrainerIdField, 38, 17, 40, 12, rightAligned),
    textField(shinySecretIdField, 112, 17, 40, 12, rightAligned),
    choiceBox(shinyNatureBox, ChoiceList::Natures, 38, 36, 65, 120),
    radioButton(shinyHatchedRadio, trNoop("Egg"), 17, 58, 30, 10),
    radioButton(shinyRoamingRadio, trNoop("Roam"), 50, 58, 30, 10),
    radioButton(shinyStationaryRadio, trNoop("Fixed"), 83, 58, 30, 10),
    checkBox(shinyIdCorrectionCheck, trNoop("ID fix"), 116, 58, 40, 10),
    okButton(39, 86, 50, 14),
    cancelButton(108, 86, 50, 14),
    label(trNoop("TID:"), 17, 18, 19, 8),
    label(trNoop("SID:"), 91, 18, 19, 8),
    label(trNoop("Nat.:"), 17, 38, 20, 8),
    note(17, 104, 146, 16),  // below the buttons, two lines
};

const std::array inheritanceControls = {
    okButton(45, 110, 50, 14),
    cancelButton(127, 110, 50, 14),
    radioButton(withDittoRadio, trNoop("With Ditto"), 17, 18, 58, 10),
    radioButton(withoutDittoRadio, trNoop("No Ditto"), 78, 18, 58, 10),
    choiceBox(eggNatureBox, ChoiceList::EggNatures, 143, 16, 60, 120),
    textField(firstParentIvFields[0], 43, 37, 18, 11, scrolling),
    textField(firstParentIvFields[1], 73, 37, 18, 11, scrolling),
    textField(firstParentIvFields[2], 103, 37, 18, 11, scrolling),
    textField(firstParentIvFields[3], 133, 37, 18, 11, scrolling),
    textField(firstParentIvFields[4], 163, 37, 18, 11, scrolling),
    textField(firstParentIvFields[5], 193, 37, 18, 11, scrolling),
    textField(secondParentIvFields[0], 43, 59, 18, 11, scrolling),
    textField(secondParentIvFields[1], 73, 59, 18, 11, scrolling),
    textField(secondParentIvFields[2], 103, 59, 18, 11, scrolling),
    textField(secondParentIvFields[3], 133, 59, 18, 11, scrolling),
    textField(secondParentIvFields[4], 163, 59, 18, 11, scrolling),
    textField(secondParentIvFields[5], 193, 59, 18, 11, scrolling),
    choiceBox(eggAbilityBox, ChoiceList::EggAbilities, 46, 84, 60, 120),
    label(trNoop("Abil.:"), 24, 86, 20, 8),
    label(trNoop("Sex:"), 116, 86, 20, 8),
    choiceBox(eggGenderRatioBox, ChoiceList::EggGenderRatios, 138, 84, 65, 120),
    label(trNoop("1st:"), 20, 38, 12, 8),
    label(trNoop("2nd:"), 20, 60, 12, 8),
    label("H", 36, 38, 8, 8),
    label("A", 66, 38, 8, 8),
    label("B", 96, 38, 8, 8),
    label("C", 126, 38, 8, 8),
    label("D", 156, 38, 8, 8),
    label("S", 186, 38, 8, 8),
    label("H", 36, 60, 8, 8),
    label("A", 66, 60, 8, 8),
    label("B", 96, 60, 8, 8),
    label("C", 126, 60, 8, 8),
    label("D", 156, 60, 8, 8),
    label("S", 186, 60, 8, 8),
};

// Keys in the order shown; keyChecks maps them to the key register.
const std::array keyInputControls = {
    okButton(41, 85, 50, 14),
    cancelButton(122, 86, 50, 14),
    label(trNoop("Keys used"), 17, 14, 27, 8),
    checkBox(1001, "A", 30, 30, 24, 10),
    checkBox(1002, "B", 57, 30, 24, 10),
    checkBox(1003, "St", 84, 30, 24, 10),
    checkBox(1004, "Se", 111, 30, 24, 10),
    checkBox(1005, "L", 138, 30, 24, 10),
    checkBox(1006, "R", 165, 30, 24, 10),
    checkBox(1007, trNoop("↑"), 30, 45, 24, 10),
    checkBox(1008, trNoop("↓"), 57, 45, 24, 10),
    checkBox(1009, trNoop("→"), 84, 45, 24, 10),
    checkBox(1010, trNoop("←"), 111, 45, 24, 10),
    checkBox(keyXCheck, "X", 138, 45, 24, 10),
    checkBox(keyYCheck, "Y", 165, 45, 24, 10),
    checkBox(keyExclusionCheck, trNoop("Skip opposite directions and reset"), 41, 65, 130, 10),
    label(trNoop("Most keys held:"), 86, 14, 54, 8),
    choiceBox(keyCountBox, ChoiceList::KeyCounts, 143, 12, 46, 120),
};

// The most keys held at once, after "指定無し" (any number).
constexpr std::array<std::string_view, 13> keyCountLabels = {"0", "1", "2", "3",  "4",  "5", "6",
                                                             "7", "8", "9", "10", "11", "12"};

const std::array deliverymanControls = {
    okButton(43, 128, 50, 14),
    cancelButton(118, 128, 50, 14),
    label(trNoop("Nature advance (HP IV at 0)"), 23, 19, 117, 8),
    textField(deliveryNaturePositionField, 145, 17, 28, 13, {.rightAligned = true, .digitsOnly = true}),
    label(trNoop("Nature"), 23, 35, 21, 8),
    choiceBox(deliveryNatureBox, ChoiceList::Natures, 49, 33, 65, 120),
    checkBox(deliveryShinyCheck, trNoop("Shiny (Kyushu)"), 23, 75, 76, 10),
    textField(deliveryTrainerIdField, 39, 92, 41, 13, scrolling),
    textField(deliverySecretIdField, 115, 93, 41, 12, scrolling),
    label("ID:", 26, 94, 11, 8),
    label(trNoop("SID:"), 95, 95, 19, 8),
};

const std::array cometShardControls = {
    okButton(28, 39, 50, 14),
    cancelButton(105, 40, 50, 14),
    checkBox(compoundEyesCheck, trNoop("Compound Eyes"), 20, 17, 62, 10),
};

const std::array domeControls = {
    okButton(179, 132, 50, 14),
    cancelButton(241, 133, 50, 14),
    choiceBox(domeTrainerBoxes[0], ChoiceList::DomeTrainers, 22, 15, 127, 120),
    choiceBox(domeTrainerBoxes[1], ChoiceList::DomeTrainers, 22, 40, 127, 120),
    choiceBox(domeTrainerBoxes[2], ChoiceList::DomeTrainers, 22, 65, 127, 120),
    choiceBox(domeTrainerBoxes[3], ChoiceList::DomeTrainers, 22, 90, 127, 120),
    choiceBox(domeTrainerBoxes[4], ChoiceList::DomeTrainers, 22, 115, 127, 120),
    choiceBox(domeTrainerBoxes[5], ChoiceList::DomeTrainers, 22, 140, 127, 120),
    textField(domeSlackField, 233, 23, 40, 14, {.rightAligned = true, .scrolls = true}),
    label(trNoop("Advance slack:"), 179, 25, 51, 8),
};

void appendNames(std::vector<std::string_view>& items, int count, std::string_view (*name)(int)) {
  for (int id = 0; id < count; ++id) items.push_back(name(id));
}

}  // namespace

std::vector<std::string_view> choiceItems(ChoiceList list) {
  switch (list) {
    case ChoiceList::Games:
      return {tr("Black"), tr("White"), tr("Black 2"), tr("White 2")};
    case ChoiceList::Languages:
      return {tr("Japanese"), tr("English"), tr("German"), tr("French"), tr("Spanish"), tr("Italian"), tr("Korean")};
    case ChoiceList::ConsoleKinds:
      return {"DS", "DS Lite", "DSi", "3DS"};
    default:
      break;
  }
  std::vector<std::string_view> items = {anyItemText()};
  switch (list) {
    case ChoiceList::Natures:
      appendNames(items, natureCount, shownNatureName);
      break;
    case ChoiceList::EggNatures:
      items.push_back(trc("egg nature", "Everstone"));
      appendNames(items, natureCount, shownNatureName);
      break;
    case ChoiceList::EggAbilities:
      items.insert(items.end(), {eggAbilityLabels[0], eggAbilityLabels[1], trc("egg ability", "Hidden")});
      break;
    case ChoiceList::EggGenderRatios:
      items.insert(items.end(), eggGenderRatioLabels.begin(), eggGenderRatioLabels.end());
      break;
    case ChoiceList::DomeTrainers:
      appendNames(items, domeTrainerCount, shownDomeTrainerName);
      break;
    case ChoiceList::KeyCounts:
      items.insert(items.end(), keyCountLabels.begin(), keyCountLabels.end());
      break;
    case ChoiceList::Games:
    case ChoiceList::Languages:
    case ChoiceList::ConsoleKinds:
      break;
  }
  return items;
}

const std::array<OptionDialogDesign, 6> optionDialogDesigns = {{
    {shinyDialog, shinyOptionsButton, trNoop("Shiny PID search"), 180, 122, shinyControls, shinyOptionsShown,
     storeShinyOptions, shinyOptionsNote, nullptr, nullptr, nullptr},
    {inheritanceDialog, inheritanceOptionsButton, trNoop("Egg search"), 234, 142, inheritanceControls,
     inheritanceOptionsShown, storeInheritanceOptions, nullptr, nullptr, nullptr, nullptr},
    {cometShardDialog, cometShardOptionsButton, trNoop("Comet Shard options"), 176, 75, cometShardControls,
     cometShardOptionsShown, storeCometShardOptions, nullptr, nullptr, nullptr, nullptr},
    {keyInputDialog, keyInputOptionsButton, trNoop("Key input patterns"), 203, 123, keyInputControls,
     keyInputOptionsShown, storeKeyInputOptions, nullptr, nullptr, nullptr, nullptr},
    {domeDialog, domeOptionsButton, trNoop("Nimbasa Dome options"), 316, 183, domeControls, domeOptionsShown,
     storeDomeOptions, nullptr},
    {deliverymanDialog, deliverymanOptionsButton, trNoop("Deliveryman"), 208, 160, deliverymanControls,
     deliverymanOptionsShown, storeDeliverymanOptions, nullptr, nullptr, nullptr, nullptr},
}};

}  // namespace hanabira
