// Shared helpers of the main-window tests: a working directory of their own, the window's
// controls by id, and the scripts of window_scripts.h played in the window.
#pragma once

#include <QAbstractButton>
#include <QByteArray>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

#include "ui/model/control_ids.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_strings.h"
#include "window_scripts.h"

namespace hanabira::testing {

// Makes a fresh temporary directory the working directory ("config.txt", "result.txt")
// for as long as it lives.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  QString path(const QString& name) const { return dir_.filePath(name); }
  void write(const QString& name, const QByteArray& bytes) const;
  QByteArray read(const QString& name) const;

 private:
  QTemporaryDir dir_;
  QString previous_;
};

QLineEdit* edit(const MainWindow& window, int id);
QAbstractButton* button(const MainWindow& window, int id);

void setText(const MainWindow& window, int id, const QString& text);
void setChecked(const MainWindow& window, int id, bool checked);
void click(const MainWindow& window, int id);
// Does the steps to the window's controls; a field's text is set, not typed.
void play(const MainWindow& window, const ControlSteps& steps);

// The console of the README's example (VCount 60, Timer0 C79, GxStat 6000000, Frame 8,
// MAC 00-11-22-33-44-55), typed the way a user might.
void typeWorkedExampleConsole(const MainWindow& window);
// Start year, month, day, end year, month, day.
void typeDates(const MainWindow& window, const QStringList& dates);

}  // namespace hanabira::testing
