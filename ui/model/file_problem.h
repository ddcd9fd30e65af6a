// Why a file could not be read or written, as the window's messages tell it: the common
// reasons in words of their own, any other by the system's text.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace hanabira {

struct FileProblem {
  enum class Reason { Folder, NoPermission, DiskFull, MissingFolder, NotAFile, Other };

  Reason reason = Reason::Other;
  std::string systemText;  // the system's own words (UTF-8), for Other

  friend bool operator==(const FileProblem&, const FileProblem&) = default;
};

// From the error of a failed open, read, write or rename of `path`. Windows refuses to
// open a folder as a file with "permission denied", so a folder is recognised by the path.
FileProblem fileProblem(const std::filesystem::path& path, std::error_code error);
// The same from the C library's error number.
FileProblem fileProblem(const std::filesystem::path& path, int error);

// One sentence in Japanese: 「フォルダーが見つかりません。」
std::string reasonText(const FileProblem& problem);

}  // namespace hanabira
