// The main window's course, whatever draws it: the one SearchSettings of the program,
// config.txt loaded as the window opens and saved by 保存, the start/abort button
// (SearchCommand), and the buttons that open the option dialogs. The front end draws
// the controls (WindowView) and forwards their clicks here.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "core/search_settings.h"
#include "ui/model/boot_timer_panel.h"
#include "ui/model/config_file.h"
#include "ui/model/option_dialog_flow.h"
#include "ui/model/profile_commands.h"
#include "ui/model/search_command.h"
#include "ui/model/window_fields.h"
#include "ui/model/window_languages.h"

namespace hanabira {

// The window's controls as the front end draws them, read and set by id (texts UTF-8),
// and what it shows of a search.
class WindowView : public SearchView {
 public:
  virtual std::string fieldText(int id) const = 0;
  virtual bool isChecked(int id) const = 0;    // a check box or a radio button
  virtual int selectedItem(int id) const = 0;  // a combo box
  virtual void showFieldText(int id, std::string_view text) = 0;
  virtual void showChecked(int id, bool checked) = 0;
  // Replaces a combo box's items (the profiles') and selects one, without a command.
  virtual void showItems(int id, const std::vector<std::string>& items, int selected) = 0;
  // Pops a menu up below the button `anchor` and waits for the user: the command of the
  // item chosen, or 0 where the menu was closed without one. A submenu without a title
  // puts its items into the menu itself.
  virtual int chooseFromMenu(const std::vector<Submenu>& menu, int anchor) = 0;
  // Asks for a line of text, `text` to start with; nothing when the user cancels.
  virtual std::optional<std::string> askText(const std::string& question, const std::string& text) = 0;
  // Asks whether to go on; true for yes.
  virtual bool confirm(const std::string& question) = 0;
  // Asks for a JSON file to read or to write; nothing when the user cancels.
  enum class FileUse { Open, Save };
  virtual std::optional<std::filesystem::path> chooseJsonFile(FileUse use) = 0;
  // Shows every text of the layout anew, in the language just set: the controls' and
  // the painted labels', and the items of the combo box, keeping the one chosen.
  virtual void showTexts() = 0;

 protected:
  ~WindowView() = default;
};

// Whether a finished result file should open in the user's viewer: unless the
// environment sets HANABIRA_NO_VIEWER=1 (for tests and scripts).
bool resultViewerWanted();

class WindowCommands final : public DialogOwner, public CalibrationStore {
 public:
  // Reads "config.txt" of the working directory and sets the language of the window's
  // texts, before the front end creates its controls. `post` runs the search's reports
  // on the window's thread (SearchRunner::Post).
  WindowCommands(WindowView& view, SearchRunner::Post post);

  // The controls exist: the file fills the console fields, or a message says why a file
  // that is there cannot be read.
  void opened();

  // What a click on the button with this id does; ids without a command are ignored.
  void setCommand(int id, std::function<void()> command);
  void runCommand(int id);
  // Gives each dialog's button (1103 to 1109) its dialog, opened by `open`.
  using DialogOpener = std::function<void(const OptionDialogDesign& design)>;
  void setDialogCommands(const DialogOpener& open);

  // The inputs as the commands read them.
  WindowFields fields() const;
  bool isSearchRunning() const { return search_.isRunning(); }
  ResultTable& resultTable() { return search_.resultTable(); }
  const std::optional<SearchedLines>& searched() const { return search_.searched(); }
  void setResultViewer(SearchCommand::ResultViewer viewer) { search_.setResultViewer(std::move(viewer)); }
  // The window closes: a running search is aborted and waited for (SearchCommand).
  void closing() { search_.abortForClosing(); }

  // DialogOwner
  SearchSettings& settings() override { return settings_; }
  SearchSettings startSettings() const override;
  void applyWindowChanges(const WindowChanges& changes) override;

  const SearchSettings& settings() const { return settings_; }

  // CalibrationStore
  int timerCalibrationMs() const override { return timerCalibrationMs_.value_or(defaultBootCalibrationMs); }
  std::optional<std::string> keepTimerCalibration(int calibrationMs) override;

 private:
  void save();
  void chooseLanguages();
  // Fills the console fields from a profile, or from config.txt for none.
  void fillConsole(const ConsoleProfile* profile);

  WindowView& view_;
  SearchSettings settings_;
  ConfigAtStart start_;
  LanguageChoices languages_;
  std::optional<int> timerCalibrationMs_;  // once the user has set one
  std::map<int, std::function<void()>> commands_;
  SearchCommand search_;
  ProfileCommands profiles_;
};

}  // namespace hanabira
