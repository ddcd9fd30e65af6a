// "config.txt" on disk: read once at start, replaced as a whole by the save command.
#pragma once

#include <QString>

#include <optional>

#include "core/console_config.h"

namespace hanabira {

inline constexpr char configFileName[] = "config.txt";

// What loading found: the file's texts; nothing when there is no file (a first start,
// which is no fault); or why a file that is there could not be read (a folder, a file
// without read permission, a disk error).
struct ConfigFileLoad {
  std::optional<ConsoleConfigText> text;
  std::optional<QString> error;
};

ConfigFileLoad loadConfigFile(const QString& path);

// Writes the six lines to a new file beside the old one and renames it over the old one,
// so that a crash or a full disk never leaves a truncated file. Returns why it failed,
// or nullopt.
std::optional<QString> saveConfigFile(const QString& path, const ConsoleParameters& parameters);

}  // namespace hanabira
