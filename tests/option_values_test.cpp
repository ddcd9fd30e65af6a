// Each option dialog: what it shows at the first opening and how OK reads its controls
// into the settings (the IDs' 16 bits, the offsets of the choice boxes, the key mapping,
// the deliveryman's IDs).
#include <QLabel>
#include <QTest>

#include "dialog_test_support.h"
#include "gui_test_support.h"

namespace hanabira {

using namespace hanabira::testing;

namespace {

void click(const OptionDialog& dialog, int id) { QTest::mouseClick(button(dialog, id), Qt::LeftButton); }

QString selected(const OptionDialog& dialog, int id) { return choiceBox(dialog, id)->currentText(); }

}  // namespace

class OptionValuesTest : public QObject {
  Q_OBJECT

  ScratchDirectory dir_;
  std::unique_ptr<MainWindow> window_;
  const SearchSettings& settings() const { return window_->settings(); }
  OptionDialog* open(int command) const { return openDialog(*window_, command); }

 private slots:
  void init() {
    window_ = std::make_unique<MainWindow>(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(*window_);
  }
  void cleanup() { window_.reset(); }

  void shinyDialog() {
    OptionDialog* dialog = open(shinyOptionsButton);
    QCOMPARE(field(*dialog, 1005)->text(), QStringLiteral("0"));
    QCOMPARE(field(*dialog, 1006)->text(), QStringLiteral("0"));
    QCOMPARE(selected(*dialog, 1007), QStringLiteral("指定無し"));
    QCOMPARE(choiceBox(*dialog, 1007)->count(), 26);
    QVERIFY(button(*dialog, 1002)->isChecked());
    QVERIFY(!button(*dialog, 1001)->isChecked());

    type(*dialog, 1005, "123456");  // the field shows six digits; five count
    type(*dialog, 1006, "70000");
    choose(*dialog, 1007, "ようき　　");
    click(*dialog, 1004);
    click(*dialog, 1001);
    pressOk(*dialog);
    QCOMPARE(settings().trainerId, 12345);
    QCOMPARE(settings().secretId, 4464);
    QCOMPARE(settings().shinyNature, 14);
    QCOMPARE(settings().shinyEncounterKind, 3);
    QVERIFY(settings().idCorrection);

    // With 孵化 the search ignores the nature, but it is kept and shown again.
    dialog = open(shinyOptionsButton);
    QVERIFY(button(*dialog, 1004)->isChecked());
    click(*dialog, 1002);
    pressOk(*dialog);
    QCOMPARE(settings().shinyEncounterKind, 1);
    dialog = open(shinyOptionsButton);
    QCOMPARE(selected(*dialog, 1007), QStringLiteral("ようき　　"));
    click(*dialog, 1003);
    pressOk(*dialog);
    QCOMPARE(settings().shinyEncounterKind, 2);
  }

  void shinyDialogNotesTheGamesIdCorrectionOfStationaryEncounters() {
    OptionDialog* dialog = open(shinyOptionsButton);
    const QLabel* note = dialog->note();
    QVERIFY(note != nullptr);
    QCOMPARE(note->text(), QString());
    type(*dialog, 1005, "12345");
    type(*dialog, 1006, "30650");       // XOR 18307, odd
    QCOMPARE(note->text(), QString());  // 孵化
    click(*dialog, 1004);
    QVERIFY(note->text().startsWith(QStringLiteral("※固定ではID補正がかかります。")));
    QVERIFY(note->heightForWidth(note->width()) <= note->height());  // shown whole
    click(*dialog, 1001);                                            // ID補正
    QCOMPARE(note->text(), QString());
    click(*dialog, 1001);
    QVERIFY(!note->text().isEmpty());
    type(*dialog, 1006, "30651");  // even
    QCOMPARE(note->text(), QString());
    pressOk(*dialog);

    // Shown at the opening too, and in no other dialog.
    window_->settings().secretId = 30650;
    dialog = open(shinyOptionsButton);
    QVERIFY(!dialog->note()->text().isEmpty());
    pressCancel(*dialog);
    QCOMPARE(open(inheritanceOptionsButton)->note(), nullptr);
  }

  void inheritanceDialog() {
    OptionDialog* dialog = open(inheritanceOptionsButton);
    for (std::size_t k = 0; k < 6; ++k) {
      QCOMPARE(field(*dialog, firstParentIvFields[k])->text(), QStringLiteral("31"));
      QCOMPARE(field(*dialog, secondParentIvFields[k])->text(), QStringLiteral("31"));
    }
    QVERIFY(button(*dialog, 1002)->isChecked());
    QCOMPARE(selected(*dialog, 1026), QStringLiteral("変わらず"));  // eggNature 0 is the everstone
    QCOMPARE(selected(*dialog, 1024), QStringLiteral("指定無し"));
    QCOMPARE(selected(*dialog, 1025), QStringLiteral("指定無し"));

    // Each field in its place: H A B C D S of the first parent, then of the second.
    const QStringList texts = {"0", "1", "2", "3", "4", "5", "40", "", "12ab", " -3", "123456789012", "7"};
    for (std::size_t k = 0; k < 6; ++k) {
      type(*dialog, firstParentIvFields[k], texts[static_cast<qsizetype>(k)]);
      type(*dialog, secondParentIvFields[k], texts[static_cast<qsizetype>(k + 6)]);
    }
    click(*dialog, 1003);
    choose(*dialog, 1026, "指定無し");
    choose(*dialog, 1024, "夢");
    choose(*dialog, 1025, "♀(1/8)");
    pressOk(*dialog);
    QCOMPARE(settings().firstParentIvs, (StatArray{0, 1, 2, 3, 4, 5}));
    QCOMPARE(settings().secondParentIvs, (StatArray{40, 0, 12, -3, 2147483647, 7}));  // past 32 bits: the largest
    QVERIFY(settings().withoutDitto);
    QCOMPARE(settings().eggNature, -1);
    QCOMPARE(settings().eggAbility, 3);
    QCOMPARE(settings().eggGenderRatio, 8);

    dialog = open(inheritanceOptionsButton);
    QCOMPARE(selected(*dialog, 1026), QStringLiteral("指定無し"));
    choose(*dialog, 1026, "がんばりや");
    field(*dialog, 1005)->setText(QString(254, '0') + "19");  // 255 characters count
    pressOk(*dialog);
    QCOMPARE(settings().eggNature, 1);
    QCOMPARE(settings().firstParentIvs[0], 1);
    dialog = open(inheritanceOptionsButton);
    choose(*dialog, 1026, "きまぐれ　");
    pressOk(*dialog);
    QCOMPARE(settings().eggNature, 25);
  }

  void keyInputDialog_data() {
    QTest::addColumn<int>("check");
    QTest::addColumn<int>("bit");  // the key's bit in the key register
    const std::pair<const char*, std::pair<int, int>> keys[] = {
        {"A", {1001, 0}}, {"B", {1002, 1}},  {"St", {1003, 3}}, {"Se", {1004, 2}}, {"L", {1005, 9}},
        {"R", {1006, 8}}, {"上", {1007, 6}}, {"下", {1008, 7}}, {"右", {1009, 4}}, {"左", {1010, 5}}};
    for (const auto& [name, key] : keys) QTest::newRow(name) << key.first << key.second;
  }
  void keyInputDialog() {
    QFETCH(int, check);
    QFETCH(int, bit);
    OptionDialog* dialog = open(keyInputOptionsButton);
    for (int id = 1001; id <= 1011; ++id) QVERIFY(button(*dialog, id)->isChecked());
    QCOMPARE(button(*dialog, check)->text(), QString::fromUtf8(QTest::currentDataTag()));
    click(*dialog, check);
    pressOk(*dialog);
    for (int k = 0; k < 10; ++k) QCOMPARE(settings().keyAllowed[static_cast<std::size_t>(k)], k != bit);
    QVERIFY(settings().excludeOppositeAndReset);
    dialog = open(keyInputOptionsButton);
    for (int id = 1001; id <= 1010; ++id) QCOMPARE(button(*dialog, id)->isChecked(), id != check);
  }

  void keyInputDialogTakesNoKeysWithoutAWord() {
    OptionDialog* dialog = open(keyInputOptionsButton);
    for (int id = 1001; id <= 1011; ++id) click(*dialog, id);
    pressOk(*dialog);
    for (int k = 0; k < 10; ++k) QVERIFY(!settings().keyAllowed[static_cast<std::size_t>(k)]);
    QVERIFY(!settings().excludeOppositeAndReset);
    QVERIFY(!settings().keyXYEnabled);
  }

  // X and Y start unchecked, taking no part; checking one of them brings both in, the
  // other as checked. The hand's limit is "指定無し" or 0 to 12.
  void keyInputDialogXAndYAndTheLimit() {
    OptionDialog* dialog = open(keyInputOptionsButton);
    QVERIFY(!button(*dialog, 1012)->isChecked());
    QVERIFY(!button(*dialog, 1013)->isChecked());
    QCOMPARE(button(*dialog, 1013)->text(), QStringLiteral("Y"));
    QCOMPARE(selected(*dialog, 1014), QStringLiteral("指定無し"));
    click(*dialog, 1012);
    choose(*dialog, 1014, "3");
    pressOk(*dialog);
    QVERIFY(settings().keyXYEnabled);
    QVERIFY(settings().keyAllowed[10]);
    QVERIFY(!settings().keyAllowed[11]);
    QCOMPARE(settings().keyCountMax, std::optional<int>(3));

    dialog = open(keyInputOptionsButton);
    QVERIFY(button(*dialog, 1012)->isChecked());
    QVERIFY(!button(*dialog, 1013)->isChecked());
    QCOMPARE(selected(*dialog, 1014), QStringLiteral("3"));
    click(*dialog, 1012);
    choose(*dialog, 1014, "指定無し");
    pressOk(*dialog);
    QVERIFY(!settings().keyXYEnabled);
    QCOMPARE(settings().keyCountMax, std::optional<int>());
  }

  void deliverymanDialog() {
    OptionDialog* dialog = open(deliverymanOptionsButton);
    QCOMPARE(field(*dialog, 1005)->text(), QStringLiteral("10"));
    QCOMPARE(selected(*dialog, 1007), QStringLiteral("指定無し"));
    QVERIFY(!button(*dialog, 1001)->isChecked());
    QCOMPARE(field(*dialog, 1006)->text(), QStringLiteral("3012"));
    QCOMPARE(field(*dialog, 1023)->text(), QStringLiteral("0"));

    // IDs typed without the shiny box are dropped.
    type(*dialog, 1005, "0");
    type(*dialog, 1006, "111");
    type(*dialog, 1023, "222");
    choose(*dialog, 1007, "がんばりや");
    pressOk(*dialog);
    QCOMPARE(settings().deliveryNaturePosition, 0);
    QCOMPARE(settings().deliveryNature, 1);
    QVERIFY(!settings().deliveryShiny);
    QCOMPARE(settings().deliveryTrainerId, 3012);
    QCOMPARE(settings().deliverySecretId, 0);

    dialog = open(deliverymanOptionsButton);
    QCOMPARE(field(*dialog, 1006)->text(), QStringLiteral("3012"));
    click(*dialog, 1001);
    type(*dialog, 1006, "54321");
    type(*dialog, 1023, "1");
    // The position takes digits only, and nine of them count.
    type(*dialog, 1005, "-1a2");
    QCOMPARE(field(*dialog, 1005)->text(), QStringLiteral("12"));
    field(*dialog, 1005)->setText("9876543210");
    pressOk(*dialog);
    QVERIFY(settings().deliveryShiny);
    QCOMPARE(settings().deliveryTrainerId, 54321);
    QCOMPARE(settings().deliverySecretId, 1);
    QCOMPARE(settings().deliveryNaturePosition, 987654321);
  }

  void cometShardDialog() {
    OptionDialog* dialog = open(cometShardOptionsButton);
    QVERIFY(button(*dialog, 1001)->isChecked());
    click(*dialog, 1001);
    pressOk(*dialog);
    QVERIFY(!settings().compoundEyes);
  }

  void domeDialog() {
    OptionDialog* dialog = open(domeOptionsButton);
    for (int box : domeTrainerBoxes) {
      QCOMPARE(selected(*dialog, box), QStringLiteral("指定無し"));
      QCOMPARE(choiceBox(*dialog, box)->count(), 53);
    }
    QCOMPARE(field(*dialog, 1005)->text(), QStringLiteral("0"));

    // The boxes from top to bottom are the first to the sixth wanted trainer.
    const QStringList trainers = {"OLのアツコ", "えんじのマユコ", "ナースのユキエ",
                                  "指定無し",   "OLのアツコ",     "えんじのモトヤス"};
    for (std::size_t k = 0; k < 6; ++k) choose(*dialog, domeTrainerBoxes[k], trainers[static_cast<qsizetype>(k)]);
    type(*dialog, 1005, "123");
    pressOk(*dialog);
    QCOMPARE(settings().domeTrainers, (StatArray{1, 52, 30, 0, 1, 51}));
    QCOMPARE(settings().domeConsumptionSlack, 12);

    dialog = open(domeOptionsButton);
    QCOMPARE(selected(*dialog, 1021), QStringLiteral("えんじのマユコ"));
    type(*dialog, 1005, "-1");
    pressOk(*dialog);
    QCOMPARE(settings().domeConsumptionSlack, -1);
  }
};

}  // namespace hanabira

QTEST_MAIN(hanabira::OptionValuesTest)
#include "option_values_test.moc"
