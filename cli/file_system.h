// The few file operations whose calls differ between POSIX and Windows.
#pragma once

#include <cstdio>
#include <filesystem>

namespace hanabira {

// Creates `path` for writing in binary, and fails (errno EEXIST) where it exists already.
// On Windows the file may be renamed or removed while it is open.
std::FILE* createNewFile(const std::filesystem::path& path);

// Whether this process may write to the existing file `path`.
bool mayWriteFile(const std::filesystem::path& path);

unsigned long currentProcessId();

}  // namespace hanabira
