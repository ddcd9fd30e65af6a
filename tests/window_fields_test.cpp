// How the start and save commands read the window's fields, and the messages the window
// shows when a search cannot start.
#include <QTest>

#include <limits>
#include <string>

#include "engine/settings_validation.h"
#include "ui/main/control_ids.h"
#include "ui/main/main_window_layout.h"
#include "ui/main/problem_messages.h"
#include "ui/main/window_fields.h"

namespace hanabira {
namespace {

SearchSettings readStart(const WindowFields& fields, SearchSettings settings = {}) {
  readStartFields(fields, settings);
  return settings;
}

}  // namespace

class WindowFieldsTest : public QObject {
  Q_OBJECT

 private slots:
  void fieldsCountOnlyTheirLeadingCharacters() {
    WindowFields fields;
    fields.texts = {{startYearEdit, "1234"},  {vcountEdit, "0x5F"},       {timer0Edit, "0C79F"},
                    {gxStatEdit, "6000000z"}, {startMonthEdit, "12ab"},   {startDayEdit, "xyz"},
                    {ivMinEdits + 2, "-1"},   {ivConsumptionMaxEdit, "12345"}, {pidConsumptionMaxEdit, "123456"},
                    {startHourEdit, " 7"}};
    const SearchSettings s = readStart(fields);
    QCOMPARE(s.startYear, 12);
    QCOMPARE(s.vcount, 0x5u);  // the prefix takes two of the three characters
    QCOMPARE(s.timer0, 0xC79Fu);
    QCOMPARE(s.gxStat, 0x6000000u);
    QCOMPARE(s.startMonth, 12);
    QCOMPARE(s.startDay, 0);
    QCOMPARE(s.ivMin[2], -1);  // passed on as typed
    QCOMPARE(s.ivConsumptionMax, 1234);
    QCOMPARE(s.pidConsumptionMax, 12345);
    QCOMPARE(s.startHour, 7);

    fields.texts[vcountEdit] = "5F";
    QCOMPARE(readStart(fields).vcount, 0x5Fu);
  }

  // Whatever is typed, a field reads only as many characters as it counts: a very long
  // number gives that many digits, and text without ASCII digits (full-width digits,
  // Japanese) reads as 0, as an empty field does.
  void everyFieldReadsOnlyTheCharactersItCounts() {
    WindowFields nines;
    WindowFields fullWidth;
    for (const ControlPlace& place : mainWindowControls) {
      if (place.kind != ControlKind::Edit) continue;
      nines.texts[place.id] = std::string(100000, '9');
      fullWidth.texts[place.id] = "１２３４あ";
    }
    const SearchSettings s = readStart(nines);
    QCOMPARE(s.vcount, 0x999u);
    QCOMPARE(s.timer0, 0x99999u);
    QCOMPARE(s.gxStat, 0x99999999u);
    QCOMPARE(s.frame, 99999999);
    QCOMPARE(s.messageWord6, 0x9999u);
    for (int value : {s.startYear, s.startMonth, s.startDay, s.endYear, s.endMonth, s.endDay, s.startHour, s.endHour,
                      s.startMinute, s.endMinute, s.startSecond, s.endSecond, s.hiddenPowerMinPower}) {
      QCOMPARE(value, 99);
    }
    QCOMPARE(s.ivMax, (StatArray{99, 99, 99, 99, 99, 99}));
    QCOMPARE(s.ivMin, (StatArray{99, 99, 99, 99, 99, 99}));
    QCOMPARE(s.ivConsumptionMin, 9999);
    QCOMPARE(s.pidConsumptionMax, 99999);

    const SearchSettings none = readStart(fullWidth);
    const SearchSettings empty = readStart({});
    QCOMPARE(none.vcount, empty.vcount);
    QCOMPARE(none.gxStat, empty.gxStat);
    QCOMPARE(none.messageWord7, empty.messageWord7);
    QCOMPARE(none.startYear, 0);
    QCOMPARE(none.ivMax, empty.ivMax);
    QCOMPARE(none.pidConsumptionMax, 0);
  }

  void emptyFieldsReadAsZero() {
    const SearchSettings s = readStart({});
    QCOMPARE(s.vcount, 0u);
    QCOMPARE(s.frame, 0);
    QCOMPARE(s.endHour, 0);
    QCOMPARE(s.ivMax[5], 0);
    QCOMPARE(s.hiddenPowerMinPower, 0);
    QCOMPARE(s.messageWord6, 0u);
    QCOMPARE(s.messageWord7, 0u);
  }

  void addressWordsTakeGxStatAndFrame() {
    WindowFields fields;
    fields.texts = {{macEdits + 0, "00"}, {macEdits + 1, "11"}, {macEdits + 2, "22"}, {macEdits + 3, "33"},
                    {macEdits + 4, "44"}, {macEdits + 5, "55"}, {gxStatEdit, "6000000"}, {frameEdit, "8"}};
    SearchSettings s = readStart(fields);
    QCOMPARE(s.messageWord6, 0x4455u);
    QCOMPARE(s.messageWord7, 0x00112233u ^ 0x08000006u);

    // Frame -1 enters as 0xFFFFFFFF before the bytes are swapped.
    fields.texts = {{frameEdit, "-1"}, {gxStatEdit, "6000000"}};
    s = readStart(fields);
    QCOMPARE(s.frame, -1);
    QCOMPARE(s.messageWord7, 0xFFFFFFF9u);

    // A signed address byte keeps its low byte only; the neighbouring bytes stay apart.
    fields.texts = {{macEdits + 0, "-1"}};
    QCOMPARE(readStart(fields).messageWord7, 0xFF000000u);
  }

  void checkBoxesComboAndVersion() {
    WindowFields fields;
    fields.checked = {shinyPidCheck, domeCheck, roamingCheck, is3dsCheck, keyInputCheck, whiteRadio};
    fields.hiddenPowerItem = 16;
    SearchSettings options;
    options.trainerId = 12345;  // set by an option dialog
    const SearchSettings s = readStart(fields, options);
    QVERIFY(s.shinyPidSearch && s.domeSearch && s.roaming && s.is3ds && s.keyInputEnabled);
    QVERIFY(!s.inheritanceSearch && !s.deliverymanSearch && !s.cometShardSearch);
    QCOMPARE(s.hiddenPowerType, 15);
    QCOMPARE(s.versionWord, whiteVersionWord);
    QCOMPARE(s.trainerId, std::uint16_t{12345});

    fields = {};
    QCOMPARE(readStart(fields).hiddenPowerType, -1);
    fields.checked = {blackRadio};
    SearchSettings loaded;
    loaded.versionWord = 0x02215F20;
    QCOMPARE(readStart(fields, loaded).versionWord, blackVersionWord);
    // Neither version checked: the word from "config.txt" stays in force.
    fields.checked = {};
    QCOMPARE(readStart(fields, loaded).versionWord, 0x02215F20u);
  }

  void saveReadsTheConsoleFieldsLikeTheStart() {
    WindowFields fields;
    fields.texts = {{vcountEdit, "1FFF"}, {timer0Edit, "0c79"},  {gxStatEdit, "6000000"},
                    {frameEdit, "-3"},    {macEdits + 0, "ab"}, {macEdits + 5, "5"}};
    fields.checked = {blackRadio};
    ConsoleParameters saved = readSavedConsole(fields);
    QCOMPARE(saved.vcount, 0x1FFu);
    QCOMPARE(saved.timer0, 0xC79u);
    QCOMPARE(saved.frame, -3);
    QCOMPARE(saved.mac, (MacAddress{0xAB, 0, 0, 0, 0, 0x05}));
    QCOMPARE(saved.versionWord, blackVersionWord);
    // Without "ブラック" checked the save writes White, even when neither is checked.
    fields.checked = {};
    saved = readSavedConsole(fields);
    QCOMPARE(saved.versionWord, whiteVersionWord);

    SearchSettings settings;
    settings.startYear = 11;
    applyConsoleParameters(saved, settings);
    QCOMPARE(settings.vcount, 0x1FFu);
    QCOMPARE(settings.versionWord, whiteVersionWord);
    QCOMPARE(settings.startYear, 11);
  }

  void problemsAreNamedInJapanese() {
    SearchSettings s;
    s.startYear = s.endYear = 11;
    s.startMonth = 4;
    s.startDay = 31;
    s.endMonth = 5;
    s.endDay = 1;
    QCOMPARE(settingsProblemMessage(*findSettingsProblem(s)),
             QStringLiteral("検索を開始できません。\n開始日付の日の値 31 は範囲外です。2011年4月は30日までです。"));

    s.startDay = 1;
    s.endHour = 24;
    QCOMPARE(settingsProblemMessage(*findSettingsProblem(s)),
             QStringLiteral("検索を開始できません。\n終了の時の値 24 は範囲外です。0～23を指定してください。"));

    s.endHour = 23;
    s.ivConsumptionMax = 10000;
    QVERIFY(settingsProblemMessage(*findSettingsProblem(s)).endsWith(QStringLiteral("9999以下を指定してください。")));

    s.ivConsumptionMax = 7;
    s.inheritanceSearch = true;
    s.eggAbility = 3;
    QCOMPARE(settingsProblemMessage(*findSettingsProblem(s)),
             QStringLiteral("検索を開始できません。\nメタモンとの組み合わせでは夢特性は遺伝しません。"
                            "メタモン無しを選ぶか、特性に「夢」以外を指定してください。"));

    const SettingsProblem unknown{"someOption", -2, SettingsProblem::Kind::OutOfRange, 0, std::numeric_limits<int>::max()};
    QCOMPARE(settingsProblemMessage(unknown),
             QStringLiteral("検索を開始できません。\nsomeOptionの値 -2 は範囲外です。0以上を指定してください。"));
  }
};

}  // namespace hanabira

QTEST_APPLESS_MAIN(hanabira::WindowFieldsTest)
#include "window_fields_test.moc"
