#include "ui/model/window_fields.h"

#include "core/field_text.h"
#include "evaluate/search_modes.h"
#include "ui/model/control_ids.h"
#include "ui/model/main_window_layout.h"

namespace hanabira {
namespace {

// Characters each kind of field counts (the console's: core/console_config.h).
constexpr int dateTimeChars = 2;
constexpr int ivChars = 2;
constexpr int hiddenPowerChars = 2;
constexpr int ivConsumptionChars = 4;
constexpr int pidConsumptionChars = 5;

// The console fields, the version of the radio button that is checked (`version` when
// neither is), and the edition and ranges chosen in the console dialog. A checked
// version whose words are not the edition's is the newer choice: the edition gives way.
ConsoleParameters readConsole(const WindowFields& f, std::uint32_t version, const SearchSettings& choices) {
  const bool versionChecked = f.isChecked(blackRadio) || f.isChecked(whiteRadio);
  if (f.isChecked(blackRadio)) {
    version = blackVersionWord;
  } else if (f.isChecked(whiteRadio)) {
    version = whiteVersionWord;
  }
  ConsoleParameters console{parseHexField(f.text(vcountEdit), vcountChars),
                            parseHexField(f.text(timer0Edit), timer0Chars),
                            parseHexField(f.text(gxStatEdit), gxStatChars),
                            parseDecimalField(f.text(frameEdit), frameChars),
                            {},
                            version,
                            {},
                            {},
                            {}};
  for (int k = 0; k < 6; ++k) {
    // Two hexadecimal digits make one byte; a signed text ("-1") keeps only its low byte.
    console.mac[static_cast<std::size_t>(k)] =
        static_cast<std::uint8_t>(parseHexField(f.text(macEdits + k), macByteChars));
  }
  console.edition = choices.edition;
  console.vcountRange = choices.vcountRange;
  console.timer0Range = choices.timer0Range;
  if (console.edition && versionChecked && editionFacts(*console.edition).words != versionWordWords(version)) {
    console.edition.reset();
  }
  return console;
}

}  // namespace

std::string_view WindowFields::text(int id) const {
  const auto found = texts.find(id);
  return found == texts.end() ? std::string_view{} : std::string_view{found->second};
}

void readStartFields(const WindowFields& f, SearchSettings& s) {
  applyConsoleParameters(readConsole(f, s.versionWord, s), s);

  auto decimal = [&](int id, int chars) { return parseDecimalField(f.text(id), chars); };
  s.startYear = decimal(startYearEdit, dateTimeChars);
  s.endYear = decimal(endYearEdit, dateTimeChars);
  s.startMonth = decimal(startMonthEdit, dateTimeChars);
  s.endMonth = decimal(endMonthEdit, dateTimeChars);
  s.startDay = decimal(startDayEdit, dateTimeChars);
  s.endDay = decimal(endDayEdit, dateTimeChars);
  s.startHour = decimal(startHourEdit, dateTimeChars);
  s.endHour = decimal(endHourEdit, dateTimeChars);
  s.startMinute = decimal(startMinuteEdit, dateTimeChars);
  s.endMinute = decimal(endMinuteEdit, dateTimeChars);
  s.startSecond = decimal(startSecondEdit, dateTimeChars);
  s.endSecond = decimal(endSecondEdit, dateTimeChars);

  s.is3ds = f.isChecked(is3dsCheck);
  s.keyInputEnabled = f.isChecked(keyInputCheck);

  for (int k = 0; k < 6; ++k) {
    const auto stat = static_cast<std::size_t>(k);
    s.ivMax[stat] = decimal(ivMaxEdits + k, ivChars);
    s.ivMin[stat] = decimal(ivMinEdits + k, ivChars);
  }
  s.hiddenPowerType = f.hiddenPowerItem - 1;
  s.hiddenPowerMinPower = decimal(hiddenPowerMinPowerEdit, hiddenPowerChars);
  s.roaming = f.isChecked(roamingCheck);
  s.ivConsumptionMin = decimal(ivConsumptionMinEdit, ivConsumptionChars);
  s.ivConsumptionMax = decimal(ivConsumptionMaxEdit, ivConsumptionChars);
  s.pidConsumptionMin = decimal(pidConsumptionMinEdit, pidConsumptionChars);
  s.pidConsumptionMax = decimal(pidConsumptionMaxEdit, pidConsumptionChars);

  for (const ModeCheckBox& box : modeCheckBoxes) s.*definitionOf(box.mode).flag = f.isChecked(box.id);
}

ConsoleParameters readSavedConsole(const WindowFields& f, const SearchSettings& choices) {
  // A save with neither version checked writes White.
  return readConsole(f, whiteVersionWord, choices);
}

LoadedConsoleFields loadedConsoleFields(const std::optional<ConsoleConfigText>& config) {
  LoadedConsoleFields loaded{{}, std::nullopt, blackRadio, {}, {}, {}};
  if (!config) return loaded;
  auto put = [&](int id, const std::optional<std::string>& text) {
    if (text) loaded.texts[id] = *text;
  };
  put(vcountEdit, config->vcount);
  put(timer0Edit, config->timer0);
  put(gxStatEdit, config->gxStat);
  put(frameEdit, config->frame);
  for (int k = 0; k < 6; ++k) put(macEdits + k, config->macBytes[static_cast<std::size_t>(k)]);
  loaded.versionWord = config->versionWord;
  loaded.edition = config->edition;
  loaded.vcountRange = config->vcountRange;
  loaded.timer0Range = config->timer0Range;
  // An edition of other words than the version line's leaves both buttons unchecked, so
  // that the start command keeps it.
  if (loaded.edition &&
      editionFacts(*loaded.edition).words != versionWordWords(config->versionWord.value_or(blackVersionWord))) {
    loaded.versionRadio.reset();
    return loaded;
  }
  if (config->versionWord == whiteVersionWord) {
    loaded.versionRadio = whiteRadio;
  } else if (config->versionWord && *config->versionWord != blackVersionWord) {
    loaded.versionRadio.reset();
  }
  return loaded;
}

}  // namespace hanabira
