// Shared helpers of the main-window tests: a working directory of their own, the window's
// controls by id, and the scripts of window_scripts.h played in the window.
#pragma once

#include <QAbstractButton>
#include <QByteArray>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <array>
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

// The system's language for the windows made while it lives, as LANG names it
// ("en_US.UTF-8"; "C.UTF-8" names none), the other locale variables unset.
class SystemLanguage {
 public:
  explicit SystemLanguage(const char* lang);
  ~SystemLanguage();
  SystemLanguage(const SystemLanguage&) = delete;
  SystemLanguage& operator=(const SystemLanguage&) = delete;

 private:
  QByteArray previous_;
};

// The locales the window tests run in: none set and Japanese, which the window speaks
// Japanese in, and English.
inline constexpr std::array<const char*, 3> testedLocales = {"C.UTF-8", "ja_JP.UTF-8", "en_US.UTF-8"};

// Whether a text holds a character of Japanese script (from U+3000 on).
bool hasJapanese(const QString& text);

// Where a check box's, radio button's or label's text ends in its own coordinates, and
// how wide a push button's text may be.
int textRight(const QWidget* control);
int roomForText(const QAbstractButton& button);

QLineEdit* edit(const MainWindow& window, int id);
QAbstractButton* button(const MainWindow& window, int id);

void setText(const MainWindow& window, int id, const QString& text);
void setChecked(const MainWindow& window, int id, bool checked);
void click(const MainWindow& window, int id);
// Does the steps to the window's controls; a field's text is set, not typed.
void play(MainWindow& window, const ControlSteps& steps);

// The console of the README's example (VCount 60, Timer0 C79, GxStat 6000000, Frame 8,
// MAC 00-11-22-33-44-55), typed the way a user might.
void typeWorkedExampleConsole(const MainWindow& window);
// Start year, month, day, end year, month, day.
void typeDates(const MainWindow& window, const QStringList& dates);

}  // namespace hanabira::testing
