#include "ui/main/window_fields.h"

#include "core/field_text.h"
#include "ui/main/control_ids.h"

namespace hanabira {
namespace {

// Characters each kind of field counts (the console's: core/console_config.h).
constexpr int dateTimeChars = 2;
constexpr int ivChars = 2;
constexpr int hiddenPowerChars = 2;
constexpr int ivConsumptionChars = 4;
constexpr int pidConsumptionChars = 5;

struct ConsoleFields {
  std::uint32_t vcount, timer0, gxStat;
  int frame;
  MacAddress mac;
};

ConsoleFields readConsole(const WindowFields& f) {
  ConsoleFields console{parseHexField(f.text(vcountEdit), vcountChars), parseHexField(f.text(timer0Edit), timer0Chars),
                        parseHexField(f.text(gxStatEdit), gxStatChars), parseDecimalField(f.text(frameEdit), frameChars),
                        {}};
  for (int k = 0; k < 6; ++k) {
    // Two hexadecimal digits make one byte; a signed text ("-1") keeps only its low byte.
    console.mac[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(parseHexField(f.text(macEdits + k), macByteChars));
  }
  return console;
}

}  // namespace

std::string_view WindowFields::text(int id) const {
  const auto found = texts.find(id);
  return found == texts.end() ? std::string_view{} : std::string_view{found->second};
}

void readStartFields(const WindowFields& f, SearchSettings& s) {
  const ConsoleFields console = readConsole(f);
  s.vcount = console.vcount;
  s.timer0 = console.timer0;
  s.gxStat = console.gxStat;
  s.frame = console.frame;
  applyMacAddress(s, console.mac);

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
  if (f.isChecked(blackRadio)) {
    s.versionWord = blackVersionWord;
  } else if (f.isChecked(whiteRadio)) {
    s.versionWord = whiteVersionWord;
  }

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

  s.shinyPidSearch = f.isChecked(shinyPidCheck);
  s.inheritanceSearch = f.isChecked(inheritanceCheck);
  s.deliverymanSearch = f.isChecked(deliverymanCheck);
  s.cometShardSearch = f.isChecked(cometShardCheck);
  s.domeSearch = f.isChecked(domeCheck);
}

ConsoleParameters readSavedConsole(const WindowFields& f) {
  const ConsoleFields console = readConsole(f);
  return {console.vcount, console.timer0, console.gxStat, console.frame, console.mac,
          f.isChecked(blackRadio) ? blackVersionWord : whiteVersionWord};
}

void applySavedConsole(const ConsoleParameters& saved, SearchSettings& settings) {
  settings.vcount = saved.vcount;
  settings.timer0 = saved.timer0;
  settings.gxStat = saved.gxStat;
  settings.frame = saved.frame;
  settings.versionWord = saved.versionWord;
}

}  // namespace hanabira
