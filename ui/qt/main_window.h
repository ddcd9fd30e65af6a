// The main window: every input of a search, the start/abort and save commands, and the
// "設定" buttons that open the option dialogs. It draws the model's description
// (ui/model/main_window_layout.h) and leaves the search's course to SearchCommand.
//
// The window holds the one SearchSettings of the program; each start reads the fields
// into it.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <map>

#include "core/search_settings.h"
#include "ui/model/search_command.h"
#include "ui/model/window_fields.h"
#include "ui/qt/edit_field.h"

class QPushButton;

namespace hanabira {

class SearchProgressBar;

class MainWindow : public QWidget, private SearchView {
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

  bool isSearchRunning() const { return search_.isRunning(); }

  // Opens a finished result file in the user's viewer; false when none could. Without
  // one (tests, HANABIRA_NO_VIEWER=1) the window opens nothing and says nothing.
  using ResultViewer = std::function<bool(const QString& path)>;
  void setResultViewer(ResultViewer viewer) { viewer_ = std::move(viewer); }
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
  void save();

  // SearchView
  void showStartCaption(std::string_view caption) override;
  void showTitle(std::string_view title) override;
  void showProgressBar(const ProgressBarState& bar) override;
  void showMessage(const std::string& text) override;
  void resultFileWritten(const std::filesystem::path& path) override;

  SearchSettings settings_;
  std::map<int, std::function<void()>> commands_;
  ResultViewer viewer_;
  QPushButton* startButton_ = nullptr;
  SearchProgressBar* progressBar_ = nullptr;
  SearchCommand search_;
};

}  // namespace hanabira
