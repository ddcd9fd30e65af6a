// The main window drawn with the Win32 API: every input of a search, the start/abort and
// save commands, and the "設定" buttons that open the option dialogs. It draws the
// model's description (ui/model/main_window_layout.h) and leaves what its buttons do to
// WindowCommands, which holds the one SearchSettings of the program, as the Qt window
// does.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/search_settings.h"
#include "ui/model/main_window_layout.h"
#include "ui/model/window_commands.h"
#include "ui/model/window_fields.h"
#include "ui/win32/boot_timer_window.h"
#include "ui/win32/result_table_window.h"
#include "ui/win32/ui_font.h"
#include "ui/win32/window_class.h"

namespace hanabira {

class MainWindow final : private WindowView {
 public:
  // Creates the window, not yet shown, and loads "config.txt" of the working directory
  // into the console fields.
  explicit MainWindow(EditFieldWidth editFieldWidth);
  // Closes the window if it is still open, aborting a running search.
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND handle() const { return window_; }
  SearchSettings& settings() { return commands_.settings(); }
  // What its buttons do; the option dialogs register here.
  WindowCommands& commands() { return commands_; }

  bool isSearchRunning() const { return commands_.isSearchRunning(); }
  // The table of the last search's lines, once its button has opened it.
  ResultTableWindow* resultsWindow() const { return results_.get(); }
  // The boot timer, once the results window's button has opened it.
  BootTimerWindow* timerWindow() const { return timer_.get(); }
  // The inputs as the commands read them.
  WindowFields fields() const { return commands_.fields(); }

  // Opens a finished result file in the user's viewer (SearchCommand::ResultViewer).
  void setResultViewer(SearchCommand::ResultViewer viewer) { commands_.setResultViewer(std::move(viewer)); }
  // Ends the program's message loop when the window closes.
  void quitOnClose() { quitOnClose_ = true; }

 private:
  // Finds the MainWindow that created the window, from WM_NCCREATE on.
  template <class Window>
  friend LRESULT CALLBACK routeMessages(HWND, UINT, WPARAM, LPARAM);
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void createControls(EditFieldWidth editFieldWidth);
  void showResults();
  void showTimer(const BootTarget& target);
  void paintLabels();
  void runPostedTask(LPARAM task);
  void dropPostedTasks();

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

  UiFont font_{12};
  UiFont barFont_{10};
  HWND window_ = nullptr;
  HWND searchBar_ = nullptr;
  bool quitOnClose_ = false;
  WindowCommands commands_;
  std::unique_ptr<ResultTableWindow> results_;  // goes before the table it shows, which commands_ holds
  std::unique_ptr<BootTimerWindow> timer_;      // goes before commands_, which keeps its calibration
};

// A task the search posted: a std::function<void()> the window runs and deletes.
inline constexpr UINT postedTaskMessage = WM_APP + 1;

}  // namespace hanabira
