#include "ui/model/problem_messages.h"

#include <fmt/format.h>

#include <array>
#include <limits>
#include <string_view>
#include <utility>

#include "ui/model/config_file.h"

namespace hanabira {
namespace {

// The fields a search can refuse, named as the window shows them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 24> fieldLabels = {{
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

std::string_view fieldLabel(const std::string& field) {
  for (const auto& [name, label] : fieldLabels) {
    if (name == field) return label;
  }
  return field;  // a field of an option dialog not listed here
}

// A value outside what the field allows: its range, or the days of its month.
std::string allowedRange(const SettingsProblem& p) {
  if (p.kind == SettingsProblem::Kind::DayNotInMonth) {
    return fmt::format("{}年{}月は{}日までです。", 2000 + p.year, p.month, p.high);
  }
  if (p.high == std::numeric_limits<int>::max()) return fmt::format("{}以上を指定してください。", p.low);
  if (p.low == std::numeric_limits<int>::min()) return fmt::format("{}以下を指定してください。", p.high);
  return fmt::format("{}～{}を指定してください。", p.low, p.high);
}

}  // namespace

std::string settingsProblemMessage(const SettingsProblem& problem) {
  switch (problem.kind) {
    case SettingsProblem::Kind::HiddenAbilityFromDitto:
      return "検索を開始できません。\nメタモンとの組み合わせでは夢特性は遺伝しません。\n"
             "メタモン無しを選ぶか、特性に「夢」以外を指定してください。";
    case SettingsProblem::Kind::OutOfRange:
    case SettingsProblem::Kind::DayNotInMonth:
      break;
  }
  return fmt::format("検索を開始できません。\n{}の値 {} は範囲外です。\n{}", fieldLabel(problem.field), problem.value,
                     allowedRange(problem));
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

std::string configSaveMessage(std::string_view path, const FileProblem& problem) {
  return fmt::format("{} を保存できません。\n{}\n{}", configFileName, path, reasonText(problem));
}

std::string settingsWarningMessage(const SettingsWarning& warning) {
  switch (warning.kind) {
    case SettingsWarning::Kind::PidConsumptionLowered:
      return fmt::format("{}の値 {} は大きすぎるため、\n{} までを検索します。", fieldLabel("pidConsumptionMax"),
                         warning.value, pidConsumptionLimit);
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
