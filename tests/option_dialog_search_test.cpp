// Searches after the option dialogs: a search started after OK uses the new options (the
// window's result file equals a search of the same settings, for every mode), a dialog
// used during a search counts from the next start, and a refused option is named when the
// search starts (the hidden ability with a Ditto by its reason).
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include <functional>

#include "dialog_test_support.h"
#include "engine/result_sink.h"
#include "engine/search_engine.h"
#include "gui_test_support.h"

namespace hanabira {

using namespace hanabira::testing;
using testing::setChecked;

namespace {

constexpr int searchTimeoutMs = 60000;

void withDialog(const MainWindow& window, int command, const std::function<void(OptionDialog&)>& edit) {
  OptionDialog* dialog = openDialog(window, command);
  edit(*dialog);
  pressOk(*dialog);
}

void click(const OptionDialog& dialog, int id) { QTest::mouseClick(button(dialog, id), Qt::LeftButton); }

}  // namespace

class OptionDialogSearchTest : public QObject {
  Q_OBJECT

 private slots:
  // Every mode's script (window_scripts.h), as the Win32 window's tests play it.
  void searchAfterOkUsesTheNewOptions_data() {
    QTest::addColumn<int>("mode");
    for (std::size_t i = 0; i < modeScripts.size(); ++i) QTest::newRow(modeScripts[i].name) << static_cast<int>(i);
  }
  void searchAfterOkUsesTheNewOptions() {
    QFETCH(int, mode);
    const ModeScript& script = modeScripts[static_cast<std::size_t>(mode)];
    ScratchDirectory dir;

    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    play(window, exampleMinute);
    play(window, script.window);
    withDialog(window, script.dialogButton, [&](OptionDialog& d) { play(d, script.dialog); });
    click(window, startButton);
    QVERIFY(ready.wait(searchTimeoutMs));
    const QByteArray fromWindow = dir.read("result.txt");
    QVERIFY(fromWindow.count("\r\n") > 1);  // a header and at least one match
    const std::string json = std::string("{") + exampleMinuteJson + ",\n" + script.options + "}";
    QCOMPARE(fromWindow, QByteArray::fromStdString(searchedResult(json)));
  }

  void dialogUsedDuringASearchCountsFromTheNextStart() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    play(window, exampleMinute);
    setText(window, endMinuteEdit, "56");  // ten minutes
    setText(window, hiddenPowerMinPowerEdit, "68");
    SearchSettings before = window.settings();
    readStartFields(window.fields(), before);

    click(window, startButton);
    QVERIFY(window.isSearchRunning());
    withDialog(window, keyInputOptionsButton, [](OptionDialog& d) {
      for (int id = 1002; id <= 1010; ++id) click(d, id);  // A alone is left
    });
    QVERIFY(!window.settings().keyAllowed[1]);
    QVERIFY(ready.wait(searchTimeoutMs));
    StringSink untouched;
    runSearch(before, untouched);
    QCOMPARE(dir.read("result.txt"), QByteArray::fromStdString(untouched.text()));

    click(window, startButton);
    QVERIFY(ready.wait(searchTimeoutMs));
    SearchSettings after = before;
    after.keyAllowed = {true, false, false, false, false, false, false, false, false, false};
    StringSink withA;
    runSearch(after, withA);
    QVERIFY(withA.text().size() < untouched.text().size());
    QCOMPARE(dir.read("result.txt"), QByteArray::fromStdString(withA.text()));
  }

  void refusedOptionIsNamedWhenTheSearchStarts() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    play(window, exampleMinute);
    setChecked(window, deliverymanCheck, true);
    // The dialog's field takes digits only; settings from elsewhere may still hold this.
    window.settings().deliveryNaturePosition = -1;
    click(window, startButton);
    auto* box = window.findChild<QMessageBox*>();
    QVERIFY(box != nullptr);
    QVERIFY2(box->text().contains(QStringLiteral("配達員検索の性格値の位置の値 -1 は範囲外です。")),
             qPrintable(box->text()));
    box->close();
    QVERIFY(!window.isSearchRunning());
    QVERIFY(!QFile::exists("result.txt"));
    QCOMPARE(ready.size(), 0);
  }

  void hiddenAbilityWithADittoIsRefusedWithItsReason() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    play(window, exampleMinute);
    setChecked(window, inheritanceCheck, true);
    withDialog(window, inheritanceOptionsButton, [](OptionDialog& d) {
      click(d, withDittoRadio);
      choose(d, eggAbilityBox, "夢");
    });
    click(window, startButton);
    auto* box = window.findChild<QMessageBox*>();
    QVERIFY(box != nullptr);
    QVERIFY2(box->text().contains(QStringLiteral("メタモンとの組み合わせでは夢特性は遺伝しません。")),
             qPrintable(box->text()));
    box->close();
    QVERIFY(!window.isSearchRunning());
    QVERIFY(!QFile::exists("result.txt"));
    QCOMPARE(ready.size(), 0);
  }
};

}  // namespace hanabira

QTEST_MAIN(hanabira::OptionDialogSearchTest)
#include "option_dialog_search_test.moc"
