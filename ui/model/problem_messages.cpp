#include "ui/model/problem_messages.h"

#include <fmt/format.h>

#include <array>
#include <limits>
#include <span>
#include <string>
#include <string_view>

#include "ui/model/config_file.h"

namespace hanabira {
namespace {

constexpr std::string_view noIvPasses = "この条件に合う個体値はありません。";

struct FieldLabel {
  std::string_view field;
  std::string_view label;
  bool hex = false;  // typed in hexadecimal, and so named in the message
};

// The fields a search can refuse, named as the window shows them.
constexpr std::array<FieldLabel, 28> searchLabels = {{
    {"vcountMin", "VCountの範囲(下限)", true},
    {"vcountMax", "VCountの範囲(上限)", true},
    {"timer0Min", "Timer0の範囲(下限)", true},
    {"timer0Max", "Timer0の範囲(上限)", true},
    {"startYear", "開始日付の年"},
    {"startMonth", "開始日付の月"},
    {"startDay", "開始日付の日"},
    {"endYear", "終了日付の年"},
    {"endMonth", "終了日付の月"},
    {"endDay", "終了日付の日"},
    {"startHour", "開始の時"},
    {"endHour", "終了の時"},
    {"startMinute", "開始の分"},
    {"endMinute", "終了の分"},
    {"startSecond", "開始の秒"},
    {"endSecond", "終了の秒"},
    {"ivConsumptionMin", "個体値乱数列の消費(開始)"},
    {"ivConsumptionMax", "個体値乱数列の消費(終了)"},
    {"pidConsumptionMin", "性格値乱数列の消費(開始)"},
    {"pidConsumptionMax", "性格値乱数列の消費(終了)"},
    {"deliveryNaturePosition", "配達員検索の性格値の位置"},
    {"shinyEncounterKind", "色違い性格値検索の出現方法"},
    {"shinyNature", "色違い性格値検索の性格"},
    {"eggNature", "遺伝込みで検索の性格"},
    {"eggAbility", "遺伝込みで検索の特性"},
    {"eggGenderRatio", "遺伝込みで検索の性別"},
    {"deliveryNature", "配達員検索の性格"},
    {"domeTrainers", "ライモンドームのトレーナー"},
}};

// The console dialog's calibration names the boot moment and the observed position by
// its own fields; the rest (the window's console and key fields) as a search does.
constexpr std::array<FieldLabel, 9> calibrationLabels = {{
    {"startYear", "起動日時の年"},
    {"startMonth", "起動日時の月"},
    {"startDay", "起動日時の日"},
    {"startHour", "起動日時の時"},
    {"startMinute", "起動日時の分"},
    {"startSecond", "起動日時の秒"},
    {"ivConsumptionMin", "消費"},
    {"ivConsumptionMax", "消費"},
    {"secondsAround", "起動日時の±秒"},
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
    return fmt::format("{}年{}月は{}日までです。", 2000 + p.year, p.month, p.high);
  }
  if (p.high == std::numeric_limits<int>::max()) return fmt::format("{}以上を指定してください。", number(p.low, hex));
  if (p.low == std::numeric_limits<int>::min()) return fmt::format("{}以下を指定してください。", number(p.high, hex));
  return fmt::format("{}～{}を指定してください。", number(p.low, hex), number(p.high, hex));
}

std::string problemMessage(std::string_view refused, const SettingsProblem& problem,
                           std::span<const FieldLabel> labels) {
  std::string reason;
  switch (problem.kind) {
    case SettingsProblem::Kind::HiddenAbilityFromDitto:
      return fmt::format(
          "{}\nメタモンとの組み合わせでは夢特性は遺伝しません。\n"
          "メタモン無しを選ぶか、特性に「夢」以外を指定してください。",
          refused);
    case SettingsProblem::Kind::TooManyPairs:
      reason = fmt::format("\nVCount×Timer0は{}通りまでです。", problem.pairLimit);
      break;
    case SettingsProblem::Kind::OutOfRange:
    case SettingsProblem::Kind::DayNotInMonth:
    case SettingsProblem::Kind::BelowRangeStart:
      break;
  }
  const FieldLabel label = labelOf(problem.field, labels);
  return fmt::format("{}\n{}の値 {} は範囲外です。\n{}{}", refused, label.label, number(problem.value, label.hex),
                     allowedRange(problem, label.hex), reason);
}

constexpr std::array<std::string_view, 6> statLetters = {"H", "A", "B", "C", "D", "S"};

// A bound outside the values there are: past them none passes, short of them it is the
// nearest value in effect.
std::string outsideMessage(std::string_view label, long long value, int low, int high, bool passesNone) {
  return fmt::format(
      "{}の値 {} は{}～{}の範囲外です。\n{}", label, value, low, high,
      passesNone ? std::string(noIvPasses) : fmt::format("{}として検索します。", value < low ? low : high));
}

std::string ivBoundLabel(std::string_view bound, int stat) {
  return fmt::format("個体値の{}({})", bound, statLetters[static_cast<std::size_t>(stat)]);
}

std::string dateText(const Date& date) { return fmt::format("{}年{}月{}日", 2000 + date.year, date.month, date.day); }

}  // namespace

std::string settingsProblemMessage(const SettingsProblem& problem) {
  return problemMessage("検索を開始できません。", problem, {});
}

std::string calibrationProblemMessage(const SettingsProblem& problem) {
  return problemMessage("計算を開始できません。", problem, calibrationLabels);
}

std::string resultFileCreateMessage(std::string_view path, const FileProblem& problem) {
  return fmt::format("検索を開始できません。\n結果ファイルを作成できません。\n{}\n{}", path, reasonText(problem));
}

std::string resultFileWriteMessage(std::string_view path, const FileProblem& problem) {
  return fmt::format("結果ファイルに書き込めないため、検索を中止しました。\n{}\n{}", path, reasonText(problem));
}

std::string searchFailureMessage(std::string_view detail) {
  return fmt::format("エラーのため、検索を中止しました。\n詳細: {}", detail);
}

std::string configLoadMessage(std::string_view path, const FileProblem& problem) {
  return fmt::format("{} を読み込めません。\n{}\n{}", configFileName, path, reasonText(problem));
}

std::string configContentMessage(std::string_view path, const ConsoleConfigProblem& problem) {
  switch (problem.kind) {
    case ConsoleConfigProblem::Kind::NotText:
      return fmt::format("{} を読み込めません。\n{}\n{}行目にテキストでない文字があります。", configFileName, path,
                         problem.line);
    case ConsoleConfigProblem::Kind::Utf16:
      return fmt::format("{} を読み込めません。\n{}\nUTF-16のファイルです。UTF-8で保存してください。", configFileName,
                         path);
    case ConsoleConfigProblem::Kind::BadEdition:
    case ConsoleConfigProblem::Kind::BadRange:
      break;
  }
  const std::string_view what =
      problem.kind == ConsoleConfigProblem::Kind::BadEdition ? "版と本体の指定" : "範囲の指定";
  return fmt::format("{} の{}行目を読み込めません。\n{}\n{}\n{}が正しくありません。\nこの行を除いて読み込みました。",
                     configFileName, problem.line, path, problem.text, what);
}

std::string configSaveMessage(std::string_view path, const FileProblem& problem) {
  return fmt::format("{} を保存できません。\n{}\n{}", configFileName, path, reasonText(problem));
}

std::string settingsWarningMessage(const SettingsWarning& warning) {
  switch (warning.kind) {
    case SettingsWarning::Kind::PidConsumptionLowered:
      return fmt::format("{}の値 {} は大きすぎるため、\n{} までを検索します。", labelOf("pidConsumptionMax", {}).label,
                         warning.value, pidConsumptionLimit);
    case SettingsWarning::Kind::UncertainEditionWords:
      return "このバージョンの値(W0～W4)は確かめられていないため、\n結果が実機と異なる場合があります。";
    case SettingsWarning::Kind::FirstGamesRules:
      return "この検索はブラック・ホワイトの仕様に従うため、\n結果が実機と異なる場合があります。";
    case SettingsWarning::Kind::ConsoleContradictsIs3ds:
      return "3DSの設定が本体の種類と異なります。\n午後の判定は3DSの設定に従います。";
    case SettingsWarning::Kind::IvMinOutside:
      return outsideMessage(ivBoundLabel("下限", warning.stat), warning.value, 0, highestIv, warning.value > highestIv);
    case SettingsWarning::Kind::IvMaxOutside:
      return outsideMessage(ivBoundLabel("上限", warning.stat), warning.value, 0, highestIv, warning.value < 0);
    case SettingsWarning::Kind::IvMinAboveIvMax:
      return fmt::format("{}の値 {} が上限 {} を超えています。\n{}", ivBoundLabel("下限", warning.stat), warning.value,
                         warning.other, noIvPasses);
    case SettingsWarning::Kind::HiddenPowerOutside:
      return outsideMessage("めざパの威力", warning.value, lowestHiddenPower, highestHiddenPower,
                            warning.value > highestHiddenPower);
    case SettingsWarning::Kind::EndDateBeforeStart:
      return fmt::format("終了日付 {} は開始日付より前です。\n開始日付 {} だけを検索します。", dateText(warning.end),
                         dateText(warning.start));
    case SettingsWarning::Kind::StationaryWithoutIdCorrection:
      break;
  }
  return "固定ではID補正がかかります。\nこのIDは補正無しだと実機とずれます。";
}

std::string resultFileNotOpenedMessage(std::string_view path) {
  return fmt::format(
      "検索が終わりました。\n結果ファイルを開くプログラムが見つかりません。\n結果は次のファイルにあります。\n{}", path);
}

}  // namespace hanabira
