// The console dialog under Qt Test: the button beside the version choice opens it,
// choosing an edition shows its typical ranges, and a calibration's picked result
// reaches the window's console fields and the settings.
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTableWidget>
#include <QTest>

#include "dialog_test_support.h"
#include "gui_test_support.h"
#include "ui/model/console_dialog.h"

namespace hanabira {
namespace {

using namespace hanabira::testing;

class ConsoleDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void choosingAnEditionFillsItsTypicalRanges() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    OptionDialog* dialog = openDialog(window, consoleButton);
    QVERIFY(dialog != nullptr);
    // A fresh start: Japanese Black on a DS, its typical ranges.
    QCOMPARE(field(*dialog, consoleTimer0MinField)->text(), QStringLiteral("C67"));
    choose(*dialog, consoleGameBox, QStringLiteral("ホワイト2"));
    choose(*dialog, consoleLanguageBox, QStringLiteral("英語"));
    QCOMPARE(field(*dialog, consoleVcountMinField)->text(), QStringLiteral("81"));
    QCOMPARE(field(*dialog, consoleVcountMaxField)->text(), QStringLiteral("83"));
    QCOMPARE(field(*dialog, consoleTimer0MinField)->text(), QStringLiteral("10E4"));
    QCOMPARE(field(*dialog, consoleTimer0MaxField)->text(), QStringLiteral("110D"));
    choose(*dialog, consoleKindBox, QStringLiteral("3DS"));
    QCOMPARE(field(*dialog, consoleTimer0MaxField)->text(), QStringLiteral("1900"));
    QVERIFY(!dialog->note()->text().isEmpty());  // unconfirmed words

    pressOk(*dialog);
    QCOMPARE(window.settings().edition, (Edition{Game::White2, Language::English, ConsoleKind::ThreeDs}));
    QCOMPARE(window.settings().timer0Range, (ParameterRange{0x1400, 0x1900}));
    QVERIFY(button(window, is3dsCheck)->isChecked());
    QVERIFY(!button(window, blackRadio)->isChecked() && !button(window, whiteRadio)->isChecked());
  }

  void aCalibrationStoresThePickedParameters() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    const CalibrationScript& script = consoleCalibration;  // as the Win32 window's test plays it
    play(window, script.window);

    OptionDialog* dialog = openDialog(window, consoleButton);
    play(*dialog, script.dialog);
    // It runs off the window's thread, saying so, and the button stops it meanwhile.
    auto* calibrate = static_cast<QAbstractButton*>(button(*dialog, consoleCalibrateButton));
    auto* status = dialog->findChild<QLabel*>(QString::number(consoleCalibrationStatus));
    QTest::mouseClick(calibrate, Qt::LeftButton);
    QCOMPARE(status->text(), QStringLiteral("計算中…"));
    QCOMPARE(calibrate->text(), QStringLiteral("中止"));
    QTRY_COMPARE_WITH_TIMEOUT(calibrate->text(), QStringLiteral("計算"), 60000);
    QCOMPARE(status->text(), toQString(script.status));
    auto* table = dialog->findChild<QTableWidget*>(QString::number(consoleResultTable));
    QCOMPARE(table->rowCount(), 1);
    for (int c = 0; c < 4; ++c) QCOMPARE(table->item(0, c)->text(), toQString(script.firstRow[c]));

    pressOk(*dialog);
    QCOMPARE(edit(window, vcountEdit)->text(), toQString(script.firstRow[0]));
    QCOMPARE(edit(window, timer0Edit)->text(), toQString(script.firstRow[1]));
    QCOMPARE(edit(window, frameEdit)->text(), toQString(script.firstRow[2]));
    QVERIFY(!window.settings().vcountRange && !window.settings().timer0Range);
    QCOMPARE(window.settings().edition, script.edition);

    // The start reads them as the console's, and 保存 keeps them with the edition.
    click(window, saveButton);
    QCOMPARE(dir.read("config.txt"), QByteArray("82\n10f3\n6000000\n6\n00-09-BF-12-34-56\n02215F30\n"
                                                "edition=White2,ENG,DSLite\n"));
  }

  // A calibration it cannot run is a message; closing the dialog stops one that runs.
  void aRefusedCalibrationIsAMessageAndClosingStopsOne() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    OptionDialog* dialog = openDialog(window, consoleButton);
    auto* calibrate = static_cast<QAbstractButton*>(button(*dialog, consoleCalibrateButton));
    const QStringList boot = {"12", "10", "7", "12", "34", "56"};
    for (int k = 0; k < 6; ++k) type(*dialog, consoleBootFields + k, boot[k]);
    type(*dialog, consoleVcountMaxField, "4F");
    QTest::mouseClick(calibrate, Qt::LeftButton);
    auto* message = dialog->findChild<QMessageBox*>();
    QVERIFY(message != nullptr);
    QCOMPARE(message->text(),
             QStringLiteral(
                 "計算を開始できません。\nVCountの範囲(上限)の値 4F は範囲外です。\n5F～FFFFを指定してください。"));
    QCOMPARE(calibrate->text(), QStringLiteral("計算"));
    message->close();

    // A wide window with wide ranges: many seconds of work.
    type(*dialog, consoleSecondsField, "60");
    type(*dialog, consoleVcountMinField, "50");
    type(*dialog, consoleVcountMaxField, "C0");
    type(*dialog, consoleTimer0MinField, "C00");
    type(*dialog, consoleTimer0MaxField, "1900");
    QTest::mouseClick(calibrate, Qt::LeftButton);
    QCOMPARE(calibrate->text(), QStringLiteral("中止"));
    QPointer<OptionDialog> closing(dialog);
    pressCancel(*dialog);
    QTRY_VERIFY(closing.isNull());  // gone, its calibration with it
  }
};

}  // namespace
}  // namespace hanabira

QTEST_MAIN(hanabira::ConsoleDialogTest)
#include "console_dialog_test.moc"
