// What every option dialog shares: opened by its "設定" button, its title, size and
// controls laid out in dialog units, Tab and the first focus, OK, キャンセル, Escape and the
// close box, one dialog at a time.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string_view>
#include <vector>

#include "dialog_test_support.h"
#include "gui_test_support.h"
#include "i18n/translate.h"
#include "ui/model/console_dialog.h"
#include "ui/qt/dialog_geometry.h"

namespace hanabira {
namespace {

using namespace hanabira::testing;

struct DialogCase {
  int command;
  int id;
  QString title;
  std::vector<int> tabStops;  // written out from the dialogs' designs, not computed
};

const std::vector<DialogCase> dialogCases = {
    {1103, 101, "色違い性格値検索", {1005, 1006, 1007, 1001, 1, 2}},
    {1104,
     102,
     "遺伝込みで検索",
     {1, 2, 1026, 1005, 1006, 1023, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1024, 1025}},
    {1105, 103, "すいせいのかけら設定", {1, 2, 1001}},
    {1106,
     105,
     "キー入力パターン",
     {1, 2, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1012, 1013, 1011, 1014}},
    {1107, 106, "ライモンドーム設定", {1, 2, 1007, 1021, 1024, 1025, 1026, 1008, 1005}},
    {1108, 107, "配達員", {1, 2, 1005, 1007, 1001, 1006, 1023}},
};

// The console dialog, laid out as the others are; its own tests cover the rest.
const DialogCase consoleCase = {consoleButton, consoleDialog, "本体の設定", {}};

const OptionDialogDesign& designOf(int id) {
  for (const OptionDialogDesign& design : optionDialogDesigns) {
    if (design.id == id) return design;
  }
  if (id == consoleDialog) return consoleDialogDesign;
  qFatal("no dialog %d", id);
}

QString labelOf(const QWidget* control) {
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  return {};
}

// A label's text ends before the controls a user clicks to its right on its line.
bool labelTextIsClear(const QWidget* label, const std::vector<QWidget*>& controls) {
  const QRect text(label->pos(), QSize(textRight(label), label->fontMetrics().height()));
  return std::none_of(controls.begin(), controls.end(), [&](const QWidget* other) {
    return qobject_cast<const QLabel*>(other) == nullptr && other->x() > label->x() &&
           other->geometry().intersects(text);
  });
}

// Changes every control of the dialog: other texts, every box and button toggled, the
// last item of every choice box.
void changeEverything(const OptionDialog& dialog) {
  for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) edit->setText("7");
  for (QComboBox* box : dialog.findChildren<QComboBox*>()) box->setCurrentIndex(box->count() - 1);
  for (QCheckBox* check : dialog.findChildren<QCheckBox*>()) check->toggle();
  const QList<QRadioButton*> radios = dialog.findChildren<QRadioButton*>();
  for (QRadioButton* radio : radios) {
    if (!radio->isChecked()) {
      radio->setChecked(true);
      break;
    }
  }
}

// Settings far from the defaults, each within what the dialogs can show.
SearchSettings unusualOptions() {
  SearchSettings s;
  s.trainerId = 65535;
  s.secretId = 1;
  s.shinyNature = 25;
  s.shinyEncounterKind = 3;
  s.idCorrection = true;
  s.firstParentIvs = {0, 1, 2, 30, 31, -5};
  s.secondParentIvs = {99, 0, 12345678, 31, 31, 0};
  s.withoutDitto = true;
  s.eggNature = -1;
  s.eggAbility = 3;
  s.eggGenderRatio = 8;
  s.compoundEyes = false;
  s.domeTrainers = {1, 52, 0, 26, 52, 3};
  s.domeConsumptionSlack = -1;
  s.deliveryNaturePosition = 123456789;
  s.deliveryNature = 14;
  s.deliveryShiny = true;
  s.deliveryTrainerId = 54321;
  s.deliverySecretId = 65535;
  s.keyAllowed = {true, false, true, false, false, true, true, false, true, false, true, false};
  s.keyXYEnabled = true;
  s.keyCountMax = 12;
  s.excludeOppositeAndReset = false;
  return s;
}

// A dialog as it opens: its title, its size, and each control where the design puts
// it, its text whole.
void checkDialog(const MainWindow& window, const DialogCase& c, bool english) {
  OptionDialog* dialog = openDialog(window, c.command);
  QCOMPARE(dialog->objectName(), QString::number(c.id));
  if (english) {
    QVERIFY2(!hasJapanese(dialog->windowTitle()), qPrintable(dialog->windowTitle()));
  } else {
    QCOMPARE(dialog->windowTitle(), c.title);
  }
  QVERIFY(dialog->isModal());
  QCOMPARE(dialog->parent(), &window);
  QVERIFY(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

  const OptionDialogDesign& design = designOf(c.id);
  const DialogUnits units = dialogUnitsOf(dialog->fontMetrics());
  QCOMPARE(dialog->minimumSize(), toQSize(units.toPixels(design.width, design.height)));
  QCOMPARE(dialog->maximumSize(), dialog->minimumSize());

  std::vector<QWidget*> controls;
  for (QObject* child : dialog->children()) {
    if (auto* widget = qobject_cast<QWidget*>(child)) controls.push_back(widget);
  }
  QCOMPARE(controls.size(), design.controls.size());
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const DialogControl& place = design.controls[i];
    const QWidget* control = controls[i];
    QCOMPARE(control->objectName(), place.id == 0 ? QString() : QString::number(place.id));
    // A table's label names its columns.
    if (place.kind != DialogControlKind::Table) QCOMPARE(labelOf(control), toQString(hanabira::tr(place.label)));
    const QRect expected = toQRect(units.toPixels(place.x, place.y, place.width, place.height));
    QCOMPARE(control->pos(), expected.topLeft());
    if (place.kind == DialogControlKind::Label || place.kind == DialogControlKind::CheckBox ||
        place.kind == DialogControlKind::RadioButton) {
      // Grown where the text needs it, never cut.
      QVERIFY(control->width() >= expected.width());
      QVERIFY2(textRight(control) <= control->width(), qPrintable(labelOf(control)));
      QVERIFY2(place.kind != DialogControlKind::Label || labelTextIsClear(control, controls),
               qPrintable(labelOf(control)));
    } else {
      QCOMPARE(control->width(), expected.width());
    }
    if (place.kind != DialogControlKind::ChoiceBox) QCOMPARE(control->height(), expected.height());
    QVERIFY(dialog->rect().contains(control->geometry()));
    // Controls a user clicks never lie on top of each other (a label's box may reach
    // into the field it names, as the layouts draw it).
    for (std::size_t j = 0; j < i && place.kind != DialogControlKind::Label; ++j) {
      if (design.controls[j].kind == DialogControlKind::Label) continue;
      QVERIFY2(!controls[j]->geometry().intersects(control->geometry()),
               qPrintable(labelOf(controls[j]) + " overlaps " + labelOf(control)));
    }
  }
  for (const QPushButton* push : dialog->findChildren<QPushButton*>()) {
    QVERIFY2(push->fontMetrics().horizontalAdvance(push->text()) <= roomForText(*push), qPrintable(push->text()));
  }
  for (const QComboBox* box : dialog->findChildren<QComboBox*>()) {
    QVERIFY(!box->isEditable());
    if (c.id != consoleDialog) QCOMPARE(box->itemText(0), english ? QStringLiteral("Any") : QStringLiteral("指定無し"));
  }
  QVERIFY(qobject_cast<QPushButton*>(button(*dialog, dialogOkButton))->isDefault());
  QCOMPARE(button(*dialog, dialogCancelButton)->text(),
           english ? QStringLiteral("Cancel") : QStringLiteral("キャンセル"));
  pressCancel(*dialog);
  QVERIFY(!dialog->isVisible());
}

}  // namespace

class OptionDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void dialogUnitsFollowTheFont() {
    // The layouts give a full-width character eight units, two average characters; a
    // Japanese font's own average width is already that of a full-width character.
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(11);
    const QFontMetrics metrics(font);
    QVERIFY(std::abs(dialogUnitsOf(metrics).toPixelsX(8) - metrics.horizontalAdvance(QStringLiteral("性"))) <= 1);
    QCOMPARE(dialogUnitsOf(metrics).toPixelsY(8), metrics.height());
  }

  // In both languages: each text whole, none of them under another control.
  void everyButtonOpensItsDialogWithItsControlsInCreationOrder() {
    for (const char* locale : testedLocales) {
      const SystemLanguage system(locale);
      ScratchDirectory dir;
      MainWindow window(EditFieldWidth::FitsVisibleWidth);
      installOptionDialogs(window);
      const bool english = std::string_view(locale).starts_with("en");
      std::vector<DialogCase> cases = dialogCases;
      cases.push_back(consoleCase);
      for (const DialogCase& c : cases) {
        checkDialog(window, c, english);
        if (QTest::currentTestFailed()) return;
      }
    }
  }

  void tabVisitsTheTabStopsInCreationOrderFromTheFirst() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (const DialogCase& c : dialogCases) {
      OptionDialog* dialog = openDialog(window, c.command);
      QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(dialog));
      QCOMPARE(QApplication::focusWidget()->objectName(), QString::number(c.tabStops.front()));
      for (std::size_t i = 1; i <= c.tabStops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::number(c.tabStops[i % c.tabStops.size()]));
      }
      for (std::size_t i = c.tabStops.size(); i-- > 0;) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::number(c.tabStops[i]));
      }
      pressCancel(*dialog);
    }
  }

  void cancelEscapeAndTheCloseBoxStoreNothing() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    window.show();
    const QString before = settingsText(window.settings());
    for (const DialogCase& c : dialogCases) {
      const std::vector<std::function<void(OptionDialog&)>> leaves = {
          [](OptionDialog& dialog) { pressCancel(dialog); },
          [](OptionDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
          [](OptionDialog& dialog) { dialog.close(); },
      };
      for (const auto& leave : leaves) {
        OptionDialog* dialog = openDialog(window, c.command);
        changeEverything(*dialog);
        leave(*dialog);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(settingsText(window.settings()), before);
      }
    }
  }

  void okWithoutChangesStoresWhatWasShown() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    for (const SearchSettings& start : {SearchSettings{}, unusualOptions()}) {
      window.settings() = start;
      for (const DialogCase& c : dialogCases) {
        OptionDialog* dialog = openDialog(window, c.command);
        pressOk(*dialog);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(settingsText(window.settings()), settingsText(start));
      }
    }
  }

  void enterPressesOkAndTheNextOpeningShowsWhatItStored() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    window.show();
    OptionDialog* dialog = openDialog(window, 1107);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(dialog));
    choiceBox(*dialog, 1024)->setFocus();
    choose(*dialog, 1024, "OLのアツコ");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(window.settings().domeTrainers[2], 1);
    dialog = openDialog(window, 1107);
    QCOMPARE(choiceBox(*dialog, 1024)->currentText(), QStringLiteral("OLのアツコ"));
  }

  void onlyOneDialogIsOpenAtATime() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    installOptionDialogs(window);
    OptionDialog* first = openDialog(window, 1103);
    QCOMPARE(openOptionDialog(designOf(105), window), nullptr);
    pressCancel(*first);
    OptionDialog* second = openOptionDialog(designOf(105), window);
    QVERIFY(second != nullptr);
    QCOMPARE(second->objectName(), QStringLiteral("105"));
    QTRY_COMPARE(window.findChildren<OptionDialog*>().size(), 1);  // the closed one is gone
  }
};

}  // namespace hanabira

QTEST_MAIN(hanabira::OptionDialogTest)
#include "option_dialog_test.moc"
