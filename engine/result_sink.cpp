#include "engine/result_sink.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "core/utf8_path.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

std::string errorText(int error) { return error != 0 ? std::strerror(error) : std::string(tr("write failed")); }

}  // namespace

void ConvertingSink::write(std::string_view bytes) {
  pending_ += bytes;
  converted_.clear();
  std::size_t start = 0;
  for (std::size_t end; (end = pending_.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string_view line(pending_.data() + start, end + 1 - start);
    if (converter_) {
      converter_->appendLine(converted_, line);
    } else {
      converter_.emplace(format_, line);
      converted_ += converter_->start();
    }
  }
  pending_.erase(0, start);
  next_.write(converted_);
}

FileSink::FileSink(const std::filesystem::path& path) : FileSink(openFile(path, "wb"), utf8FromPath(path), true) {
  if (file_ == nullptr) {
    const int error = errno;
    throw ResultWriteError(trf("cannot create result file '{}': {}", name_, errorText(error)), error);
  }
}

FileSink::FileSink(std::FILE* file, std::string name, bool owned)
    : file_(file), name_(std::move(name)), owned_(owned) {}

FileSink FileSink::standardOutput() { return FileSink(stdout, "standard output", false); }

FileSink FileSink::adopt(std::FILE* file, std::string name) { return FileSink(file, std::move(name), true); }

FileSink::FileSink(FileSink&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)), name_(std::move(other.name_)), owned_(other.owned_) {}

FileSink::~FileSink() {
  if (file_ != nullptr && owned_) std::fclose(file_);
}

void FileSink::fail(int error) {
  throw ResultWriteError(trf("cannot write result file '{}': {}", name_, errorText(error)), error);
}

void FileSink::write(std::string_view bytes) {
  if (bytes.empty()) return;
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) fail(errno);
}

void FileSink::close() {
  if (file_ == nullptr) return;
  errno = 0;
  const bool flushed = std::fflush(file_) == 0;
  const int flushError = errno;
  std::FILE* file = std::exchange(file_, nullptr);
  const bool closed = !owned_ || std::fclose(file) == 0;
  if (!flushed) fail(flushError);
  if (!closed) fail(errno);
}

}  // namespace hanabira
