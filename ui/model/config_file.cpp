#include "ui/model/config_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string_view>

#include "core/utf8_path.h"
#include "ui/model/problem_messages.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace hanabira {
namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File open(const std::filesystem::path& path, const char* mode) { return {openFile(path, mode), &std::fclose}; }

bool flushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

// The new text, complete on the disk, in a file beside `path`.
std::optional<FileProblem> writeWhole(const std::filesystem::path& path, std::string_view text) {
  File file = open(path, "wb");
  if (!file) return fileProblem(path, errno);
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), file.get()) != text.size() || !flushToDisk(file.get())) {
    return fileProblem(path, errno);
  }
  if (std::fclose(file.release()) != 0) return fileProblem(path, errno);
  return std::nullopt;
}

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
  std::filesystem::path saving = path;
  saving += ".saving";
  std::optional<FileProblem> problem =
      writeWhole(saving, formatConsoleConfig(parameters, languages, timerCalibrationMs));
  if (!problem) {
    std::error_code error;
    std::filesystem::rename(saving, path, error);
    if (!error) return std::nullopt;
    problem = fileProblem(path, error);
  }
  std::error_code ignored;
  std::filesystem::remove(saving, ignored);
  return problem;
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
