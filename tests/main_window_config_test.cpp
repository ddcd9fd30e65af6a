// "config.txt": loaded into the window at start, written by "保存".
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "config_save_consoles.h"
#include "gui_test_support.h"

namespace hanabira {

using namespace hanabira::testing;

class MainWindowConfigTest : public QObject {
  Q_OBJECT

 private:
  static QStringList consoleTexts(const MainWindow& window) {
    QStringList texts;
    for (int id : {1000, 1001, 1002, 1029, 1003, 1004, 1005, 1006, 1007, 1008}) texts << edit(window, id)->text();
    return texts;
  }

 private slots:
  void loadFillsTheConsoleFieldsAsWritten() {
    ScratchDirectory dir;
    dir.write("config.txt", "5f\r\n1a2b\r\nabcdef\r\n8\r\n00:11:22:33:44:55\r\n02215F30\r\n");
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    QCOMPARE(consoleTexts(window), QStringList({"5f", "1a2b", "abcdef", "8", "00", "11", "22", "33", "44", "55"}));
    QVERIFY(button(window, whiteRadio)->isChecked());
    QVERIFY(!button(window, blackRadio)->isChecked());
    QCOMPARE(window.settings().versionWord, whiteVersionWord);
    // Nothing else comes from the file.
    QCOMPARE(edit(window, startYearEdit)->text(), QString());
    QCOMPARE(edit(window, endHourEdit)->text(), QStringLiteral("23"));
  }

  // Beside config.txt, which stays as it was.
  void aProfileKeepsTheConsoleAndFillsTheFieldsWhenChosen() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    play(window, profileChosenAgain.steps);
    for (const auto& [id, text] : profileChosenAgain.fields) QCOMPARE(edit(window, id)->text(), toQString(text));
    QCOMPARE(window.findChild<QComboBox*>(controlName(profileCombo))->count(), 2);
    QVERIFY(dir.read(profilesFileName).contains("\"DS Lite\""));
    QVERIFY(!QFile::exists(dir.path(configFileName)));
  }

  void versionLineChoosesTheButton_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("black");
    QTest::addColumn<bool>("white");
    QTest::newRow("Black") << QByteArray("02215F10") << true << false;
    QTest::newRow("White") << QByteArray("02215F30") << false << true;
    QTest::newRow("another version") << QByteArray("02215F20") << false << false;
    QTest::newRow("no version line") << QByteArray() << true << false;
  }

  void versionLineChoosesTheButton() {
    QFETCH(QByteArray, line);
    QFETCH(bool, black);
    QFETCH(bool, white);
    ScratchDirectory dir;
    dir.write("config.txt", "60\nc79\n6000000\n8\n00-11-22-33-44-55\n" + line);
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    QCOMPARE(button(window, blackRadio)->isChecked(), black);
    QCOMPARE(button(window, whiteRadio)->isChecked(), white);
  }

  void anotherVersionStaysUntilASaveMakesItWhite() {
    ScratchDirectory dir;
    dir.write("config.txt", "60\nc79\n6000000\n8\n00-11-22-33-44-55\n02215F20\n");
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    SearchSettings read = window.settings();
    readStartFields(window.fields(), read);
    QCOMPARE(read.versionWord, 0x02215F20u);

    click(window, saveButton);
    QCOMPARE(dir.read("config.txt"), QByteArray("60\nc79\n6000000\n8\n00-11-22-33-44-55\n02215F30\n"));
    read = window.settings();
    readStartFields(window.fields(), read);
    QCOMPARE(read.versionWord, whiteVersionWord);
    QVERIFY(!button(window, whiteRadio)->isChecked());  // the buttons show what the user picked
  }

  void saveWritesWhatASearchWouldRead() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::ScrollsHorizontally);
    const QStringList typed = {"05F", "01A2B", "ABCDEF", "-8", "0", "a", "22", "33x", "0x", "ff"};
    const int ids[] = {1000, 1001, 1002, 1029, 1003, 1004, 1005, 1006, 1007, 1008};
    for (int i = 0; i < typed.size(); ++i) setText(window, ids[i], typed[i]);
    setText(window, vcountEdit, "1FFF");  // only three characters count
    setChecked(window, whiteRadio, true);
    click(window, saveButton);
    QCOMPARE(dir.read("config.txt"), QByteArray("1ff\n1a2b\nabcdef\n-8\n00-0A-22-33-00-FF\n02215F30\n"));
    QCOMPARE(window.settings().vcount, 0x1FFu);
    QCOMPARE(window.settings().frame, -8);

    // The next start shows the saved values, normalised.
    MainWindow next(EditFieldWidth::FitsVisibleWidth);
    QCOMPARE(consoleTexts(next), QStringList({"1ff", "1a2b", "abcdef", "-8", "00", "0A", "22", "33", "00", "FF"}));
    QVERIFY(button(next, whiteRadio)->isChecked());
  }

  void shortOrMalformedFileFillsWhatItHas() {
    ScratchDirectory dir;
    dir.write("config.txt", "60\nc79\n6000000\n");
    MainWindow threeLines(EditFieldWidth::FitsVisibleWidth);
    QCOMPARE(consoleTexts(threeLines), QStringList({"60", "c79", "6000000", "", "", "", "", "", "", ""}));
    QVERIFY(button(threeLines, blackRadio)->isChecked());

    dir.write("config.txt", "60\nc79\n6000000\n8\n00-11-2\n");
    MainWindow shortAddress(EditFieldWidth::FitsVisibleWidth);
    QCOMPARE(consoleTexts(shortAddress), QStringList({"60", "c79", "6000000", "8", "00", "11", "", "", "", ""}));

    // Loaded text wider than its field stays whole, and can be shortened.
    dir.write("config.txt", "0123456789abcdef\n");
    MainWindow longText(EditFieldWidth::FitsVisibleWidth);
    QCOMPARE(edit(longText, vcountEdit)->text(), QStringLiteral("0123456789abcdef"));
    QTest::keyClick(edit(longText, vcountEdit), Qt::Key_Backspace);
    QCOMPARE(edit(longText, vcountEdit)->text(), QStringLiteral("0123456789abcde"));
    QTest::keyClick(edit(longText, vcountEdit), Qt::Key_A);
    QCOMPARE(edit(longText, vcountEdit)->text(), QStringLiteral("0123456789abcde"));
  }

  // A byte-order mark and CR line ends are read as the text means; binary data starts the
  // window as without a file, and a choice it cannot read is left out; both are told.
  void textIsReadAsItMeansAndWhatIsNotIsReported() {
    ScratchDirectory dir;
    const QStringList loaded = {"5f", "1a2b", "abcdef", "8", "00", "11", "22", "33", "44", "55"};
    dir.write("config.txt",
              "\xEF\xBB\xBF"
              "5f\r1a2b\rabcdef\r8\r00-11-22-33-44-55\r02215F30\r");
    MainWindow marked(EditFieldWidth::FitsVisibleWidth);
    QCOMPARE(marked.findChild<QMessageBox*>(), nullptr);
    QCOMPARE(consoleTexts(marked), loaded);
    QVERIFY(button(marked, whiteRadio)->isChecked());

    const QString start = QStringLiteral("config.txt を読み込めません。\n") + dir.path("config.txt") + "\n";
    dir.write("config.txt", QByteArray("60\n\0\xff\n", 6));
    MainWindow binary(EditFieldWidth::FitsVisibleWidth);
    auto* box = binary.findChild<QMessageBox*>();
    QVERIFY(box != nullptr);
    QCOMPARE(box->text(), start + QStringLiteral("2行目にテキストでない文字があります。"));
    box->close();
    QCOMPARE(consoleTexts(binary), QStringList(10, QString()));
    QVERIFY(button(binary, blackRadio)->isChecked());

    dir.write("config.txt", "5f\n1a2b\nabcdef\n8\n00-11-22-33-44-55\n02215F30\nvcountRange=83-81\n");
    MainWindow reversed(EditFieldWidth::FitsVisibleWidth);
    box = reversed.findChild<QMessageBox*>();
    QVERIFY(box != nullptr);
    QCOMPARE(box->text(),
             QStringLiteral("config.txt の7行目を読み込めません。\n") + dir.path("config.txt") +
                 QStringLiteral("\nvcountRange=83-81\n範囲の指定が正しくありません。\nこの行を除いて読み込みました。"));
    box->close();
    QCOMPARE(consoleTexts(reversed), loaded);
    QVERIFY(!reversed.settings().vcountRange);
  }

  void fileThatCannotBeReadIsReported_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("reported");
    QTest::newRow("no file (a first start)") << QString() << false;
    QTest::newRow("a folder") << QStringLiteral("folder") << true;
    QTest::newRow("reading fails") << QStringLiteral("read error") << true;
    QTest::newRow("a pipe") << QStringLiteral("pipe") << true;
    QTest::newRow("no read permission") << QStringLiteral("no permission") << true;
  }

  void fileThatCannotBeReadIsReported() {
    QFETCH(QString, file);
    QFETCH(bool, reported);
    ScratchDirectory dir;
    if (file == "folder") {
      QVERIFY(QDir().mkdir("config.txt"));
    } else if (file == "read error") {
      QVERIFY(QFile::link("/proc/self/mem", "config.txt"));  // opens, but reading from 0 fails, for root too
    } else if (file == "pipe") {
      QVERIFY(mkfifo("config.txt", 0600) == 0);  // opening it would wait for a writer
    } else if (file == "no permission") {
      if (geteuid() == 0) QSKIP("root reads files without read permission");
      dir.write("config.txt", "60\nc79\n");
      QVERIFY(QFile::setPermissions("config.txt", QFileDevice::WriteOwner));
    }
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    auto* box = window.findChild<QMessageBox*>();
    QCOMPARE(box != nullptr, reported);
    if (box != nullptr) {
      QVERIFY2(
          box->text().startsWith(QStringLiteral("config.txt を読み込めません。\n") + dir.path("config.txt") + "\n"),
          qPrintable(box->text()));
      box->close();
    }
    // The window starts as without a file.
    QCOMPARE(consoleTexts(window), QStringList(10, QString()));
    QVERIFY(button(window, blackRadio)->isChecked());
  }

  // A save killed at any point leaves the old file or the new one, complete: the saves
  // of a helper process that saves two files in turn are cut short by SIGKILL, at a
  // different moment each round.
  void saveKilledHalfwayLeavesACompleteFile() {
    ScratchDirectory dir;
    const QByteArray complete[] = {QByteArray::fromStdString(formatConsoleConfig(savedConsoles[0])),
                                   QByteArray::fromStdString(formatConsoleConfig(savedConsoles[1]))};
    for (int round = 0; round < 20; ++round) {
      QProcess saver;
      saver.start(QStringLiteral(HANABIRA_SAVE_LOOP_PATH), {});
      QVERIFY2(saver.waitForReadyRead(10000), qPrintable(saver.readAllStandardError()));
      QThread::usleep(static_cast<unsigned long>(round) * 250);
      saver.kill();
      QVERIFY(saver.waitForFinished(10000));
      QCOMPARE(saver.exitStatus(), QProcess::CrashExit);
      const QByteArray file = dir.read("config.txt");
      QVERIFY2(file == complete[0] || file == complete[1], file.constData());
    }
  }

  void failedSaveShowsAMessageAndChangesNothing() {
    ScratchDirectory dir;
    QVERIFY(QDir().mkdir("config.txt"));  // a folder where the file should go
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    delete window.findChild<QMessageBox*>();  // the start could not read it either
    setText(window, vcountEdit, "60");
    setChecked(window, whiteRadio, true);
    click(window, saveButton);
    auto* box = window.findChild<QMessageBox*>();
    QVERIFY(box != nullptr);
    QVERIFY(box->text().contains(QStringLiteral("config.txt を保存できません。")));
    QCOMPARE(window.settings().vcount, 0u);
    QCOMPARE(window.settings().versionWord, blackVersionWord);
    box->close();
  }

  // The language button's menu: a choice is saved at once, as 保存 saves, with its line;
  // the texts change at once, the names at the next search, and the next start reads the line.
  void languageChoicesAreSavedAsLinesOfTheirOwn() {
    ScratchDirectory dir;
    const QByteArray six = "60\nc79\n6000000\n8\n00-11-22-33-44-55\n02215F10\n";
    dir.write("config.txt", six);
    {
      MainWindow window(EditFieldWidth::FitsVisibleWidth);
      window.show();
      QVERIFY(QTest::qWaitForWindowActive(&window));
      chooseFromLanguageMenu(window, 1, 1);  // names in result files: English
      QCOMPARE(dir.read("config.txt"), six + "resultLanguage=en\n");
      QCOMPARE(window.settings().resultLanguage, ResultLanguage::English);
      QCOMPARE(window.findChild<QMessageBox*>(), nullptr);  // the texts are as they were

      window.findChild<QComboBox*>(controlName(hiddenPowerCombo))->setCurrentIndex(16);
      chooseFromLanguageMenu(window, 0, 0);  // the window: English, the first catalog
      QCOMPARE(dir.read("config.txt"), six + "uiLanguage=en\nresultLanguage=en\n");
      QCOMPARE(button(window, startButton)->text(), QStringLiteral("Start search"));
      QCOMPARE(button(window, roamingCheck)->text(), QStringLiteral("Roam"));
      QCOMPARE(window.findChild<QComboBox*>(controlName(hiddenPowerCombo))->currentText(), QStringLiteral("Dark"));
      QCOMPARE(window.findChild<QMessageBox*>(), nullptr);
    }
    MainWindow restarted(EditFieldWidth::FitsVisibleWidth);
    QCOMPARE(button(restarted, startButton)->text(), QStringLiteral("Start search"));
    QCOMPARE(restarted.settings().resultLanguage, ResultLanguage::English);
  }

 private:
  // Clicks the language button and picks item `item` of submenu `submenu` with the keys.
  static void chooseFromLanguageMenu(const MainWindow& window, int submenu, int item) {
    QTimer::singleShot(0, [submenu, item] {
      QWidget* menu = QApplication::activePopupWidget();
      if (menu == nullptr) qFatal("no language menu");
      for (int k = 0; k <= submenu; ++k) QTest::keyClick(menu, Qt::Key_Down);  // the first selects the first
      QTest::keyClick(menu, Qt::Key_Right);                                    // opens the submenu at its first item
      QWidget* items = QApplication::activePopupWidget();
      for (int k = 0; k < item; ++k) QTest::keyClick(items, Qt::Key_Down);
      QTest::keyClick(items, Qt::Key_Return);
    });
    click(window, languageButton);
  }
};

}  // namespace hanabira

QTEST_MAIN(hanabira::MainWindowConfigTest)
#include "main_window_config_test.moc"
