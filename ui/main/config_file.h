// "config.txt" on disk: read once at start, replaced as a whole by the save command.
#pragma once

#include <QString>

#include <optional>

#include "core/console_config.h"

namespace hanabira {

inline constexpr char configFileName[] = "config.txt";

// The file's texts; nullopt when it cannot be read.
std::optional<ConsoleConfigText> loadConfigFile(const QString& path);

// Writes the six lines to a new file beside the old one and renames it over the old one,
// so that a crash or a full disk never leaves a truncated file. Returns why it failed,
// or nullopt.
std::optional<QString> saveConfigFile(const QString& path, const ConsoleParameters& parameters);

}  // namespace hanabira
