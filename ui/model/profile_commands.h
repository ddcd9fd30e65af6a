// The console profiles in the main window, whatever draws it: the drop-down that chooses
// one ("no profile" first: the console of config.txt), and the menu of its button that
// creates, renames, stores, deletes, imports and exports them. The console dialog's OK
// stores its console, and the calibration's pick, into the profile chosen.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "engine/console_profiles.h"
#include "ui/model/profile_book.h"

namespace hanabira {

class WindowView;

class ProfileCommands {
 public:
  // The window's console as a save would write it, and what fills its console fields
  // (null: config.txt's console).
  using ReadConsole = std::function<ConsoleParameters()>;
  using FillConsole = std::function<void(const ConsoleProfile* profile)>;

  ProfileCommands(WindowView& view, std::filesystem::path file, ReadConsole read, FillConsole fill);

  // The controls exist: the profiles file is read, and the drop-down lists its profiles,
  // or a message says why the file cannot be used.
  void opened();
  // The drop-down's choice changed.
  void chosen();
  // The profiles button: its menu, and the command chosen from it.
  void showMenu();
  void run(int command);
  // The console dialog's OK set the console fields.
  void consoleConfirmed(const std::optional<CalibratedConsole>& calibrated);

  // Lists the profiles in the drop-down anew, "no profile" in the window's language.
  void showList();

  const ProfileBook& book() const { return book_; }
  const ConsoleProfile* chosenProfile() const { return book_.at(chosen_); }

 private:
  // Shows the message of a change that failed; true when there is none.
  bool succeeded(const std::optional<std::string>& problem);
  void create();
  void rename();
  void remove();
  void importFile();
  void exportFile();

  WindowView& view_;
  ProfileBook book_;
  ReadConsole read_;
  FillConsole fill_;
  int chosen_ = -1;  // into the book's list; -1 for no profile
};

}  // namespace hanabira
