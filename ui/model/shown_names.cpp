#include "ui/model/shown_names.h"

#include "i18n/translate.h"
#include "vocab/english_names.h"
#include "vocab/names.h"

namespace hanabira {
namespace {

std::string_view shown(std::optional<std::string_view> (*japanese)(int),
                       std::optional<std::string_view> (*english)(int), int id) {
  return *(uiLanguage() == "ja" ? japanese : english)(id);
}

}  // namespace

std::string_view shownNatureName(int id) { return shown(natureName, englishNatureName, id); }

std::string_view shownHiddenPowerTypeName(int id) { return shown(hiddenPowerTypeName, englishHiddenPowerTypeName, id); }

std::string_view shownDomeTrainerName(int id) { return shown(domeTrainerName, englishDomeTrainerName, id); }

}  // namespace hanabira
