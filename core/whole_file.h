// Small files the programs keep between runs (config.txt, profiles.json), read and written
// whole: read up to a limit, so that a huge file or a device cannot hold a program up, and
// replaced by renaming a complete copy over them, so that a crash or a full disk leaves
// the old file or the new one, never a part of one.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace hanabira {

struct WholeFileRead {
  bool found = false;     // false: there is no file, which is no error
  std::error_code error;  // the file is there but cannot be read, or is a folder or a device
  bool tooLarge = false;  // longer than the limit; `text` holds its first `limit` bytes
  std::string text;
};
WholeFileRead readWholeFile(const std::filesystem::path& path, std::size_t limit);

// Writes `text` to "PATH.saving", flushed to the disk, and renames it over `path`. On
// failure nothing is changed and the error is the system's.
std::error_code replaceWholeFile(const std::filesystem::path& path, std::string_view text);

}  // namespace hanabira
