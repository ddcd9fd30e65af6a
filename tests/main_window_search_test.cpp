// Searches started from the window: the same bytes as a search of the same settings, progress
// in the title, abort, the table of the lines, refusal with a message, and closing the window
// during a search.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "engine/result_sink.h"
#include "engine/search_engine.h"
#include "gui_test_support.h"
#include "ui/qt/boot_timer_window.h"
#include "ui/qt/neighbour_window.h"
#include "ui/qt/result_table_window.h"
#include "vocab/cp932.h"

namespace hanabira {

using namespace hanabira::testing;

namespace {

constexpr int searchTimeoutMs = 60000;

// A search of two hours with every key: long enough to be stopped halfway.
SearchSettings typeLongSearch(const MainWindow& window) {
  typeWorkedExampleConsole(window);
  typeDates(window, {"11", "9", "27", "11", "9", "27"});
  setText(window, startHourEdit, "10");
  setText(window, endHourEdit, "11");
  setText(window, hiddenPowerMinPowerEdit, "68");
  setChecked(window, keyInputCheck, true);
  SearchSettings settings = window.settings();
  readStartFields(window.fields(), settings);
  return settings;
}

// A whole day of every key: minutes even on a fast machine, for the tests that end it
// themselves and must find it still running.
void typeSearchTooLongToFinish(const MainWindow& window) {
  typeLongSearch(window);
  setText(window, startHourEdit, "0");
  setText(window, endHourEdit, "23");
}

QString startCaption(const MainWindow& window) { return button(window, startButton)->text(); }

// The table's header and rows as a result file's text.
QString tableText(const QAbstractItemModel& table) {
  QStringList lines;
  QStringList cells;
  for (int column = 0; column < table.columnCount(); ++column)
    cells << table.headerData(column, Qt::Horizontal).toString();
  lines << cells.join(',');
  for (int row = 0; row < table.rowCount(); ++row) {
    cells.clear();
    for (int column = 0; column < table.columnCount(); ++column) cells << table.index(row, column).data().toString();
    lines << cells.join(',');
  }
  return lines.join("\r\n") + "\r\n";
}
QString barText(const MainWindow& window) { return window.findChild<QProgressBar*>()->format(); }

}  // namespace

class MainWindowSearchTest : public QObject {
  Q_OBJECT

 private slots:
  // Two profiles and every profile checked: each profile's lines, led by its name.
  void everyProfileSearchesEachProfilesConsole() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    play(window, everyProfileSearch);
    click(window, startButton);
    QVERIFY(ready.wait(searchTimeoutMs));
    const QByteArray result = dir.read("result.txt");
    QVERIFY(result.contains("\r\nDS Lite,") && result.contains("\r\n3DS,"));
    QCOMPARE(result, QByteArray::fromStdString(everyProfileResult()));
  }

  void sameBytesAsASearchOfTheSameSettings() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::ScrollsHorizontally);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    typeWorkedExampleConsole(window);
    typeDates(window, {"1199", "09", "27", "11", "9", "27x"});  // two characters count
    setText(window, startHourEdit, "13");
    setText(window, endHourEdit, "13");
    setText(window, startMinuteEdit, "47");
    setText(window, endMinuteEdit, "47");
    setText(window, ivConsumptionMaxEdit, "9");
    setText(window, pidConsumptionMaxEdit, "5000");
    setChecked(window, keyInputCheck, true);
    setChecked(window, roamingCheck, true);
    window.findChild<QComboBox*>(controlName(hiddenPowerCombo))->setCurrentIndex(4);  // じめん

    click(window, startButton);
    QVERIFY(ready.wait(searchTimeoutMs));
    QCOMPARE(ready.takeFirst().at(0).toString(), QDir::current().absoluteFilePath("result.txt"));
    QCOMPARE(window.settings().pidConsumptionMax, 2800);  // lowered, and kept, and said
    auto* lowered = window.findChild<QMessageBox*>();
    QVERIFY(lowered != nullptr);
    QVERIFY2(lowered->text().contains(QStringLiteral("2800 までを検索します")), qPrintable(lowered->text()));
    QCOMPARE(barText(window), QStringLiteral("検索完了"));

    const QByteArray fromWindow = dir.read("result.txt");
    QVERIFY(fromWindow.count("\r\n") > 100);
    QCOMPARE(fromWindow, QByteArray::fromStdString(searchedResult(R"({
        "versionWord": "02215F10", "vcount": "60", "timer0": "C79", "gxStat": "6000000", "frame": 8,
        "macAddress": "00-11-22-33-44-55",
        "startYear": 11, "startMonth": 9, "startDay": 27, "endYear": 11, "endMonth": 9, "endDay": 27,
        "startHour": 13, "endHour": 13, "startMinute": 47, "endMinute": 47,
        "keyInputEnabled": true, "roaming": true, "ivConsumptionMax": 9, "hiddenPowerType": 3})")));
  }

  void titleShowsProgressAndAbortStopsAtOnce() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    const SearchSettings settings = typeLongSearch(window);
    const QRegularExpression progressTitle(QStringLiteral("^11年9月27日計算中\\.\\.\\.\\(候補[1-9][0-9]*個\\)$"));

    click(window, startButton);
    QCOMPARE(startCaption(window), QStringLiteral("中断"));
    QTRY_VERIFY_WITH_TIMEOUT(progressTitle.match(window.windowTitle()).hasMatch(), searchTimeoutMs);
    click(window, startButton);
    QCOMPARE(startCaption(window), QStringLiteral("検索開始"));  // before the search has stopped

    // Started again at once: the aborted search lets go of the result file first.
    click(window, startButton);
    QCOMPARE(ready.size(), 1);
    QCOMPARE(startCaption(window), QStringLiteral("中断"));
    QTRY_VERIFY_WITH_TIMEOUT(progressTitle.match(window.windowTitle()).hasMatch(), searchTimeoutMs);
    click(window, startButton);
    QVERIFY(ready.wait(5000));
    QVERIFY(!window.isSearchRunning());
    QCOMPARE(window.windowTitle(), QStringLiteral("Hanabira ver1.05"));
    QVERIFY2(barText(window).endsWith(QStringLiteral("%で中断")), qPrintable(barText(window)));

    // Whole lines, and exactly those the complete search begins with.
    const QByteArray partial = dir.read("result.txt");
    QVERIFY(partial.endsWith("\r\n"));
    StringSink full;
    runSearch(settings, full);
    QVERIFY(static_cast<std::size_t>(partial.size()) < full.text().size());
    QVERIFY(full.text().starts_with(partial.toStdString()));
  }

  // Filled while the search runs, the file's lines once it ends; sorted by a column's
  // values; the selected rows copied as the file's lines.
  void resultsTableHoldsTheFilesLines() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    typeSearchTooLongToFinish(window);
    window.show();
    click(window, startButton);
    click(window, resultsButton);
    ResultTableWindow* results = window.resultsWindow();
    QVERIFY(results != nullptr && results->isVisible());
    QCOMPARE(results->windowTitle(), QStringLiteral("結果一覧"));
    const QAbstractItemModel& table = *results->view()->model();
    QTRY_VERIFY_WITH_TIMEOUT(table.rowCount() >= 3, searchTimeoutMs);
    QVERIFY(window.isSearchRunning());
    click(window, startButton);
    QVERIFY(ready.wait(searchTimeoutMs));
    QCOMPARE(tableText(table), toQString(cp932ToUtf8(dir.read("result.txt").toStdString())));
    QCOMPARE(table.headerData(15, Qt::Horizontal).toString(), QStringLiteral("初期seed"));

    results->view()->sortByColumn(15, Qt::DescendingOrder);
    for (int row = 1; row < table.rowCount(); ++row) {
      QVERIFY(table.index(row - 1, 15).data().toString().toULongLong(nullptr, 16) >=
              table.index(row, 15).data().toString().toULongLong(nullptr, 16));
    }
    auto line = [&](int row) {
      QStringList cells;
      for (int column = 0; column < table.columnCount(); ++column) cells << table.index(row, column).data().toString();
      return cells.join(',') + "\r\n";
    };
    results->view()->selectRow(2);
    results->view()->selectionModel()->select(table.index(0, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    results->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(results));
    QTest::keyClick(results->view(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), line(0) + line(2));

    // The timer for the first selected line.
    QTest::mouseClick(results->timerButton(), Qt::LeftButton);
    BootTimerWindow* timer = window.timerWindow();
    QVERIFY(timer != nullptr && timer->isVisible());
    const QStringList moment = line(0).split(',').mid(0, 6);
    QCOMPARE(toQString(timer->panel().targetText()),
             QString::asprintf("20%02d-%02d-%02d %02d:%02d:%02d", moment[0].toInt() % 100, moment[1].toInt(),
                               moment[2].toInt(), moment[3].toInt(), moment[4].toInt(), moment[5].toInt()));

    // The game's own advances as a column before the keys; the file stays as written.
    const int columns = table.columnCount();
    auto* advances = results->findChild<QCheckBox*>(QStringLiteral("initialAdvances"));
    advances->setChecked(true);
    QCOMPARE(table.columnCount(), columns + 1);
    QCOMPARE(table.headerData(columns - 1, Qt::Horizontal).toString(), QStringLiteral("初期消費"));
    QVERIFY(results->findChild<QCheckBox*>(QStringLiteral("memoryLink"))->isEnabled());
    advances->setChecked(false);
    QCOMPARE(tableText(table), toQString(cp932ToUtf8(dir.read("result.txt").toStdString())));
  }

  // A row of the results opens its neighbours, by the button and by a double-click: the
  // row's own line is the target's; the fields recompute them; a refused field is told.
  void neighboursOfASelectedRow() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    typeWorkedExampleConsole(window);
    typeDates(window, {"11", "9", "27", "11", "9", "27"});
    setText(window, startHourEdit, "13");
    setText(window, endHourEdit, "13");
    setText(window, startMinuteEdit, "40");
    setText(window, endMinuteEdit, "49");
    setText(window, hiddenPowerMinPowerEdit, "65");
    setChecked(window, keyInputCheck, true);
    click(window, startButton);
    QVERIFY(ready.wait(searchTimeoutMs));
    click(window, resultsButton);
    ResultTableWindow* results = window.resultsWindow();
    const QAbstractItemModel& table = *results->view()->model();
    QVERIFY(table.rowCount() > 2);

    results->view()->selectRow(2);
    QStringList target = {"*", "0", "0", "0"};
    for (int column = 0; column < table.columnCount(); ++column) target << table.index(2, column).data().toString();
    results->findChild<QPushButton*>("neighbours")->click();
    auto* neighbours = results->findChild<NeighbourWindow*>();
    QVERIFY(neighbours != nullptr && neighbours->isVisible());
    const QTableWidget& shown = *neighbours->table();
    auto rowText = [&](int row) {
      QStringList cells;
      for (int column = 0; column < shown.columnCount(); ++column) cells << shown.item(row, column)->text();
      return cells;
    };
    int targetRow = -1;
    for (int row = 0; row < shown.rowCount(); ++row) {
      if (rowText(row) == target) targetRow = row;
    }
    QVERIFY2(targetRow >= 0, qPrintable(target.join(',')));
    QVERIFY(shown.item(targetRow, 0)->font().bold());
    QCOMPARE(shown.horizontalHeaderItem(0)->text(), QStringLiteral("目標"));

    for (const char* name : {"seconds", "timer0s", "vcounts"}) neighbours->findChild<QLineEdit*>(name)->setText("0");
    neighbours->findChild<QPushButton*>("recompute")->click();
    QVERIFY(shown.rowCount() > 0);
    for (int row = 0; row < shown.rowCount(); ++row)
      QCOMPARE(rowText(row).mid(1, 3).join(','), QStringLiteral("0,0,0"));
    const int rows = shown.rowCount();
    neighbours->findChild<QLineEdit*>("seconds")->setText("61");
    QTest::keyClick(neighbours->findChild<QLineEdit*>("seconds"), Qt::Key_Return);
    QCOMPARE(shown.rowCount(), rows);
    const QString told = neighbours->findChild<QLabel*>("summary")->text();
    QVERIFY2(told.contains(QStringLiteral("±秒")) && told.contains("60"), qPrintable(told));

    // The values a boot a second late gave, seen: the timer opens for the row's line with
    // the calibration that miss asks for.
    for (const auto& [name, value] : {std::pair{"seconds", "1"}, std::pair{"timer0s", "0"}, std::pair{"vcounts", "0"}})
      neighbours->findChild<QLineEdit*>(name)->setText(value);
    neighbours->findChild<QPushButton*>("recompute")->click();
    QVERIFY(neighbours->correctTimerButton()->isHidden());
    int lateRow = 0;
    while (lateRow < shown.rowCount() && shown.item(lateRow, 1)->text() != "+1") ++lateRow;
    QVERIFY(lateRow < shown.rowCount());
    const QStringList late = rowText(lateRow);
    const int firstIv = static_cast<int>(late.size()) - 10;  // H A B C D S, hidden power, power, seed, keys
    for (int stat = 0; stat < 6; ++stat)
      neighbours->findChild<QLineEdit*>(QStringLiteral("iv%1").arg(stat))->setText(late[firstIv + stat]);
    neighbours->findChild<QPushButton*>("recompute")->click();
    QCOMPARE(neighbours->view().bestSecondsOff(), std::optional<int>(1));
    QVERIFY(!neighbours->correctTimerButton()->isHidden());
    neighbours->correctTimerButton()->click();
    QVERIFY(window.timerWindow() != nullptr && window.timerWindow()->isVisible());
    QCOMPARE(window.timerWindow()->panel().proposalText(), "1 秒遅れ: キャリブレーション -2088 ms");

    const QPoint firstRow = results->view()->visualRect(table.index(0, 0)).center();
    QTest::mouseClick(results->view()->viewport(), Qt::LeftButton, {}, firstRow);
    QTest::mouseDClick(results->view()->viewport(), Qt::LeftButton, {}, firstRow);
    QCOMPARE(results->findChildren<NeighbourWindow*>().size(), 2);
  }

  void resultNoViewerOpensIsShownByItsPath() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    window.setResultViewer([](const QString&) { return false; });
    typeDates(window, {"11", "9", "27", "11", "9", "27"});
    setText(window, endHourEdit, "0");
    click(window, startButton);
    QVERIFY(ready.wait(searchTimeoutMs));
    auto* box = window.findChild<QMessageBox*>();
    QVERIFY(box != nullptr);
    QVERIFY2(box->text().endsWith("\n" + QDir::current().absoluteFilePath("result.txt")), qPrintable(box->text()));
  }

  void refusedSettingsShowAMessageAndSearchNothing() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    typeDates(window, {"11", "4", "31", "11", "5", "1"});
    click(window, startButton);
    auto* box = window.findChild<QMessageBox*>();
    QVERIFY(box != nullptr);
    QVERIFY(box->text().contains(QStringLiteral("開始日付の日の値 31 は範囲外です。\n2011年4月は30日までです。")));
    box->close();
    QVERIFY(!window.isSearchRunning());
    QCOMPARE(startCaption(window), QStringLiteral("検索開始"));
    QVERIFY(!QFile::exists("result.txt"));
    QCOMPARE(ready.size(), 0);
  }

  void resultFileThatCannotBeCreatedIsNamed() {
    ScratchDirectory dir;
    QVERIFY(QDir().mkdir("result.txt"));
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    typeDates(window, {"11", "9", "27", "11", "9", "27"});
    click(window, startButton);
    auto* box = window.findChild<QMessageBox*>();
    QVERIFY(box != nullptr);
    QVERIFY2(box->text().contains(QStringLiteral("結果ファイルを作成できません。\n") +
                                  QDir::current().absoluteFilePath("result.txt") +
                                  QStringLiteral("\n同じ名前のフォルダーがあります。")),
             qPrintable(box->text()));
    box->close();
    QVERIFY(!window.isSearchRunning());
    QCOMPARE(startCaption(window), QStringLiteral("検索開始"));
  }

  void resultFileInAFolderThatCannotBeWrittenIsNamed() {
    // No file can be created in /sys, not even by root.
    if (!QFileInfo(QStringLiteral("/sys")).isDir()) QSKIP("no /sys here");
    ScratchDirectory dir;
    QVERIFY(QDir::setCurrent(QStringLiteral("/sys")));  // the scratch directory restores the old one
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    typeDates(window, {"11", "9", "27", "11", "9", "27"});
    click(window, startButton);
    auto* box = window.findChild<QMessageBox*>();
    QVERIFY(box != nullptr);
    QVERIFY2(box->text().contains(QStringLiteral("結果ファイルを作成できません。\n/sys/result.txt\n")),
             qPrintable(box->text()));
    box->close();
    QVERIFY(!window.isSearchRunning());
    QCOMPARE(ready.size(), 0);
  }

  void fullDiskStopsTheSearchWithAMessage() {
    ScratchDirectory dir;
    QVERIFY(QFile::link("/dev/full", "result.txt"));
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    typeDates(window, {"11", "9", "27", "11", "9", "27"});
    click(window, startButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window.isSearchRunning(), searchTimeoutMs);
    auto* box = window.findChild<QMessageBox*>();
    QVERIFY(box != nullptr);
    QVERIFY2(box->text().contains(QStringLiteral("に書き込めないため、検索を中止しました。")), qPrintable(box->text()));
    QVERIFY2(box->text().endsWith(QStringLiteral("\nディスクの空き容量が足りません。")), qPrintable(box->text()));
    QVERIFY(barText(window).endsWith(QStringLiteral("で中止")));
    box->close();
    QCOMPARE(ready.size(), 0);
    QCOMPARE(startCaption(window), QStringLiteral("検索開始"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Hanabira ver1.05"));
  }

  void closingDuringASearchEndsTheProgram() {
    ScratchDirectory dir;
    auto window = std::make_unique<MainWindow>(EditFieldWidth::FitsVisibleWidth);
    QSignalSpy ready(window.get(), &MainWindow::resultFileReady);
    typeSearchTooLongToFinish(*window);
    window->show();
    click(*window, startButton);
    QVERIFY(window->isSearchRunning());

    QTimer::singleShot(100, window.get(), &QWidget::close);
    QTimer::singleShot(searchTimeoutMs, [] { QApplication::exit(1); });  // in case it never ends
    QCOMPARE(QApplication::exec(), 0);                                   // the last window closed, the event loop ended
    QVERIFY(!window->isSearchRunning());
    QCOMPARE(ready.size(), 0);  // no viewer for a program that is closing
    QVERIFY(dir.read("result.txt").endsWith("\r\n"));
  }
};

}  // namespace hanabira

QTEST_MAIN(hanabira::MainWindowSearchTest)
#include "main_window_search_test.moc"
