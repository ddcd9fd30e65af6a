#include "ui/model/problem_messages.h"

#include <fmt/format.h>

#include <array>
#include <limits>
#include <span>
#include <string>
#include <string_view>

#include "i18n/translate.h"
#include "ui/model/config_file.h"

namespace hanabira {
namespace {

std::string noIvPasses() { return std::string(tr("No IVs meet these conditions.")); }

struct FieldLabel {
  std::string_view field;
  std::string_view label;  // in English: shown through tr()
  bool hex = false;        // typed in hexadecimal, and so named in the message
};

// The fields a search can refuse, named as the window shows them.
constexpr std::array<FieldLabel, 28> searchLabels = {{
    {"vcountMin", trNoop("VCount range (min)"), true},
    {"vcountMax", trNoop("VCount range (max)"), true},
    {"timer0Min", trNoop("Timer0 range (min)"), true},
    {"timer0Max", trNoop("Timer0 range (max)"), true},
    {"startYear", trNoop("Start year")},
    {"startMonth", trNoop("Start month")},
    {"startDay", trNoop("Start day")},
    {"endYear", trNoop("End year")},
    {"endMonth", trNoop("End month")},
    {"endDay", trNoop("End day")},
    {"startHour", trNoop("Start hour")},
    {"endHour", trNoop("End hour")},
    {"startMinute", trNoop("Start minute")},
    {"endMinute", trNoop("End minute")},
    {"startSecond", trNoop("Start second")},
    {"endSecond", trNoop("End second")},
    {"ivConsumptionMin", trNoop("IV advances (start)")},
    {"ivConsumptionMax", trNoop("IV advances (end)")},
    {"pidConsumptionMin", trNoop("PID advances (start)")},
    {"pidConsumptionMax", trNoop("PID advances (end)")},
    {"deliveryNaturePosition", trNoop("Deliveryman nature advance")},
    {"shinyEncounterKind", trNoop("Shiny PID encounter")},
    {"shinyNature", trNoop("Shiny PID nature")},
    {"eggNature", trNoop("Egg nature")},
    {"eggAbility", trNoop("Egg ability")},
    {"eggGenderRatio", trNoop("Egg gender")},
    {"deliveryNature", trNoop("Deliveryman nature")},
    {"domeTrainers", trNoop("Nimbasa Dome trainer")},
}};

// The console dialog's calibration names the boot moment and the observed position by
// its own fields; the rest (the window's console and key fields) as a search does.
constexpr std::array<FieldLabel, 9> calibrationLabels = {{
    {"startYear", trNoop("Boot year")},
    {"startMonth", trNoop("Boot month")},
    {"startDay", trNoop("Boot day")},
    {"startHour", trNoop("Boot hour")},
    {"startMinute", trNoop("Boot minute")},
    {"startSecond", trNoop("Boot second")},
    {"ivConsumptionMin", trNoop("Advance")},
    {"ivConsumptionMax", trNoop("Advance")},
    {"secondsAround", trNoop("Boot ± seconds")},
}};

// The label of `field`, or the field's own name for one of an option dialog not listed.
FieldLabel labelOf(const std::string& field, std::span<const FieldLabel> preferred) {
  for (const std::span<const FieldLabel> labels : {preferred, std::span<const FieldLabel>(searchLabels)}) {
    for (const FieldLabel& label : labels) {
      if (label.field == field) return label;
    }
  }
  return {field, field};
}

std::string number(long long value, bool hex) { return hex ? fmt::format("{:X}", value) : std::to_string(value); }

// A value outside what the field allows: its range, or the days of its month.
std::string allowedRange(const SettingsProblem& p, bool hex) {
  if (p.kind == SettingsProblem::Kind::DayNotInMonth) {
    return trf("{}/{} has {} days.", 2000 + p.year, p.month, p.high);
  }
  if (p.high == std::numeric_limits<int>::max()) return trf("Enter {} or more.", number(p.low, hex));
  if (p.low == std::numeric_limits<int>::min()) return trf("Enter {} or less.", number(p.high, hex));
  return trf("Enter {} to {}.", number(p.low, hex), number(p.high, hex));
}

std::string problemMessage(std::string_view refused, const SettingsProblem& problem,
                           std::span<const FieldLabel> labels) {
  std::string reason;
  switch (problem.kind) {
    case SettingsProblem::Kind::HiddenAbilityFromDitto:
      return trf(
          "{}\nA Ditto never passes on the hidden ability.\n"
          "Choose No Ditto, or an ability other than Hidden.",
          refused);
    case SettingsProblem::Kind::TooManyPairs:
      reason = trf("\nVCount × Timer0 may give at most {} pairs.", problem.pairLimit);
      break;
    case SettingsProblem::Kind::OutOfRange:
    case SettingsProblem::Kind::DayNotInMonth:
    case SettingsProblem::Kind::BelowRangeStart:
      break;
  }
  const FieldLabel label = labelOf(problem.field, labels);
  return trf("{}\n{} value {} is out of range.\n{}{}", refused, tr(label.label), number(problem.value, label.hex),
             allowedRange(problem, label.hex), reason);
}

constexpr std::array<std::string_view, 6> statLetters = {"H", "A", "B", "C", "D", "S"};

// A bound outside the values there are: past them none passes, short of them it is the
// nearest value in effect.
std::string outsideMessage(std::string_view label, long long value, int low, int high, bool passesNone) {
  return trf("{} value {} is outside {} to {}.\n{}", label, value, low, high,
             passesNone ? noIvPasses() : trf("Searching with {}.", value < low ? low : high));
}

std::string ivBoundLabel(std::string_view bound, int stat) {
  return trf("IV {} ({})", tr(bound), statLetters[static_cast<std::size_t>(stat)]);
}

std::string dateText(const Date& date) { return trf("{}/{}/{}", 2000 + date.year, date.month, date.day); }

}  // namespace

std::string settingsProblemMessage(const SettingsProblem& problem) {
  return problemMessage(tr("Cannot start the search."), problem, {});
}

std::string calibrationProblemMessage(const SettingsProblem& problem) {
  return problemMessage(tr("Cannot start the calculation."), problem, calibrationLabels);
}

std::string resultFileCreateMessage(std::string_view path, const FileProblem& problem) {
  return trf("Cannot start the search.\nCannot create the result file.\n{}\n{}", path, reasonText(problem));
}

std::string resultFileWriteMessage(std::string_view path, const FileProblem& problem) {
  return trf("The search stopped: cannot write the result file.\n{}\n{}", path, reasonText(problem));
}

std::string searchFailureMessage(std::string_view detail) {
  return trf("The search stopped on an error.\nDetails: {}", detail);
}

std::string configLoadMessage(std::string_view path, const FileProblem& problem) {
  return trf("Cannot read {}.\n{}\n{}", configFileName, path, reasonText(problem));
}

std::string configContentMessage(std::string_view path, const ConsoleConfigProblem& problem) {
  switch (problem.kind) {
    case ConsoleConfigProblem::Kind::NotText:
      return trf("Cannot read {}.\n{}\nLine {} holds characters that are not text.", configFileName, path,
                 problem.line);
    case ConsoleConfigProblem::Kind::Utf16:
      return trf("Cannot read {}.\n{}\nThe file is UTF-16. Save it as UTF-8.", configFileName, path);
    case ConsoleConfigProblem::Kind::BadEdition:
    case ConsoleConfigProblem::Kind::BadRange:
    case ConsoleConfigProblem::Kind::BadLanguage:
    case ConsoleConfigProblem::Kind::BadCalibration:
      break;
  }
  using Kind = ConsoleConfigProblem::Kind;
  const std::string_view what = problem.kind == Kind::BadEdition       ? tr("The edition and console")
                                : problem.kind == Kind::BadRange       ? tr("The range")
                                : problem.kind == Kind::BadCalibration ? tr("The timer's calibration")
                                                                       : tr("The language");
  return trf("{}: cannot read line {}.\n{}\n{}\n{} is not valid.\nThe other lines were read.", configFileName,
             problem.line, path, problem.text, what);
}

std::string configSaveMessage(std::string_view path, const FileProblem& problem) {
  return trf("Cannot save {}.\n{}\n{}", configFileName, path, reasonText(problem));
}

std::string settingsWarningMessage(const SettingsWarning& warning) {
  switch (warning.kind) {
    case SettingsWarning::Kind::PidConsumptionLowered:
      return trf("{} value {} is too large;\nsearching up to {}.", tr(labelOf("pidConsumptionMax", {}).label),
                 warning.value, pidConsumptionLimit);
    case SettingsWarning::Kind::UncertainEditionWords:
      return std::string(tr("This version's values (W0 to W4) are unconfirmed,\nso results may differ from the game."));
    case SettingsWarning::Kind::FirstGamesRules:
      return std::string(tr("This search follows Black and White's rules,\nso results may differ from the game."));
    case SettingsWarning::Kind::ConsoleContradictsIs3ds:
      return std::string(tr("The 3DS box differs from the console kind.\nThe afternoon flag follows the 3DS box."));
    case SettingsWarning::Kind::IvMinOutside:
      return outsideMessage(ivBoundLabel(trNoop("Min"), warning.stat), warning.value, 0, highestIv,
                            warning.value > highestIv);
    case SettingsWarning::Kind::IvMaxOutside:
      return outsideMessage(ivBoundLabel(trNoop("Max"), warning.stat), warning.value, 0, highestIv, warning.value < 0);
    case SettingsWarning::Kind::IvMinAboveIvMax:
      return trf("{} value {} is above the max {}.\n{}", ivBoundLabel(trNoop("Min"), warning.stat), warning.value,
                 warning.other, noIvPasses());
    case SettingsWarning::Kind::HiddenPowerOutside:
      return outsideMessage(tr("Hidden Power's power"), warning.value, lowestHiddenPower, highestHiddenPower,
                            warning.value > highestHiddenPower);
    case SettingsWarning::Kind::EndDateBeforeStart:
      return trf("End date {} is before the start date.\nSearching the start date {} only.", dateText(warning.end),
                 dateText(warning.start));
    case SettingsWarning::Kind::StationaryWithoutIdCorrection:
      break;
  }
  return std::string(
      tr("The game applies the ID fix to static encounters.\nWithout it this ID differs from the game."));
}

std::string resultFileNotOpenedMessage(std::string_view path) {
  return trf(
      "The search is complete.\nNo program was found to open the result file.\nThe results are in this file:\n{}",
      path);
}

}  // namespace hanabira
