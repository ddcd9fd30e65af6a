// The main window as it opens: its frame, every control with its id, kind, text and
// order, the tab order, the painted labels, and the two kinds of edit field.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <vector>

#include "gui_test_support.h"
#include "i18n/translate.h"
#include "ui/model/main_window_layout.h"
#include "vocab/names.h"

namespace hanabira {
namespace {

using namespace hanabira::testing;

// The tab stops in creation order: edit fields, check boxes and the combo box, but no
// button; written out from the window's design.
const std::vector<int> tabStops = {1003, 1004, 1005, 1006, 1007, 1008, 1000, 1001, 1002, 1029, 1009, 1010, 1011,
                                   1018, 1019, 1020, 956,  953,  1030, 1033, 1031, 1034, 1032, 1035, 1027, 1028,
                                   1012, 1021, 1013, 1022, 1014, 1023, 1015, 1024, 1016, 1025, 1017, 1026, 922,
                                   1040, 931,  1038, 1039, 930,  932,  952,  954,  955,  923,  957};

const char* classOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Edit:
      return "hanabira::EditField";
    case ControlKind::CheckBox:
      return "QCheckBox";
    case ControlKind::PushButton:
      return "QPushButton";
    case ControlKind::ComboBox:
      return "QComboBox";
    case ControlKind::RadioButton:
      return "QRadioButton";
  }
  return "";
}

QString textOf(const QWidget* control) {
  if (const auto* field = qobject_cast<const QLineEdit*>(control)) return field->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  if (const auto* combo = qobject_cast<const QComboBox*>(control)) return combo->currentText();
  return {};
}

// A check box's or radio button's text within its box, a push button's within its frame.
bool textFits(const QWidget* control) {
  const auto* pushButton = qobject_cast<const QPushButton*>(control);
  if (pushButton != nullptr)
    return control->fontMetrics().horizontalAdvance(pushButton->text()) <= roomForText(*pushButton);
  if (qobject_cast<const QAbstractButton*>(control) == nullptr) return true;
  return textRight(control) <= control->width();
}

// Where a painted label's text has to end: at the first control or label to its right
// on its line.
int rightLimit(const MainWindow& window, const PaintedLabel& label) {
  const int height = window.fontMetrics().height();
  int limit = mainWindowWidth;
  auto stopAt = [&](int x, int top, int bottom) {
    if (x > label.x && top < label.y + height && bottom > label.y) limit = std::min(limit, x);
  };
  for (const ControlPlace& place : mainWindowControls) stopAt(place.x, place.y, place.y + place.height);
  for (const PaintedLabel& other : mainWindowLabels) stopAt(other.x, other.y, other.y + height);
  return limit;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void windowHasAFixedSizeAndNoMaximizeButton() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    QCOMPARE(window.windowTitle(), QStringLiteral("Hanabira ver1.05"));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  }

  // In both languages; each text whole in its control, and each painted label clear of
  // whatever stands to its right.
  void everyControlInCreationOrderWithItsInitialText() {
    struct WindowLanguage {
      const char* locale;
      QStringList comboItems;  // the first, the fifth and the last
    };
    const QStringList japanese = {"指定無し", "じめん", "あく"};
    const std::vector<WindowLanguage> languages = {
        {testedLocales[0], japanese}, {testedLocales[1], japanese}, {testedLocales[2], {"Any", "Ground", "Dark"}}};
    for (const WindowLanguage& language : languages) {
      const SystemLanguage system(language.locale);
      ScratchDirectory dir;  // no "config.txt"
      MainWindow window(EditFieldWidth::FitsVisibleWidth);
      QCOMPARE(window.windowTitle(), QStringLiteral("Hanabira ver1.05"));
      std::vector<QWidget*> controls;
      for (QObject* child : window.children()) {
        if (child->objectName().toInt() > 0) controls.push_back(qobject_cast<QWidget*>(child));
      }
      QCOMPARE(controls.size(), mainWindowControls.size());
      for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlPlace& place = mainWindowControls[i];
        QCOMPARE(controls[i]->objectName(), QString::number(place.id));
        QCOMPARE(QByteArray(controls[i]->metaObject()->className()), QByteArray(classOf(place.kind)));
        const QString initialText = place.id == hiddenPowerCombo ? language.comboItems[0]
                                    : place.id == profileCombo   ? toQString(hanabira::tr("No profile"))
                                                                 : toQString(hanabira::tr(place.text));
        QCOMPARE(textOf(controls[i]), initialText);
        QCOMPARE(controls[i]->geometry(), QRect(place.x, place.y, place.width, place.height));
        QVERIFY2(textFits(controls[i]), qPrintable(textOf(controls[i])));
      }
      for (const PaintedLabel& label : mainWindowLabels) {
        const QString text = toQString(hanabira::tr(label.text));
        QVERIFY2(label.x + window.fontMetrics().horizontalAdvance(text) <= rightLimit(window, label), qPrintable(text));
      }

      const auto* combo = window.findChild<QComboBox*>("922");
      QCOMPARE(combo->count(), 17);
      QVERIFY(!combo->isEditable());
      QCOMPARE(combo->itemText(4), language.comboItems[1]);
      QCOMPARE(combo->itemText(16), language.comboItems[2]);

      // Without "config.txt" the console fields are empty and Black is chosen.
      QVERIFY(button(window, blackRadio)->isChecked());
      QVERIFY(!button(window, whiteRadio)->isChecked());
      for (int id : {956, 953, 931, 930, 932, 952, 954, 955}) QVERIFY(!button(window, id)->isChecked());
    }
  }

  void initialTextsReadAsTheDefaultSettings() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    SearchSettings read = window.settings();
    readStartFields(window.fields(), read);
    const SearchSettings defaults;
    QCOMPARE(read.endHour, defaults.endHour);
    QCOMPARE(read.endMinute, defaults.endMinute);
    QCOMPARE(read.endSecond, defaults.endSecond);
    QVERIFY(read.ivMax == defaults.ivMax && read.ivMin == defaults.ivMin);
    QCOMPARE(read.hiddenPowerType, defaults.hiddenPowerType);
    QCOMPARE(read.hiddenPowerMinPower, defaults.hiddenPowerMinPower);
    QCOMPARE(read.ivConsumptionMin, defaults.ivConsumptionMin);
    QCOMPARE(read.ivConsumptionMax, defaults.ivConsumptionMax);
    QCOMPARE(read.pidConsumptionMin, defaults.pidConsumptionMin);
    QCOMPARE(read.pidConsumptionMax, defaults.pidConsumptionMax);
    QCOMPARE(read.versionWord, blackVersionWord);
    QCOMPARE(read.startYear, 0);
  }

  void tabVisitsFieldsCheckBoxesAndTheComboInCreationOrder() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit(window, macEdits)->setFocus();
    for (std::size_t i = 1; i <= tabStops.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      // wraps round to the first
      QCOMPARE(QApplication::focusWidget()->objectName(), QString::number(tabStops[i % tabStops.size()]));
    }
    for (std::size_t i = tabStops.size(); i-- > 0;) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
      QCOMPARE(QApplication::focusWidget()->objectName(), QString::number(tabStops[i]));
    }
    QCOMPARE(window.findChild<QProgressBar*>()->focusPolicy(), Qt::NoFocus);
  }

  void labelsArePaintedOnAWhiteWindow() {
    ScratchDirectory dir;
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    const QImage image = window.grab().toImage();
    auto inkIn = [&](const QRect& area) {
      for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
          if (qGray(image.pixel(x, y)) < 128) return true;
        }
      }
      return false;
    };
    for (const PaintedLabel& label : mainWindowLabels) {
      QVERIFY2(inkIn(QRect(label.x, label.y, 8, 16)), label.text.data());
    }
    QCOMPARE(QColor(image.pixel(10, 290)), QColor(Qt::white));  // between the rows
    QVERIFY(!inkIn(QRect(440, 130, 180, 20)));                  // right of the time row: nothing drawn
  }

  void fieldsTakeWhatTheyShowOrScroll() {
    ScratchDirectory dir;
    MainWindow fitting(EditFieldWidth::FitsVisibleWidth);
    MainWindow scrolling(EditFieldWidth::ScrollsHorizontally);
    auto type = [](const MainWindow& window, int id, const QString& text) {
      edit(window, id)->clear();
      QTest::keyClicks(edit(window, id), text);
      return edit(window, id)->text();
    };

    // Each field shows in full what its value takes.
    for (const ControlStep& step : wholeFieldTexts) {
      QCOMPARE(type(fitting, step.id, toQString(step.text)), toQString(step.text));
    }

    // Typing stops where the visible width ends; hanabira-hscroll scrolls on.
    QCOMPARE(type(fitting, startYearEdit, "2011"), QStringLiteral("20"));
    QCOMPARE(type(fitting, ivMaxEdits, "311"), QStringLiteral("31"));
    QCOMPARE(type(scrolling, startYearEdit, "2011"), QStringLiteral("2011"));
    QCOMPARE(type(scrolling, ivMaxEdits, "0x1f and more"), QStringLiteral("0x1f and more"));

    // A field left shows the beginning of its text, the part that is read.
    scrolling.show();
    scrolling.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&scrolling));
    edit(scrolling, ivMaxEdits)->setFocus();
    QCOMPARE(edit(scrolling, ivMaxEdits)->cursorPosition(), 13);
    edit(scrolling, startYearEdit)->setFocus();
    QCOMPARE(edit(scrolling, ivMaxEdits)->cursorPosition(), 0);
  }

  void listsOpenTenItemsTallAndMessagesKeepTheirLines() {
    ScratchDirectory dir;
    QVERIFY(QDir().mkdir("config.txt"));  // a message as the window opens
    MainWindow window(EditFieldWidth::FitsVisibleWidth);
    window.show();
    auto* combo = window.findChild<QComboBox*>(controlName(hiddenPowerCombo));
    combo->showPopup();
    const QAbstractItemView* list = combo->view();
    QTRY_VERIFY(list->isVisible());
    QVERIFY2(list->height() <= (openedListItems + 1) * list->sizeHintForRow(0),
             qPrintable(QString::number(list->height())));
    combo->hidePopup();

    auto* box = window.findChild<QMessageBox*>();
    QVERIFY(box != nullptr);
    QTRY_VERIFY(box->isVisible());
    QVERIFY(!box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->wordWrap());
    box->close();
  }
};

}  // namespace hanabira

QTEST_MAIN(hanabira::MainWindowTest)
#include "main_window_test.moc"
