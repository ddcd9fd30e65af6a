// "config.txt" of the working directory: read once as the window opens, replaced as a
// whole by the save command.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/console_config.h"
#include "core/search_settings.h"
#include "ui/model/file_problem.h"
#include "ui/model/window_fields.h"

namespace hanabira {

inline constexpr char configFileName[] = "config.txt";

// What loading found: the file's texts; nothing when there is no file (a first start,
// which is no fault); or why a file that is there could not be read (a folder, a pipe,
// no read permission, a disk error).
struct ConfigFileLoad {
  std::optional<ConsoleConfigText> text;
  std::optional<FileProblem> problem;
};
ConfigFileLoad loadConfigFile(const std::filesystem::path& path);

// Writes the six lines, the languages chosen and the timer's calibration once set, to a file beside the old one,
// flushed to the disk, and renames it over the old one, so that a crash or a full disk never leaves a truncated file.
std::optional<FileProblem> saveConfigFile(const std::filesystem::path& path, const ConsoleParameters& parameters,
                                          const LanguageChoices& languages = {},
                                          std::optional<int> timerCalibrationMs = std::nullopt);

// The window as it opens, from the file loaded from `path`: the console fields, and the message to show
// when a file is there but cannot be read, or is not text (the window then starts as
// without one), or has a line that cannot be read (left out, the rest read). The file's
// version word, edition and ranges go into `settings` at once.
struct ConfigAtStart {
  LoadedConsoleFields fields;
  std::optional<std::string> message;
};
ConfigAtStart configForWindow(const ConfigFileLoad& load, const std::filesystem::path& path, SearchSettings& settings);

// The save command: saves what the console fields say, with the languages chosen (and the
// timer's calibration, once set), and
// puts it into the settings (readSavedConsole); or, when the file cannot be written,
// changes nothing and returns the message to show.
std::optional<std::string> saveConfigFromWindow(const WindowFields& fields, SearchSettings& settings,
                                                const LanguageChoices& languages, const std::filesystem::path& path,
                                                std::optional<int> timerCalibrationMs = std::nullopt);

}  // namespace hanabira
