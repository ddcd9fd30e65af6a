#include "ui/model/file_problem.h"

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
      return "同じ名前のフォルダーがあります。";
    case FileProblem::Reason::NoPermission:
      return "アクセスする権限がありません。";
    case FileProblem::Reason::DiskFull:
      return "ディスクの空き容量が足りません。";
    case FileProblem::Reason::MissingFolder:
      return "フォルダーが見つかりません。";
    case FileProblem::Reason::NotAFile:
      return "通常のファイルではありません。";
    case FileProblem::Reason::Other:
      break;
  }
  if (problem.systemText.empty()) return "システムのエラーです。";
  return "システムのエラーです。\n詳細: " + problem.systemText;
}

}  // namespace hanabira
