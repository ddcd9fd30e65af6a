#include "ui/model/option_values.h"

#include "core/field_text.h"
#include "engine/settings_warnings.h"
#include "i18n/translate.h"
#include "ui/model/dialog_control_ids.h"

namespace hanabira {
namespace {

std::string decimalText(int value) { return std::to_string(value); }

void check(DialogState& state, int id, bool checked) {
  if (checked) state.checked.insert(id);
}

int readNumber(const DialogState& state, int id, int maxChars) { return parseDecimalField(state.text(id), maxChars); }

// A choice that is stored as the item's position plus `offset`.
void storeChoice(const DialogState& state, int id, int offset, int& value) {
  const int position = state.selection(id);
  if (position >= 0) value = position + offset;
}

}  // namespace

std::string_view DialogState::text(int id) const {
  const auto found = texts.find(id);
  return found == texts.end() ? std::string_view{} : std::string_view{found->second};
}

int DialogState::selection(int id) const {
  const auto found = selected.find(id);
  return found == selected.end() ? -1 : found->second;
}

std::uint16_t readIdField(std::string_view text) {
  return static_cast<std::uint16_t>(parseDecimalField(text, idFieldChars));
}

DialogState shinyOptionsShown(const SearchSettings& s) {
  DialogState shown;
  shown.selected[shinyNatureBox] = s.shinyNature;
  shown.texts[shinyTrainerIdField] = decimalText(s.trainerId);
  shown.texts[shinySecretIdField] = decimalText(s.secretId);
  // Any kind but hatched and roaming shows as stationary, as OK would store it.
  const int kindRadio = s.shinyEncounterKind == 1   ? shinyHatchedRadio
                        : s.shinyEncounterKind == 2 ? shinyRoamingRadio
                                                    : shinyStationaryRadio;
  shown.checked.insert(kindRadio);
  check(shown, shinyIdCorrectionCheck, s.idCorrection);
  return shown;
}

void storeShinyOptions(const DialogState& state, SearchSettings& s) {
  s.trainerId = readIdField(state.text(shinyTrainerIdField));
  s.secretId = readIdField(state.text(shinySecretIdField));
  s.shinyEncounterKind = state.isChecked(shinyRoamingRadio) ? 2 : state.isChecked(shinyStationaryRadio) ? 3 : 1;
  s.idCorrection = state.isChecked(shinyIdCorrectionCheck);
  storeChoice(state, shinyNatureBox, 0, s.shinyNature);
}

std::string_view shinyOptionsNote(const DialogState& state) {
  SearchSettings s;
  storeShinyOptions(state, s);
  return lacksStationaryIdCorrection(s)
             ? tr("* The game applies the ID fix to static encounters.\nWithout it this ID differs from the game.")
             : "";
}

DialogState inheritanceOptionsShown(const SearchSettings& s) {
  DialogState shown;
  shown.checked.insert(s.withoutDitto ? withoutDittoRadio : withDittoRadio);
  for (std::size_t k = 0; k < 6; ++k) {
    shown.texts[firstParentIvFields[k]] = decimalText(s.firstParentIvs[k]);
    shown.texts[secondParentIvFields[k]] = decimalText(s.secondParentIvs[k]);
  }
  // The egg's list has "指定無し" (-1) before "変わらず" (0).
  shown.selected[eggNatureBox] = s.eggNature + 1;
  shown.selected[eggAbilityBox] = s.eggAbility;
  shown.selected[eggGenderRatioBox] = s.eggGenderRatio;
  return shown;
}

void storeInheritanceOptions(const DialogState& state, SearchSettings& s) {
  for (std::size_t k = 0; k < 6; ++k)
    s.firstParentIvs[k] = readNumber(state, firstParentIvFields[k], parentIvFieldChars);
  for (std::size_t k = 0; k < 6; ++k) {
    s.secondParentIvs[k] = readNumber(state, secondParentIvFields[k], parentIvFieldChars);
  }
  s.withoutDitto = !state.isChecked(withDittoRadio);
  storeChoice(state, eggNatureBox, -1, s.eggNature);
  storeChoice(state, eggAbilityBox, 0, s.eggAbility);
  storeChoice(state, eggGenderRatioBox, 0, s.eggGenderRatio);
}

// X and Y are checked only where they take part (keyXYEnabled); checking either of them
// turns them on, and with both unchecked the search holds neither, as before they came.
DialogState keyInputOptionsShown(const SearchSettings& s) {
  DialogState shown;
  for (int bit = 0; bit < keyMaskBits; ++bit) {
    const bool xOrY = bit == keyX || bit == keyY;
    const auto k = static_cast<std::size_t>(bit);
    check(shown, keyChecks[k], s.keyAllowed[k] && (!xOrY || s.keyXYEnabled));
  }
  check(shown, keyExclusionCheck, s.excludeOppositeAndReset);
  // "指定無し" (no limit), then 0 to 12.
  shown.selected[keyCountBox] = s.keyCountMax ? *s.keyCountMax + 1 : 0;
  return shown;
}

void storeKeyInputOptions(const DialogState& state, SearchSettings& s) {
  for (int bit = 0; bit < keyX; ++bit) {
    s.keyAllowed[static_cast<std::size_t>(bit)] = state.isChecked(keyChecks[static_cast<std::size_t>(bit)]);
  }
  s.keyXYEnabled = state.isChecked(keyXCheck) || state.isChecked(keyYCheck);
  if (s.keyXYEnabled) {
    s.keyAllowed[keyX] = state.isChecked(keyXCheck);
    s.keyAllowed[keyY] = state.isChecked(keyYCheck);
  }
  s.excludeOppositeAndReset = state.isChecked(keyExclusionCheck);
  const int position = state.selection(keyCountBox);
  if (position >= 0) s.keyCountMax = position == 0 ? std::nullopt : std::optional<int>(position - 1);
}

DialogState deliverymanOptionsShown(const SearchSettings& s) {
  DialogState shown;
  shown.texts[deliveryNaturePositionField] = decimalText(s.deliveryNaturePosition);
  shown.selected[deliveryNatureBox] = s.deliveryNature;
  check(shown, deliveryShinyCheck, s.deliveryShiny);
  shown.texts[deliveryTrainerIdField] = decimalText(s.deliveryTrainerId);
  shown.texts[deliverySecretIdField] = decimalText(s.deliverySecretId);
  return shown;
}

void storeDeliverymanOptions(const DialogState& state, SearchSettings& s) {
  s.deliveryNaturePosition = readNumber(state, deliveryNaturePositionField, naturePositionFieldChars);
  storeChoice(state, deliveryNatureBox, 0, s.deliveryNature);
  s.deliveryShiny = state.isChecked(deliveryShinyCheck);
  // The IDs belong to the shiny test: without it, whatever was typed there is dropped.
  if (s.deliveryShiny) {
    s.deliveryTrainerId = readIdField(state.text(deliveryTrainerIdField));
    s.deliverySecretId = readIdField(state.text(deliverySecretIdField));
  }
}

DialogState cometShardOptionsShown(const SearchSettings& s) {
  DialogState shown;
  check(shown, compoundEyesCheck, s.compoundEyes);
  return shown;
}

void storeCometShardOptions(const DialogState& state, SearchSettings& s) {
  s.compoundEyes = state.isChecked(compoundEyesCheck);
}

DialogState domeOptionsShown(const SearchSettings& s) {
  DialogState shown;
  for (std::size_t k = 0; k < domeTrainerBoxes.size(); ++k) shown.selected[domeTrainerBoxes[k]] = s.domeTrainers[k];
  shown.texts[domeSlackField] = decimalText(s.domeConsumptionSlack);
  return shown;
}

void storeDomeOptions(const DialogState& state, SearchSettings& s) {
  for (std::size_t k = 0; k < domeTrainerBoxes.size(); ++k)
    storeChoice(state, domeTrainerBoxes[k], 0, s.domeTrainers[k]);
  s.domeConsumptionSlack = readNumber(state, domeSlackField, domeSlackFieldChars);
}

}  // namespace hanabira
