// The main window: every input of a search, the start/abort and save commands, and the
// "設定" buttons that open the option dialogs. It draws the model's description
// (ui/model/main_window_layout.h) and leaves what its buttons do to WindowCommands,
// which holds the one SearchSettings of the program.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

#include "core/search_settings.h"
#include "ui/model/window_commands.h"
#include "ui/model/window_fields.h"
#include "ui/qt/edit_field.h"

class QPushButton;

namespace hanabira {

class BootTimerWindow;
class ResultTableWindow;
class SearchProgressBar;

class MainWindow : public QWidget, private WindowView {
  Q_OBJECT

 public:
  // Loads "config.txt" of the working directory into the console fields.
  explicit MainWindow(EditFieldWidth editFieldWidth, QWidget* parent = nullptr);
  ~MainWindow() override;

  SearchSettings& settings() { return commands_.settings(); }
  const SearchSettings& settings() const { return commands_.settings(); }
  // What its buttons do; the option dialogs register here.
  WindowCommands& commands() { return commands_; }

  bool isSearchRunning() const { return commands_.isSearchRunning(); }
  // The table of the last search's lines, once its button has opened it.
  ResultTableWindow* resultsWindow() const { return resultsWindow_; }
  // The boot timer, once the results window's button has opened it.
  BootTimerWindow* timerWindow() const { return timerWindow_; }

  // Opens a finished result file in the user's viewer (SearchCommand::ResultViewer).
  using ResultViewer = std::function<bool(const QString& path)>;
  void setResultViewer(const ResultViewer& viewer);
  // The inputs as the commands read them.
  WindowFields fields() const { return commands_.fields(); }

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
  void showResults();
  void showTimer(const BootTarget& target);

  // WindowView
  std::string fieldText(int id) const override;
  bool isChecked(int id) const override;
  int selectedItem(int id) const override;
  void showFieldText(int id, std::string_view text) override;
  void showChecked(int id, bool checked) override;
  void showItems(int id, const std::vector<std::string>& items, int selected) override;
  int chooseFromMenu(const std::vector<Submenu>& menu, int anchor) override;
  std::optional<std::string> askText(const std::string& question, const std::string& text) override;
  bool confirm(const std::string& question) override;
  std::optional<std::filesystem::path> chooseJsonFile(FileUse use) override;
  void showTexts() override;
  void showStartCaption(std::string_view caption) override;
  void showTitle(std::string_view title) override;
  void showProgressBar(const ProgressBarState& bar) override;
  void showMessage(const std::string& text) override;
  void resultFileWritten(const std::filesystem::path& path) override;

  QPushButton* startButton_ = nullptr;
  SearchProgressBar* progressBar_ = nullptr;
  ResultTableWindow* resultsWindow_ = nullptr;
  BootTimerWindow* timerWindow_ = nullptr;
  WindowCommands commands_;
};

}  // namespace hanabira
