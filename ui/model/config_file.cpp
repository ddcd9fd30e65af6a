#include "ui/model/config_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string_view>

#include "core/utf8_path.h"
#include "core/whole_file.h"
#include "ui/model/problem_messages.h"

namespace hanabira {
namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File open(const std::filesystem::path& path, const char* mode) { return {openFile(path, mode), &std::fclose}; }

}  // namespace

ConfigFileLoad loadConfigFile(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) return {};
  // A pipe or a device would keep the window waiting for a writer that never comes.
  if (!std::filesystem::is_regular_file(status)) {
    return {std::nullopt, std::filesystem::is_directory(status) ? FileProblem{FileProblem::Reason::Folder, {}}
                                                                : FileProblem{FileProblem::Reason::NotAFile, {}}};
  }
  File file = open(path, "rb");
  if (!file) return {std::nullopt, fileProblem(path, errno)};
  std::string text(consoleConfigReadLimit, '\0');
  errno = 0;
  text.resize(std::fread(text.data(), 1, text.size(), file.get()));
  if (std::ferror(file.get())) return {std::nullopt, fileProblem(path, errno)};
  return {parseConsoleConfig(text), std::nullopt};
}

std::optional<FileProblem> saveConfigFile(const std::filesystem::path& path, const ConsoleParameters& parameters,
                                          const LanguageChoices& languages, std::optional<int> timerCalibrationMs) {
  const std::error_code error = replaceWholeFile(path, formatConsoleConfig(parameters, languages, timerCalibrationMs));
  if (error) return fileProblem(path, error);
  return std::nullopt;
}

ConfigAtStart configForWindow(const ConfigFileLoad& load, const std::filesystem::path& path, SearchSettings& settings) {
  ConfigAtStart start{loadedConsoleFields(load.text), std::nullopt};
  if (load.problem) {
    start.message = configLoadMessage(utf8FromPath(path), *load.problem);
  } else if (load.text && load.text->problem) {
    start.message = configContentMessage(utf8FromPath(path), *load.text->problem);
  }
  const LoadedConsoleFields& loaded = start.fields;
  if (loaded.versionWord) settings.versionWord = *loaded.versionWord;
  settings.edition = loaded.edition;
  settings.vcountRange = loaded.vcountRange;
  settings.timer0Range = loaded.timer0Range;
  return start;
}

std::optional<std::string> saveConfigFromWindow(const WindowFields& fields, SearchSettings& settings,
                                                const LanguageChoices& languages, const std::filesystem::path& path,
                                                std::optional<int> timerCalibrationMs) {
  const ConsoleParameters saved = readSavedConsole(fields, settings);
  if (const std::optional<FileProblem> problem = saveConfigFile(path, saved, languages, timerCalibrationMs)) {
    return configSaveMessage(utf8FromPath(path), *problem);
  }
  applyConsoleParameters(saved, settings);
  return std::nullopt;
}

}  // namespace hanabira
