#include "core/whole_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "core/utf8_path.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace hanabira {
namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File open(const std::filesystem::path& path, const char* mode) { return {openFile(path, mode), &std::fclose}; }

std::error_code lastError() { return {errno != 0 ? errno : EIO, std::generic_category()}; }

bool flushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

std::error_code writeWhole(const std::filesystem::path& path, std::string_view text) {
  errno = 0;
  File file = open(path, "wb");
  if (!file) return lastError();
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), file.get()) != text.size() || !flushToDisk(file.get())) {
    return lastError();
  }
  errno = 0;
  if (std::fclose(file.release()) != 0) return lastError();
  return {};
}

}  // namespace

WholeFileRead readWholeFile(const std::filesystem::path& path, std::size_t limit) {
  WholeFileRead read;
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) return read;
  read.found = true;
  // A pipe or a device would keep the program waiting for a writer that never comes.
  if (!std::filesystem::is_regular_file(status)) {
    read.error = std::make_error_code(std::filesystem::is_directory(status) ? std::errc::is_a_directory
                                                                            : std::errc::invalid_argument);
    return read;
  }
  errno = 0;
  File file = open(path, "rb");
  if (!file) {
    read.error = lastError();
    return read;
  }
  read.text.resize(limit + 1);
  errno = 0;
  const std::size_t got = std::fread(read.text.data(), 1, read.text.size(), file.get());
  if (std::ferror(file.get())) {
    read.error = lastError();
    read.text.clear();
    return read;
  }
  read.tooLarge = got > limit;
  read.text.resize(std::min(got, limit));
  return read;
}

std::error_code replaceWholeFile(const std::filesystem::path& path, std::string_view text) {
  std::filesystem::path saving = path;
  saving += ".saving";
  std::error_code error = writeWhole(saving, text);
  if (!error) std::filesystem::rename(saving, path, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(saving, ignored);
  }
  return error;
}

}  // namespace hanabira
