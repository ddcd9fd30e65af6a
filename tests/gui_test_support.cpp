#include "gui_test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace hanabira::testing {

ScratchDirectory::ScratchDirectory() : previous_(QDir::currentPath()) {
  if (!dir_.isValid() || !QDir::setCurrent(dir_.path())) qFatal("cannot make a scratch working directory");
}

ScratchDirectory::~ScratchDirectory() { QDir::setCurrent(previous_); }

void ScratchDirectory::write(const QString& name, const QByteArray& bytes) const {
  QFile file(path(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write a test file");
}

QByteArray ScratchDirectory::read(const QString& name) const {
  QFile file(path(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

SystemLanguage::SystemLanguage(const char* lang) : previous_(qgetenv("LANG")) {
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) qunsetenv(name);
  qputenv("LANG", lang);
}

SystemLanguage::~SystemLanguage() { qputenv("LANG", previous_); }

bool hasJapanese(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

int textRight(const QWidget* control) {
  const auto* label = qobject_cast<const QLabel*>(control);
  const auto* button = qobject_cast<const QAbstractButton*>(control);
  const QString text = label != nullptr ? label->text() : button->text();
  const int textWidth = control->fontMetrics().horizontalAdvance(text);
  if (button == nullptr) return textWidth;
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = text;
  const auto contents = qobject_cast<const QRadioButton*>(control) != nullptr ? QStyle::SE_RadioButtonContents
                                                                              : QStyle::SE_CheckBoxContents;
  return control->style()->subElementRect(contents, &option, control).left() + textWidth;
}

int roomForText(const QAbstractButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width();
}

QLineEdit* edit(const MainWindow& window, int id) {
  auto* field = window.findChild<QLineEdit*>(controlName(id));
  if (field == nullptr) qFatal("no edit field %d", id);
  return field;
}

QAbstractButton* button(const MainWindow& window, int id) {
  auto* found = window.findChild<QAbstractButton*>(controlName(id));
  if (found == nullptr) qFatal("no button %d", id);
  return found;
}

void setText(const MainWindow& window, int id, const QString& text) { edit(window, id)->setText(text); }

void setChecked(const MainWindow& window, int id, bool checked) { button(window, id)->setChecked(checked); }

void click(const MainWindow& window, int id) { QTest::mouseClick(button(window, id), Qt::LeftButton); }

void typeWorkedExampleConsole(const MainWindow& window) {
  setText(window, vcountEdit, "60");
  setText(window, timer0Edit, "0c79");
  setText(window, gxStatEdit, "6000000");
  setText(window, frameEdit, "8");
  const char* mac[] = {"00", "11", "22", "33", "44", "55"};
  for (int k = 0; k < 6; ++k) setText(window, macEdits + k, mac[k]);
}

void typeDates(const MainWindow& window, const QStringList& dates) {
  const int ids[] = {startYearEdit, startMonthEdit, startDayEdit, endYearEdit, endMonthEdit, endDayEdit};
  for (int i = 0; i < 6; ++i) setText(window, ids[i], dates[i]);
}

void play(MainWindow& window, const ControlSteps& steps) {
  for (const ControlStep& step : steps) {
    switch (step.action) {
      case ControlStep::Action::Type:
        setText(window, step.id, toQString(step.text));
        break;
      case ControlStep::Action::Click:
        click(window, step.id);
        break;
      case ControlStep::Action::Check:
        setChecked(window, step.id, true);
        break;
      case ControlStep::Action::Choose: {
        auto* box = window.findChild<QComboBox*>(controlName(step.id));
        const int index = box != nullptr ? box->findText(toQString(step.text)) : -1;
        if (index < 0) qFatal("no item %s in box %d", qPrintable(toQString(step.text)), step.id);
        box->setCurrentIndex(index);
        emit box->activated(index);  // as the user's choice
        break;
      }
      case ControlStep::Action::Command: {
        // The question the command asks is answered once its dialog runs.
        QTimer::singleShot(0, [text = toQString(step.text)] {
          auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
          if (dialog == nullptr) qFatal("no question asked");
          dialog->setTextValue(text);
          dialog->accept();
        });
        window.commands().runCommand(step.id);
        break;
      }
    }
  }
}

}  // namespace hanabira::testing
