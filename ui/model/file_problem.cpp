#include "ui/model/file_problem.h"

#include "i18n/translate.h"

namespace hanabira {

FileProblem fileProblem(const std::filesystem::path& path, std::error_code error) {
  using enum FileProblem::Reason;
  if (!error) return {Other, {}};  // the system gave no reason
  std::error_code ignored;
  if (error == std::errc::is_a_directory || std::filesystem::is_directory(path, ignored)) return {Folder, {}};
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
      error == std::errc::read_only_file_system) {
    return {NoPermission, {}};
  }
  if (error == std::errc::no_space_on_device || error == std::errc::file_too_large) return {DiskFull, {}};
  if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) {
    return {MissingFolder, {}};
  }
  return {Other, error.message()};
}

FileProblem fileProblem(const std::filesystem::path& path, int error) {
  return fileProblem(path, std::error_code(error, std::generic_category()));
}

std::string reasonText(const FileProblem& problem) {
  switch (problem.reason) {
    case FileProblem::Reason::Folder:
      return std::string(tr("A folder has the same name."));
    case FileProblem::Reason::NoPermission:
      return std::string(tr("Permission denied."));
    case FileProblem::Reason::DiskFull:
      return std::string(tr("The disk is full."));
    case FileProblem::Reason::MissingFolder:
      return std::string(tr("The folder does not exist."));
    case FileProblem::Reason::NotAFile:
      return std::string(tr("It is not a regular file."));
    case FileProblem::Reason::Other:
      break;
  }
  if (problem.systemText.empty()) return std::string(tr("A system error occurred."));
  return trf("A system error occurred.\nDetails: {}", problem.systemText);
}

}  // namespace hanabira
