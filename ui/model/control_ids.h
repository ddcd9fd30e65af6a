// The main window's controls by id, the ids every front end gives them.
#pragma once

namespace hanabira {

enum ControlId : int {
  // Version radio buttons.
  blackRadio = 900,
  whiteRadio = 901,

  // Mode and option check boxes.
  shinyPidCheck = 930,
  roamingCheck = 931,
  inheritanceCheck = 932,
  deliverymanCheck = 952,
  keyInputCheck = 953,
  cometShardCheck = 954,
  domeCheck = 955,
  is3dsCheck = 956,
  allProfilesCheck = 957,  // searches every profile, each line led by its name

  hiddenPowerCombo = 922,
  profileCombo = 923,  // the console profiles, "no profile" first

  // Edit fields. The six address bytes, the six upper and the six lower individual
  // values have consecutive ids, starting at the one named here.
  vcountEdit = 1000,
  timer0Edit = 1001,
  gxStatEdit = 1002,
  macEdits = 1003,
  startYearEdit = 1009,
  startMonthEdit = 1010,
  startDayEdit = 1011,
  ivMaxEdits = 1012,
  endYearEdit = 1018,
  endMonthEdit = 1019,
  endDayEdit = 1020,
  ivMinEdits = 1021,
  ivConsumptionMinEdit = 1027,
  ivConsumptionMaxEdit = 1028,
  frameEdit = 1029,
  startHourEdit = 1030,
  startMinuteEdit = 1031,
  startSecondEdit = 1032,
  endHourEdit = 1033,
  endMinuteEdit = 1034,
  endSecondEdit = 1035,
  pidConsumptionMinEdit = 1038,
  pidConsumptionMaxEdit = 1039,
  hiddenPowerMinPowerEdit = 1040,

  // Push buttons; these are the window's commands.
  startButton = 1100,
  saveButton = 1102,
  shinyOptionsButton = 1103,
  inheritanceOptionsButton = 1104,
  cometShardOptionsButton = 1105,
  keyInputOptionsButton = 1106,
  domeOptionsButton = 1107,
  deliverymanOptionsButton = 1108,
  consoleButton = 1109,   // beside the version buttons: the console dialog
  languageButton = 1110,  // in the corner below: the menu of languages
  resultsButton = 1111,   // left of the start button: the table of the last search's lines
  profilesButton = 1112,  // beside the profiles: the menu of what can be done with them

  // The items of the profiles menu.
  newProfileCommand = 1120,
  renameProfileCommand = 1121,
  storeProfileCommand = 1122,
  deleteProfileCommand = 1123,
  importProfilesCommand = 1124,
  exportProfilesCommand = 1125,
};

}  // namespace hanabira
