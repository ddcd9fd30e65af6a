#include "dialog_test_support.h"

#include <QTest>

#include <nlohmann/json.hpp>

#include "engine/settings_json.h"
#include "ui/qt/qt_strings.h"

namespace hanabira::testing {
namespace {

template <typename Control>
Control* control(const OptionDialog& dialog, int id) {
  auto* found = dialog.findChild<Control*>(controlName(id));
  if (found == nullptr) qFatal("dialog %s has no such control %d", qPrintable(dialog.objectName()), id);
  return found;
}

}  // namespace

OptionDialog* openDialog(const MainWindow& window, int command) {
  QTest::mouseClick(window.findChild<QAbstractButton*>(controlName(command)), Qt::LeftButton);
  for (OptionDialog* dialog : window.findChildren<OptionDialog*>()) {
    if (dialog->isVisible()) return dialog;
  }
  qFatal("command %d opened no dialog", command);
}

QLineEdit* field(const OptionDialog& dialog, int id) { return control<QLineEdit>(dialog, id); }
QComboBox* choiceBox(const OptionDialog& dialog, int id) { return control<QComboBox>(dialog, id); }
QAbstractButton* button(const OptionDialog& dialog, int id) { return control<QAbstractButton>(dialog, id); }

void type(const OptionDialog& dialog, int id, const QString& text) {
  QLineEdit* edit = field(dialog, id);
  edit->selectAll();
  edit->del();
  QTest::keyClicks(edit, text);
}

void setChecked(const OptionDialog& dialog, int id, bool checked) { button(dialog, id)->setChecked(checked); }

void choose(const OptionDialog& dialog, int id, const QString& item) {
  QComboBox* box = choiceBox(dialog, id);
  const int index = box->findText(item);
  if (index < 0) qFatal("no item %s in box %d", qPrintable(item), id);
  box->setCurrentIndex(index);
}

void play(const OptionDialog& dialog, const ControlSteps& steps) {
  for (const ControlStep& step : steps) {
    switch (step.action) {
      case ControlStep::Action::Type:
        type(dialog, step.id, toQString(step.text));
        break;
      case ControlStep::Action::Click:
        QTest::mouseClick(button(dialog, step.id), Qt::LeftButton);
        break;
      case ControlStep::Action::Check:
        setChecked(dialog, step.id, true);
        break;
      case ControlStep::Action::Choose:
        choose(dialog, step.id, toQString(step.text));
        break;
      case ControlStep::Action::Command:
        qFatal("the main window's commands are not a dialog's");
    }
  }
}

void pressOk(const OptionDialog& dialog) { QTest::mouseClick(button(dialog, dialogOkButton), Qt::LeftButton); }
void pressCancel(const OptionDialog& dialog) { QTest::mouseClick(button(dialog, dialogCancelButton), Qt::LeftButton); }

QString settingsText(const SearchSettings& settings) {
  QString text;
  const nlohmann::ordered_json fields = settingsToJson(settings);
  for (const auto& [key, value] : fields.items()) {
    text += QString::fromStdString(key + ": " + value.dump() + "\n");
  }
  return text;
}

}  // namespace hanabira::testing
