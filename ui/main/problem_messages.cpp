#include "ui/main/problem_messages.h"

#include <array>
#include <limits>
#include <string_view>
#include <utility>

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

QString fieldLabel(const std::string& field) {
  for (const auto& [name, label] : fieldLabels) {
    if (name == field) return QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
  }
  return QString::fromStdString(field);  // a field of an option dialog not listed here
}

// A value outside what the field allows: its range, or the days of its month.
QString allowedRange(const SettingsProblem& p) {
  if (p.kind == SettingsProblem::Kind::DayNotInMonth) {
    return QStringLiteral("%1年%2月は%3日までです。").arg(2000 + p.year).arg(p.month).arg(p.high);
  }
  if (p.high == std::numeric_limits<int>::max()) return QStringLiteral("%1以上を指定してください。").arg(p.low);
  if (p.low == std::numeric_limits<int>::min()) return QStringLiteral("%1以下を指定してください。").arg(p.high);
  return QStringLiteral("%1～%2を指定してください。").arg(p.low).arg(p.high);
}

}  // namespace

QString settingsProblemMessage(const SettingsProblem& problem) {
  switch (problem.kind) {
    case SettingsProblem::Kind::HiddenAbilityFromDitto:
      return QStringLiteral(
          "検索を開始できません。\nメタモンとの組み合わせでは夢特性は遺伝しません。"
          "メタモン無しを選ぶか、特性に「夢」以外を指定してください。");
    case SettingsProblem::Kind::OutOfRange:
    case SettingsProblem::Kind::DayNotInMonth:
      break;
  }
  return QStringLiteral("検索を開始できません。\n%1の値 %2 は範囲外です。%3")
      .arg(fieldLabel(problem.field))
      .arg(problem.value)
      .arg(allowedRange(problem));
}

QString resultFileCreateMessage(const QString& path, const QString& detail) {
  return QStringLiteral("検索を開始できません。\n結果ファイル %1 を作成できません。\n(%2)").arg(path, detail);
}

QString resultFileWriteMessage(const QString& path, const QString& detail) {
  return QStringLiteral("結果ファイル %1 に書き込めなかったため、検索を中止しました。\n(%2)").arg(path, detail);
}

QString searchFailureMessage(const QString& detail) {
  return QStringLiteral("エラーのため、検索を中止しました。\n(%1)").arg(detail);
}

QString configLoadMessage(const QString& path, const QString& detail) {
  return QStringLiteral("%1 を読み込めません。\n(%2)").arg(path, detail);
}

QString configSaveMessage(const QString& path, const QString& detail) {
  return QStringLiteral("%1 を保存できません。\n(%2)").arg(path, detail);
}

}  // namespace hanabira
