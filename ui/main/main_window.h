// The main window: every input of a search, the start/abort and save commands, and the
// "設定" buttons that open the option dialogs.
//
// The window holds the one SearchSettings of the program. The start command copies the
// window's fields into it and searches a snapshot of it, so that whatever changes during
// a search (fields, option dialogs, a save) counts from the next start.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <map>

#include "engine/search_progress.h"
#include "core/search_settings.h"
#include "ui/main/edit_field.h"
#include "ui/main/search_progress_bar.h"
#include "ui/main/search_runner.h"
#include "ui/main/window_fields.h"

class QPushButton;

namespace hanabira {

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // Loads "config.txt" of the working directory into the console fields.
  explicit MainWindow(EditFieldWidth editFieldWidth, QWidget* parent = nullptr);
  ~MainWindow() override;

  SearchSettings& settings() { return settings_; }
  const SearchSettings& settings() const { return settings_; }

  // What a click on the button with this id does; the option dialogs register here.
  // Ids without a command are ignored.
  void setCommand(int id, std::function<void()> command);
  void runCommand(int id);

  bool isSearchRunning() const { return runner_.isBusy(); }
  // The inputs as the commands read them.
  WindowFields fields() const;

 signals:
  // A search has ended, completed or aborted, and its result file is closed and whole.
  void resultFileReady(const QString& path);

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Closing during a search aborts it and waits for it, so the program ends with the
  // window.
  void closeEvent(QCloseEvent* event) override;

 private:
  void createControls(EditFieldWidth editFieldWidth);
  void loadConfig();
  void startOrAbort();
  void save();
  void showProgress(const SearchProgress& progress);
  void searchFinished(const SearchOutcome& outcome);
  void showMessage(const QString& text);

  SearchSettings settings_;
  SearchRunner runner_;
  std::map<int, std::function<void()>> commands_;
  QPushButton* startButton_ = nullptr;
  SearchProgressBar* progressBar_ = nullptr;
  QString resultPath_;
  bool closing_ = false;
};

}  // namespace hanabira
