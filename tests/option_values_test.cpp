// Each option dialog: what it shows at the first opening, how OK reads its controls into
// the settings (the number rule, the offsets of the choice boxes, the key mapping), and
// what a dialog left with キャンセル keeps.
#include <QTest>

#include "dialog_test_support.h"
#include "gui_test_support.h"
#include "ui/dialogs/option_values.h"

namespace hanabira {

using namespace hanabira::testing;

class OptionValuesTest : public QObject {
  Q_OBJECT

 private slots:
  void numberRule_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("id");  // a 16-bit ID, stored as unsigned
    QTest::newRow("12ab") << "12ab" << 12;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("space then 7") << " 7" << 7;
    QTest::newRow("65535") << "65535" << 65535;
    QTest::newRow("65536") << "65536" << 0;
    QTest::newRow("70000") << "70000" << 4464;
    QTest::newRow("99999") << "99999" << 34463;
    QTest::newRow("six digits, five count") << "123456" << 12345;
    QTest::newRow("-1") << "-1" << 65535;
    QTest::newRow("+42") << "+42" << 42;
    QTest::newRow("full-width digits") << "１２" << 0;
  }
  void numberRule() {
    QFETCH(QString, text);
    QFETCH(int, id);
    QCOMPARE(int{readIdField(text.toStdString())}, id);
  }

  void shinyDialog() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    OptionDialog* dialog = openDialog(window, shinyOptionsButton);
    QCOMPARE(field(*dialog, 1005)->text(), QStringLiteral("0"));
    QCOMPARE(field(*dialog, 1006)->text(), QStringLiteral("0"));
    QCOMPARE(choiceBox(*dialog, 1007)->currentText(), QStringLiteral("指定無し"));
    QCOMPARE(choiceBox(*dialog, 1007)->count(), 26);
    QCOMPARE(choiceBox(*dialog, 1007)->itemText(7), QStringLiteral("すなお　　"));  // filled with full-width spaces
    QVERIFY(button(*dialog, 1002)->isChecked());
    QVERIFY(!button(*dialog, 1003)->isChecked() && !button(*dialog, 1004)->isChecked());
    QVERIFY(!button(*dialog, 1001)->isChecked());
    QCOMPARE(field(*dialog, 1005)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    type(*dialog, 1005, "123456");  // the field shows six digits; five count
    type(*dialog, 1006, "70000");
    choose(*dialog, 1007, "ようき　　");
    QTest::mouseClick(button(*dialog, 1004), Qt::LeftButton);
    QTest::mouseClick(button(*dialog, 1001), Qt::LeftButton);
    pressOk(*dialog);
    const SearchSettings& s = window.settings();
    QCOMPARE(s.trainerId, 12345);
    QCOMPARE(s.secretId, 4464);
    QCOMPARE(s.shinyNature, 14);
    QCOMPARE(s.shinyEncounterKind, 3);
    QVERIFY(s.idCorrection);

    // With 孵化 the search ignores the nature, but it is stored and shown again.
    dialog = openDialog(window, shinyOptionsButton);
    QTest::mouseClick(button(*dialog, 1002), Qt::LeftButton);
    QVERIFY(!button(*dialog, 1004)->isChecked());
    pressOk(*dialog);
    QCOMPARE(s.shinyEncounterKind, 1);
    dialog = openDialog(window, shinyOptionsButton);
    QCOMPARE(choiceBox(*dialog, 1007)->currentText(), QStringLiteral("ようき　　"));
    QCOMPARE(field(*dialog, 1005)->text(), QStringLiteral("12345"));
    QTest::mouseClick(button(*dialog, 1003), Qt::LeftButton);
    choose(*dialog, 1007, "指定無し");
    pressOk(*dialog);
    QCOMPARE(s.shinyEncounterKind, 2);
    QCOMPARE(s.shinyNature, 0);

    dialog = openDialog(window, shinyOptionsButton);
    QTest::mouseClick(button(*dialog, 1004), Qt::LeftButton);
    pressCancel(*dialog);
    QCOMPARE(s.shinyEncounterKind, 2);
  }

  void inheritanceDialog() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    OptionDialog* dialog = openDialog(window, inheritanceOptionsButton);
    for (std::size_t k = 0; k < 6; ++k) {
      QCOMPARE(field(*dialog, firstParentIvFields[k])->text(), QStringLiteral("31"));
      QCOMPARE(field(*dialog, secondParentIvFields[k])->text(), QStringLiteral("31"));
    }
    QVERIFY(button(*dialog, 1002)->isChecked());
    QVERIFY(!button(*dialog, 1003)->isChecked());
    QCOMPARE(choiceBox(*dialog, 1026)->currentText(), QStringLiteral("変わらず"));  // eggNature 0 is the everstone
    QCOMPARE(choiceBox(*dialog, 1024)->currentText(), QStringLiteral("指定無し"));
    QCOMPARE(choiceBox(*dialog, 1025)->currentText(), QStringLiteral("指定無し"));
    QCOMPARE(choiceBox(*dialog, 1026)->count(), 27);
    QCOMPARE(choiceBox(*dialog, 1024)->count(), 4);
    QCOMPARE(choiceBox(*dialog, 1025)->count(), 9);

    // Each field in its place: H A B C D S of the first parent, then of the second.
    const QStringList texts = {"0", "1", "2", "3", "4", "5", "40", "", "12ab", " -3", "123456789012", "7"};
    for (std::size_t k = 0; k < 6; ++k) {
      type(*dialog, firstParentIvFields[k], texts[static_cast<qsizetype>(k)]);
      type(*dialog, secondParentIvFields[k], texts[static_cast<qsizetype>(k + 6)]);
    }
    QTest::mouseClick(button(*dialog, 1003), Qt::LeftButton);
    choose(*dialog, 1026, "指定無し");
    choose(*dialog, 1024, "夢");
    choose(*dialog, 1025, "♀(1/8)");
    pressOk(*dialog);
    const SearchSettings& s = window.settings();
    QCOMPARE(s.firstParentIvs, (StatArray{0, 1, 2, 3, 4, 5}));
    QCOMPARE(s.secondParentIvs, (StatArray{40, 0, 12, -3, 2147483647, 7}));  // beyond 32 bits: the largest
    QVERIFY(s.withoutDitto);
    QCOMPARE(s.eggNature, -1);
    QCOMPARE(s.eggAbility, 3);
    QCOMPARE(s.eggGenderRatio, 8);

    dialog = openDialog(window, inheritanceOptionsButton);
    QCOMPARE(choiceBox(*dialog, 1026)->currentText(), QStringLiteral("指定無し"));
    QVERIFY(button(*dialog, 1003)->isChecked());
    choose(*dialog, 1026, "がんばりや");
    pressOk(*dialog);
    QCOMPARE(s.eggNature, 1);
    dialog = openDialog(window, inheritanceOptionsButton);
    choose(*dialog, 1026, "きまぐれ　");
    choose(*dialog, 1024, "1");
    pressOk(*dialog);
    QCOMPARE(s.eggNature, 25);
    QCOMPARE(s.eggAbility, 1);

    // 255 characters count, the 256th does not.
    dialog = openDialog(window, inheritanceOptionsButton);
    field(*dialog, 1005)->setText(QString(254, '0') + "19");
    QTest::mouseClick(button(*dialog, 1002), Qt::LeftButton);
    pressCancel(*dialog);
    QVERIFY(s.withoutDitto);
    QCOMPARE(s.firstParentIvs[0], 0);
    dialog = openDialog(window, inheritanceOptionsButton);
    field(*dialog, 1005)->setText(QString(254, '0') + "19");
    pressOk(*dialog);
    QCOMPARE(s.firstParentIvs[0], 1);
  }

  void keyInputDialog_data() {
    QTest::addColumn<int>("check");
    QTest::addColumn<int>("bit");  // the key's bit in the key register
    QTest::newRow("A") << 1001 << 0;
    QTest::newRow("B") << 1002 << 1;
    QTest::newRow("St") << 1003 << 3;
    QTest::newRow("Se") << 1004 << 2;
    QTest::newRow("L") << 1005 << 9;
    QTest::newRow("R") << 1006 << 8;
    QTest::newRow("上") << 1007 << 6;
    QTest::newRow("下") << 1008 << 7;
    QTest::newRow("右") << 1009 << 4;
    QTest::newRow("左") << 1010 << 5;
  }
  void keyInputDialog() {
    QFETCH(int, check);
    QFETCH(int, bit);
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    OptionDialog* dialog = openDialog(window, keyInputOptionsButton);
    for (int id = 1001; id <= 1011; ++id) QVERIFY(button(*dialog, id)->isChecked());
    QTest::mouseClick(button(*dialog, check), Qt::LeftButton);
    pressOk(*dialog);
    for (int k = 0; k < 10; ++k) QCOMPARE(window.settings().keyAllowed[static_cast<std::size_t>(k)], k != bit);
    QVERIFY(window.settings().excludeOppositeAndReset);

    dialog = openDialog(window, keyInputOptionsButton);
    for (int id = 1001; id <= 1010; ++id) QCOMPARE(button(*dialog, id)->isChecked(), id != check);
    pressOk(*dialog);
    for (int k = 0; k < 10; ++k) QCOMPARE(window.settings().keyAllowed[static_cast<std::size_t>(k)], k != bit);
  }

  void keyInputDialogTakesNoKeysAndLeavesThemOnCancel() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    OptionDialog* dialog = openDialog(window, keyInputOptionsButton);
    for (int id = 1001; id <= 1011; ++id) setChecked(*dialog, id, false);
    pressCancel(*dialog);
    QCOMPARE(window.settings().keyAllowed, SearchSettings{}.keyAllowed);
    QVERIFY(window.settings().excludeOppositeAndReset);

    dialog = openDialog(window, keyInputOptionsButton);
    for (int id = 1001; id <= 1011; ++id) setChecked(*dialog, id, false);
    pressOk(*dialog);
    QCOMPARE(window.settings().keyAllowed, (std::array<bool, 10>{}));
    QVERIFY(!window.settings().excludeOppositeAndReset);
  }

  void deliverymanDialog() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    OptionDialog* dialog = openDialog(window, deliverymanOptionsButton);
    QCOMPARE(field(*dialog, 1005)->text(), QStringLiteral("10"));
    QCOMPARE(choiceBox(*dialog, 1007)->currentText(), QStringLiteral("指定無し"));
    QVERIFY(!button(*dialog, 1001)->isChecked());
    QCOMPARE(field(*dialog, 1006)->text(), QStringLiteral("3012"));
    QCOMPARE(field(*dialog, 1023)->text(), QStringLiteral("0"));
    QVERIFY(field(*dialog, 1006)->isEnabled() && field(*dialog, 1023)->isEnabled());

    // New IDs without the shiny box are dropped.
    type(*dialog, 1005, "0");
    type(*dialog, 1006, "111");
    type(*dialog, 1023, "222");
    choose(*dialog, 1007, "がんばりや");
    pressOk(*dialog);
    const SearchSettings& s = window.settings();
    QCOMPARE(s.deliveryNaturePosition, 0);
    QCOMPARE(s.deliveryNature, 1);
    QVERIFY(!s.deliveryShiny);
    QCOMPARE(s.deliveryTrainerId, 3012);
    QCOMPARE(s.deliverySecretId, 0);

    dialog = openDialog(window, deliverymanOptionsButton);
    QCOMPARE(field(*dialog, 1006)->text(), QStringLiteral("3012"));
    QCOMPARE(choiceBox(*dialog, 1007)->currentText(), QStringLiteral("がんばりや"));
    QTest::mouseClick(button(*dialog, 1001), Qt::LeftButton);
    type(*dialog, 1006, "54321");
    type(*dialog, 1023, "1");
    pressOk(*dialog);
    QVERIFY(s.deliveryShiny);
    QCOMPARE(s.deliveryTrainerId, 54321);
    QCOMPARE(s.deliverySecretId, 1);

    // The position takes digits only, and nine of them count.
    dialog = openDialog(window, deliverymanOptionsButton);
    type(*dialog, 1005, "-1a2");
    QCOMPARE(field(*dialog, 1005)->text(), QStringLiteral("12"));
    field(*dialog, 1005)->setText("9876543210");
    type(*dialog, 1006, "-1");
    pressOk(*dialog);
    QCOMPARE(s.deliveryNaturePosition, 987654321);
    QCOMPARE(s.deliveryTrainerId, 65535);
  }

  void cometShardDialog() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    OptionDialog* dialog = openDialog(window, cometShardOptionsButton);
    QVERIFY(button(*dialog, 1001)->isChecked());
    QTest::mouseClick(button(*dialog, 1001), Qt::LeftButton);
    pressOk(*dialog);
    QVERIFY(!window.settings().compoundEyes);
    dialog = openDialog(window, cometShardOptionsButton);
    QVERIFY(!button(*dialog, 1001)->isChecked());
  }

  void domeDialog() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    OptionDialog* dialog = openDialog(window, domeOptionsButton);
    for (int box : domeTrainerBoxes) {
      QCOMPARE(choiceBox(*dialog, box)->currentText(), QStringLiteral("指定無し"));
      QCOMPARE(choiceBox(*dialog, box)->count(), 53);
    }
    QCOMPARE(field(*dialog, 1005)->text(), QStringLiteral("0"));

    // The boxes from top to bottom are the first to the sixth wanted trainer.
    const QStringList trainers = {"OLのアツコ", "えんじのマユコ", "ナースのユキエ", "指定無し", "OLのアツコ", "えんじのモトヤス"};
    for (std::size_t k = 0; k < 6; ++k) choose(*dialog, domeTrainerBoxes[k], trainers[static_cast<qsizetype>(k)]);
    type(*dialog, 1005, "123");
    pressOk(*dialog);
    const SearchSettings& s = window.settings();
    QCOMPARE(s.domeTrainers, (StatArray{1, 52, 30, 0, 1, 51}));
    QCOMPARE(s.domeConsumptionSlack, 12);

    dialog = openDialog(window, domeOptionsButton);
    QCOMPARE(choiceBox(*dialog, 1021)->currentText(), QStringLiteral("えんじのマユコ"));
    QCOMPARE(field(*dialog, 1005)->text(), QStringLiteral("12"));
    type(*dialog, 1005, "-1");
    pressOk(*dialog);
    QCOMPARE(s.domeConsumptionSlack, -1);

    // キャンセル keeps all seven values, whatever was changed.
    dialog = openDialog(window, domeOptionsButton);
    for (int box : domeTrainerBoxes) choiceBox(*dialog, box)->setCurrentIndex(7);
    type(*dialog, 1005, "5");
    pressCancel(*dialog);
    QCOMPARE(s.domeTrainers, (StatArray{1, 52, 30, 0, 1, 51}));
    QCOMPARE(s.domeConsumptionSlack, -1);
  }
};

}  // namespace hanabira

QTEST_MAIN(hanabira::OptionValuesTest)
#include "option_values_test.moc"
