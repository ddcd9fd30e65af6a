// Paths as the program's texts carry them, in UTF-8, whatever the platform's own
// encoding: on Windows a narrow path is read in the ANSI code page, which cannot name
// every file (a folder named in Japanese on an English system), so files open through
// the wide-character API there.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace hanabira {

std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8FromPath(const std::filesystem::path& path);

// std::fopen for any path.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

}  // namespace hanabira
