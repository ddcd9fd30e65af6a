#include "gui_test_support.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <nlohmann/json.hpp>

#include "cli/settings_json.h"
#include "engine/result_sink.h"
#include "engine/search_engine.h"
#include "engine/settings_validation.h"

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

QByteArray searchedResult(const QByteArray& settingsJson) {
  SettingsFromJson loaded = settingsFromJson(parseSettingsText(settingsJson.toStdString()), SearchSettings{});
  if (!loaded.messageWordsGiven) applyMacAddress(loaded.settings, loaded.mac.value_or(MacAddress{}));
  clampPidConsumption(loaded.settings);
  StringSink result;
  runSearch(loaded.settings, result);
  return QByteArray::fromStdString(result.text());
}

}  // namespace hanabira::testing
