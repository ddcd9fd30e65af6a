// The main window drawn with the Win32 API: every input of a search, the start/abort and
// save commands, and the "設定" buttons that open the option dialogs. It draws the
// model's description (ui/model/main_window_layout.h) and leaves the search's course to
// SearchCommand, as the Qt window does.
//
// The window holds the one SearchSettings of the program; each start reads the fields
// into it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/search_settings.h"
#include "ui/model/main_window_layout.h"
#include "ui/model/search_command.h"
#include "ui/model/window_fields.h"
#include "ui/win32/ui_font.h"

namespace hanabira {

class MainWindow final : private SearchView {
 public:
  // Creates the window, not yet shown, and loads "config.txt" of the working directory
  // into the console fields.
  explicit MainWindow(EditFieldWidth editFieldWidth);
  // Closes the window if it is still open, aborting a running search.
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND handle() const { return window_; }
  SearchSettings& settings() { return settings_; }

  // What a click on the button with this id does; the option dialogs register here.
  void setCommand(int id, std::function<void()> command);
  void runCommand(int id);

  bool isSearchRunning() const { return search_.isRunning(); }
  // The inputs as the commands read them.
  WindowFields fields() const;

  // Opens a finished result file in the user's viewer; false when none could. Without
  // one (tests, HANABIRA_NO_VIEWER=1) the window opens nothing and says nothing.
  using ResultViewer = std::function<bool(const std::filesystem::path&)>;
  void setResultViewer(ResultViewer viewer) { viewer_ = std::move(viewer); }
  // Ends the program's message loop when the window closes.
  void quitOnClose() { quitOnClose_ = true; }

 private:
  // Finds the MainWindow that created the window, from WM_NCCREATE on.
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void createControls(EditFieldWidth editFieldWidth);
  void paintLabels();
  void loadConfig();
  void save();
  void runPostedTask(LPARAM task);
  void dropPostedTasks();

  // SearchView
  void showStartCaption(std::string_view caption) override;
  void showTitle(std::string_view title) override;
  void showProgressBar(const ProgressBarState& bar) override;
  void showMessage(const std::string& text) override;
  void resultFileWritten(const std::filesystem::path& path) override;

  UiFont font_{12};
  UiFont barFont_{10};
  HWND window_ = nullptr;
  HWND searchBar_ = nullptr;
  SearchSettings settings_;
  std::map<int, std::function<void()>> commands_;
  ResultViewer viewer_;
  bool quitOnClose_ = false;
  SearchCommand search_;
};

// A task the search posted: a std::function<void()> the window runs and deletes.
inline constexpr UINT postedTaskMessage = WM_APP + 1;

}  // namespace hanabira
