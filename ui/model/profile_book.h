// The console profiles the window offers, kept in "profiles.json" beside config.txt:
// read once as the window opens, and replaced whole by every change, so that the file
// always holds the list the window shows. A file that is there but cannot be read is
// left untouched: the window then offers no profiles and refuses every change, so that
// nothing the user wrote into the file is lost by a save.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/console_profiles.h"
#include "ui/model/window_fields.h"

namespace hanabira {

class ProfileBook {
 public:
  explicit ProfileBook(std::filesystem::path file) : file_(std::move(file)) {}

  // Reads the file; the message naming the file and its problem when one that is there
  // cannot be used. No file is no problem: the list is empty then.
  std::optional<std::string> load();

  const ConsoleProfiles& profiles() const { return profiles_; }
  const ConsoleProfile* at(int index) const;
  int indexOf(std::string_view name) const;  // -1 when there is none of that name

  // Each change returns why it was refused or why the file could not be saved; the list
  // and the file are then as they were.
  std::optional<std::string> create(std::string_view name, const ConsoleParameters& console);
  std::optional<std::string> rename(int index, std::string_view name);
  std::optional<std::string> remove(int index);
  // The console, and a calibration's result added to the profile's list unless listed.
  std::optional<std::string> store(int index, const ConsoleParameters& console,
                                   const std::optional<CalibratedConsole>& calibrated);
  // Adds the profiles of another file after these ones; refused whole when that file
  // cannot be read or names a profile this list has.
  std::optional<std::string> importFrom(const std::filesystem::path& path);
  std::optional<std::string> exportTo(const std::filesystem::path& path) const;

 private:
  std::optional<std::string> replace(ConsoleProfiles changed);

  std::filesystem::path file_;
  ConsoleProfiles profiles_;
  bool damaged_ = false;  // the file is there but could not be read: never written
};

// What choosing a profile puts into the window, as loading config.txt does: the console
// fields, the version button, and the edition and ranges for the settings.
LoadedConsoleFields profileFields(const ConsoleProfile& profile);

}  // namespace hanabira
