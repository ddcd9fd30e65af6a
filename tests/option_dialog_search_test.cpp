// Searches after the option dialogs: a search started after OK uses the new options (the
// window's result file equals a search of the same settings, for every mode), a dialog
// used during a search counts from the next start, and a refused option is named when the
// search starts (the hidden ability with a Ditto by its reason).
#include <QComboBox>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <vector>

#include "dialog_test_support.h"
#include "engine/result_sink.h"
#include "engine/search_engine.h"
#include "gui_test_support.h"

namespace hanabira {

using namespace hanabira::testing;
using testing::setChecked;

namespace {

constexpr int searchTimeoutMs = 60000;

struct ModeCase {
  const char* name;
  int modeCheck;                                      // the main window's check box of the mode; 0 for the plain search
  std::function<void(const MainWindow&)> setOptions;  // through the dialogs, as a user does
  const char* options;  // the same options, as keys of a settings file (cli/settings_json.h)
};

void withDialog(const MainWindow& window, int command, const std::function<void(OptionDialog&)>& edit) {
  OptionDialog* dialog = openDialog(window, command);
  edit(*dialog);
  pressOk(*dialog);
}

void click(const OptionDialog& dialog, int id) { QTest::mouseClick(button(dialog, id), Qt::LeftButton); }

// Each searches one minute of the README's example with every key that the options
// allow; the options are chosen so that every mode finds tens to hundreds of matches,
// not tens of thousands.
const std::vector<ModeCase> modeCases = {
    {"individual values", 0,
     [](const MainWindow& window) {
       setText(window, ivMinEdits + 5, "31");  // keeps the file short
       withDialog(window, keyInputOptionsButton, [](OptionDialog& d) {
         click(d, 1003);  // St
         click(d, 1005);  // L
         click(d, 1011);
       });
     },
     R"("ivMin": [0, 0, 0, 0, 0, 31],
        "keyAllowed": [true, true, true, false, true, true, true, true, true, false],
        "excludeOppositeAndReset": false)"},
    {"shiny", shinyPidCheck,
     [](const MainWindow& window) {
       withDialog(window, shinyOptionsButton, [](OptionDialog& d) {
         type(d, 1005, "12345");
         type(d, 1006, "54321");
         choose(d, 1007, "ようき　　");
         click(d, 1003);
         click(d, 1001);
       });
     },
     R"("shinyPidSearch": true, "trainerId": 12345, "secretId": 54321, "shinyNature": 14,
        "shinyEncounterKind": 2, "idCorrection": true)"},
    {"inheritance", inheritanceCheck,
     [](const MainWindow& window) {
       window.findChild<QComboBox*>(controlName(hiddenPowerCombo))->setCurrentIndex(4);  // じめん
       withDialog(window, inheritanceOptionsButton, [](OptionDialog& d) {
         const QStringList first = {"31", "31", "31", "0", "0", "0"};
         for (std::size_t k = 0; k < 6; ++k) {
           type(d, firstParentIvFields[k], first[static_cast<qsizetype>(k)]);
           type(d, secondParentIvFields[k], first[static_cast<qsizetype>(5 - k)]);
         }
         click(d, 1003);
         choose(d, 1026, "がんばりや");
         choose(d, 1024, "夢");
         choose(d, 1025, "♀(1/8)");
       });
     },
     R"("inheritanceSearch": true, "firstParentIvs": [31, 31, 31, 0, 0, 0],
        "secondParentIvs": [0, 0, 0, 31, 31, 31], "withoutDitto": true, "eggNature": 1,
        "eggAbility": 3, "eggGenderRatio": 8, "hiddenPowerType": 3)"},
    {"deliveryman", deliverymanCheck,
     [](const MainWindow& window) {
       withDialog(window, deliverymanOptionsButton, [](OptionDialog& d) {
         type(d, 1005, "3");
         choose(d, 1007, "ようき　　");
         click(d, 1001);
         type(d, 1006, "54321");
         type(d, 1023, "1");
       });
     },
     R"("deliverymanSearch": true, "deliveryNaturePosition": 3, "deliveryNature": 14,
        "deliveryShiny": true, "deliveryTrainerId": 54321, "deliverySecretId": 1)"},
    {"comet shard", cometShardCheck,
     [](const MainWindow& window) {
       withDialog(window, cometShardOptionsButton, [](OptionDialog& d) { click(d, 1001); });
     },
     R"("cometShardSearch": true, "compoundEyes": false)"},
    {"dome", domeCheck,
     [](const MainWindow& window) {
       withDialog(window, domeOptionsButton, [](OptionDialog& d) {
         choose(d, domeTrainerBoxes[0], "OLのアツコ");
         choose(d, domeTrainerBoxes[2], "パイロットのマサフミ");
         choose(d, domeTrainerBoxes[5], "えんじのマユコ");
         type(d, 1005, "1");
       });
     },
     R"("domeSearch": true, "domeTrainers": [1, 0, 31, 0, 0, 52], "domeConsumptionSlack": 1)"},
};

void typeExampleMinute(const MainWindow& window) {
  typeWorkedExampleConsole(window);
  typeDates(window, {"11", "9", "27", "11", "9", "27"});
  setText(window, startHourEdit, "13");
  setText(window, endHourEdit, "13");
  setText(window, startMinuteEdit, "47");
  setText(window, endMinuteEdit, "47");
  setChecked(window, keyInputCheck, true);
}

constexpr char exampleMinuteJson[] = R"(
    "versionWord": "02215F10", "vcount": "60", "timer0": "C79", "gxStat": "6000000", "frame": 8,
    "macAddress": "00-11-22-33-44-55",
    "startYear": 11, "startMonth": 9, "startDay": 27, "endYear": 11, "endMonth": 9, "endDay": 27,
    "startHour": 13, "endHour": 13, "startMinute": 47, "endMinute": 47, "keyInputEnabled": true)";

}  // namespace

class OptionDialogSearchTest : public QObject {
  Q_OBJECT

 private slots:
  void searchAfterOkUsesTheNewOptions_data() {
    QTest::addColumn<int>("mode");
    for (std::size_t i = 0; i < modeCases.size(); ++i) QTest::newRow(modeCases[i].name) << static_cast<int>(i);
  }
  void searchAfterOkUsesTheNewOptions() {
    QFETCH(int, mode);
    const ModeCase& c = modeCases[static_cast<std::size_t>(mode)];
    ScratchDirectory dir;

    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    typeExampleMinute(window);
    if (c.modeCheck != 0) setChecked(window, c.modeCheck, true);
    c.setOptions(window);
    click(window, startButton);
    QVERIFY(ready.wait(searchTimeoutMs));
    const QByteArray fromWindow = dir.read("result.txt");
    QVERIFY(fromWindow.count("\r\n") > 1);  // a header and at least one match
    QCOMPARE(fromWindow, searchedResult(QByteArray("{") + exampleMinuteJson + ",\n" + c.options + "}"));
  }

  void dialogUsedDuringASearchCountsFromTheNextStart() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    QSignalSpy ready(&window, &MainWindow::resultFileReady);
    typeExampleMinute(window);
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
    typeExampleMinute(window);
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
    typeExampleMinute(window);
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
