// The console dialog, opened by the button beside the version choice: the edition and
// console kind, the ranges of VCount and Timer0 searched (the console kind's typical
// ones when it is chosen), and the calibration that finds a console's values from an
// outcome seen at a known boot, its results in a table to pick from. The calibration
// runs off the window's thread, a status line saying so, and 計算 reads 中止 meanwhile.
// OK stores the choices, and the picked parameters into the window's console fields.
#pragma once

#include <optional>
#include <string>

#include "engine/calibration.h"
#include "ui/model/option_dialog_designs.h"

namespace hanabira {

inline constexpr int consoleDialog = 108;

enum ConsoleDialogControlId : int {
  consoleGameBox = 1001,
  consoleLanguageBox = 1002,
  consoleKindBox = 1003,
  consoleVcountMinField = 1004,
  consoleVcountMaxField = 1005,
  consoleTimer0MinField = 1006,
  consoleTimer0MaxField = 1007,
  consoleBootFields = 1010,  // year, month, day, hour, minute, second: 1010 to 1015
  consoleSecondsField = 1016,
  consolePositionField = 1017,
  consoleIvMinFields = 1020,  // H A B C D S: 1020 to 1025
  consoleIvMaxFields = 1030,  // 1030 to 1035
  consoleSeedField = 1040,
  consoleCalibrateButton = 1041,
  consoleResultTable = 1042,
  consoleCalibrationStatus = 1043,
};

extern const OptionDialogDesign consoleDialogDesign;

// The edition the choice boxes name, when all three name one.
std::optional<Edition> consoleDialogEdition(const DialogState& state);

// The calibration the dialog's fields ask for, with the console the window's fields
// make (address, GxStat, keys); nullopt when the choice boxes name no edition.
std::optional<CalibrationRequest> consoleDialogCalibration(const DialogState& state, const SearchSettings& window);

}  // namespace hanabira
