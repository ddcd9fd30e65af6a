#include "ui/model/main_window_layout.h"

#include "core/version.h"
#include "i18n/translate.h"
#include "ui/model/control_ids.h"
#include "ui/model/shown_names.h"
#include "vocab/names.h"

namespace hanabira {

using enum ControlKind;

std::string mainWindowTitle() { return "Hanabira ver" + std::string(programVersion); }

std::string_view anyItemText() { return tr("Any"); }

std::vector<std::string_view> hiddenPowerItems() {
  std::vector<std::string_view> items = {anyItemText()};
  for (int type = 0; type < hiddenPowerTypeCount; ++type) items.push_back(shownHiddenPowerTypeName(type));
  return items;
}

// Edit fields are 22 pixels high; a field is sized for the digits its value takes.
const std::array<ControlPlace, 64> mainWindowControls = {{
    {macEdits + 0, Edit, "", 350, 23, 30, 22},
    {macEdits + 1, Edit, "", 390, 23, 30, 22},
    {macEdits + 2, Edit, "", 430, 23, 30, 22},
    {macEdits + 3, Edit, "", 470, 23, 30, 22},
    {macEdits + 4, Edit, "", 510, 23, 30, 22},
    {macEdits + 5, Edit, "", 550, 23, 30, 22},
    {vcountEdit, Edit, "", 88, 58, 40, 22},
    {timer0Edit, Edit, "", 220, 58, 40, 22},
    {gxStatEdit, Edit, "", 350, 58, 90, 22},
    {frameEdit, Edit, "", 500, 58, 30, 22},
    {startYearEdit, Edit, "", 68, 93, 25, 22},
    {startMonthEdit, Edit, "", 110, 93, 25, 22},
    {startDayEdit, Edit, "", 152, 93, 25, 22},
    {endYearEdit, Edit, "", 228, 93, 25, 22},
    {endMonthEdit, Edit, "", 270, 93, 25, 22},
    {endDayEdit, Edit, "", 312, 93, 25, 22},
    {is3dsCheck, CheckBox, "3DS", 380, 92, 50, 30},
    {keyInputCheck, CheckBox, trNoop("Key input"), 450, 92, 100, 30},
    {keyInputOptionsButton, PushButton, trNoop("Edit"), 560, 94, 40, 25},
    {startHourEdit, Edit, "0", 53, 128, 25, 22},
    {endHourEdit, Edit, "23", 111, 128, 25, 22},
    {startMinuteEdit, Edit, "0", 172, 128, 25, 22},
    {endMinuteEdit, Edit, "59", 230, 128, 25, 22},
    {startSecondEdit, Edit, "0", 291, 128, 25, 22},
    {endSecondEdit, Edit, "59", 349, 128, 25, 22},
    {ivConsumptionMinEdit, Edit, "7", 195, 163, 30, 22},
    {ivConsumptionMaxEdit, Edit, "7", 245, 163, 30, 22},
    // Upper and lower individual values, H A B C D S, each upper field just before its lower one.
    {ivMaxEdits + 0, Edit, "31", 118, 198, 20, 22},
    {ivMinEdits + 0, Edit, "0", 118, 233, 20, 22},
    {ivMaxEdits + 1, Edit, "31", 158, 198, 20, 22},
    {ivMinEdits + 1, Edit, "0", 158, 233, 20, 22},
    {ivMaxEdits + 2, Edit, "31", 198, 198, 20, 22},
    {ivMinEdits + 2, Edit, "0", 198, 233, 20, 22},
    {ivMaxEdits + 3, Edit, "31", 238, 198, 20, 22},
    {ivMinEdits + 3, Edit, "0", 238, 233, 20, 22},
    {ivMaxEdits + 4, Edit, "31", 278, 198, 20, 22},
    {ivMinEdits + 4, Edit, "0", 278, 233, 20, 22},
    {ivMaxEdits + 5, Edit, "31", 318, 198, 20, 22},
    {ivMinEdits + 5, Edit, "0", 318, 233, 20, 22},
    {hiddenPowerCombo, ComboBox, "", 435, 198, 120, 24},
    {hiddenPowerMinPowerEdit, Edit, "30", 570, 199, 24, 22},
    {roamingCheck, CheckBox, trNoop("Roam"), 380, 232, 60, 30},
    {startButton, PushButton, trNoop("Start search"), 300, 400, 200, 30},
    {saveButton, PushButton, trNoop("Save"), 550, 58, 40, 25},
    {pidConsumptionMinEdit, Edit, "50", 195, 270, 60, 22},
    {pidConsumptionMaxEdit, Edit, "150", 273, 270, 60, 22},
    {shinyPidCheck, CheckBox, trNoop("Shiny PID search"), 10, 305, 150, 30},
    {shinyOptionsButton, PushButton, trNoop("Edit"), 180, 305, 40, 25},
    {inheritanceCheck, CheckBox, trNoop("Egg search"), 10, 340, 150, 30},
    {inheritanceOptionsButton, PushButton, trNoop("Edit"), 180, 340, 40, 25},
    {deliverymanCheck, CheckBox, trNoop("Deliveryman search"), 10, 375, 150, 30},
    {deliverymanOptionsButton, PushButton, trNoop("Edit"), 180, 375, 40, 25},
    {cometShardCheck, CheckBox, trNoop("Comet Shard"), 10, 410, 150, 30},
    {cometShardOptionsButton, PushButton, trNoop("Edit"), 180, 410, 40, 25},
    {domeCheck, CheckBox, trNoop("Nimbasa Dome"), 330, 305, 150, 30},
    {domeOptionsButton, PushButton, trNoop("Edit"), 500, 305, 40, 25},
    {blackRadio, RadioButton, trNoop("Black"), 12, 25, 100, 22},
    {whiteRadio, RadioButton, trNoop("White"), 112, 25, 100, 22},
    // Added after the version buttons: the edition, console kind and calibration.
    {consoleButton, PushButton, trNoop("DS..."), 186, 23, 42, 25},
    // Added later still, in the empty corner: the languages of the texts and result files.
    {languageButton, PushButton, trNoop("Language"), 550, 405, 76, 25},
    // And left of the start button, the table of the last search's lines.
    {resultsButton, PushButton, trNoop("Results"), 228, 405, 66, 25},
    // Right of the IV positions, the console profiles and the menu that keeps them.
    {profileCombo, ComboBox, "", 385, 163, 160, 24},
    {profilesButton, PushButton, trNoop("Edit"), 560, 162, 40, 25},
    // Below them, right of the roaming box: a search over every profile at once.
    {allProfilesCheck, CheckBox, trNoop("Every profile"), 450, 232, 150, 30},
}};

const std::array<ModeCheckBox, 5> modeCheckBoxes = {{
    {SearchMode::ShinyPidSearch, shinyPidCheck},
    {SearchMode::InheritanceSearch, inheritanceCheck},
    {SearchMode::DeliverymanSearch, deliverymanCheck},
    {SearchMode::CometShardSearch, cometShardCheck},
    {SearchMode::DomeSearch, domeCheck},
}};

const std::array<PaintedLabel, 44> mainWindowLabels = {{
    {trNoop("Common settings"), 2, 2},
    {trNoop("MAC address:"), 230, 25},
    {"VCount:0x", 12, 60},
    {"Timer0:0x", 150, 60},
    {"GxStat:0x", 280, 60},
    {"Frame:", 450, 60},
    {trNoop("Date: 20"), 12, 95},
    {trNoop("y"), 94, 95},
    {trNoop("m"), 136, 95},
    {trNoop("d ~ 20"), 178, 95},
    {trNoop("y"), 252, 95},
    {trNoop("m"), 296, 95},
    {trNoop("d"), 338, 95},
    {trNoop("Time:"), 12, 130},
    {trNoop("h~"), 79, 130},
    {trNoop("min~"), 198, 130},
    {trNoop("s~"), 317, 130},
    {trNoop("h"), 137, 130},
    {trNoop("min"), 256, 130},
    {trNoop("s"), 375, 130},
    {trNoop("IV RNG"), 0, 165},
    {trNoop("Advance:"), 140, 165},
    {trNoop("~"), 230, 165},
    {trNoop("IVs:"), 10, 217},
    {trNoop("Max"), 70, 200},
    {trNoop("Min"), 70, 235},
    {"H", 106, 200},
    {"A", 146, 200},
    {"B", 186, 200},
    {"C", 226, 200},
    {"D", 266, 200},
    {"S", 306, 200},
    {"H", 106, 235},
    {"A", 146, 235},
    {"B", 186, 235},
    {"C", 226, 235},
    {"D", 266, 235},
    {"S", 306, 235},
    {trNoop("H.Power:"), 380, 200},
    {trNoop("& up"), 600, 200},
    {trNoop("PID RNG"), 0, 270},
    {trNoop("Advance:"), 140, 270},
    {trNoop("~"), 256, 270},
    {trNoop("Profile:"), 300, 165},
}};

}  // namespace hanabira
