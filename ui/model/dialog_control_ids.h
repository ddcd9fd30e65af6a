// The option dialogs and their controls by id. The dialogs reuse ids, so each name says
// whose control it is.
#pragma once

#include <array>

namespace hanabira {

enum OptionDialogId : int {
  shinyDialog = 101,
  inheritanceDialog = 102,
  cometShardDialog = 103,
  keyInputDialog = 105,
  domeDialog = 106,
  deliverymanDialog = 107,
};

enum OptionDialogControlId : int {
  // Every dialog.
  dialogOkButton = 1,
  dialogCancelButton = 2,

  // Shiny personality values.
  shinyIdCorrectionCheck = 1001,
  shinyHatchedRadio = 1002,
  shinyRoamingRadio = 1003,
  shinyStationaryRadio = 1004,
  shinyTrainerIdField = 1005,
  shinySecretIdField = 1006,
  shinyNatureBox = 1007,

  // Eggs with inheritance.
  withDittoRadio = 1002,
  withoutDittoRadio = 1003,
  eggAbilityBox = 1024,
  eggGenderRatioBox = 1025,
  eggNatureBox = 1026,

  // Key input: the check boxes run from 1001 ("A") to 1010 ("左") in the order shown,
  // then X and Y.
  keyExclusionCheck = 1011,
  keyXCheck = 1012,
  keyYCheck = 1013,
  keyCountBox = 1014,

  // Deliveryman.
  deliveryShinyCheck = 1001,
  deliveryNaturePositionField = 1005,
  deliveryTrainerIdField = 1006,
  deliveryNatureBox = 1007,
  deliverySecretIdField = 1023,

  // Comet shard.
  compoundEyesCheck = 1001,

  // Dome.
  domeSlackField = 1005,
};

// The parents' individual values, H A B C D S.
inline constexpr std::array<int, 6> firstParentIvFields = {1005, 1006, 1023, 1027, 1028, 1029};
inline constexpr std::array<int, 6> secondParentIvFields = {1030, 1031, 1032, 1033, 1034, 1035};

// The key check boxes by their key's bit in a key mask (A, B, Select, Start, Right,
// Left, Up, Down, R, L, X, Y). The dialog shows them in another order: A B St Se L R on
// the first row, 上 下 右 左 X Y on the second.
inline constexpr std::array<int, 12> keyChecks = {1001, 1002, 1004, 1003, 1009,      1010,
                                                  1007, 1008, 1006, 1005, keyXCheck, keyYCheck};

// The six wanted trainers, first to sixth.
inline constexpr std::array<int, 6> domeTrainerBoxes = {1007, 1021, 1024, 1025, 1026, 1008};

}  // namespace hanabira
