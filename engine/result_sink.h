// Where the lines of a search go. A search hands over whole lines only, in order.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "evaluate/result_formats.h"

namespace hanabira {

class ResultSink {
 public:
  virtual ~ResultSink() = default;
  // Throws ResultWriteError when the bytes cannot be stored.
  virtual void write(std::string_view bytes) = 0;
};

class ResultWriteError : public std::runtime_error {
 public:
  explicit ResultWriteError(const std::string& message, int systemError = 0)
      : std::runtime_error(message), systemError_(systemError) {}

  // The C library's error number (errno), 0 when none tells why.
  int systemError() const { return systemError_; }

 private:
  int systemError_;
};

class StringSink final : public ResultSink {
 public:
  void write(std::string_view bytes) override { text_ += bytes; }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// The lines of a search (UTF-8 txt) handed on to `next` in another format: the first line
// is the header the converter is made from. Whole lines only go on, each write's at once,
// so that a search stopped between writes leaves whole lines of the format.
class ConvertingSink final : public ResultSink {
 public:
  ConvertingSink(ResultSink& next, ResultFormat format) : next_(next), format_(format) {}

  void write(std::string_view bytes) override;

 private:
  ResultSink& next_;
  ResultFormat format_;
  std::optional<ResultConverter> converter_;  // once the header came
  std::string pending_;                       // a line not yet ended
  std::string converted_;
};

// A result file, created anew (truncated) when opened. Bytes are written as they are:
// the lines carry their own CR LF.
class FileSink final : public ResultSink {
 public:
  // Throws ResultWriteError naming the path when the file cannot be created.
  explicit FileSink(const std::filesystem::path& path);
  // Standard output, for pipelines.
  static FileSink standardOutput();
  // A file already open for writing, closed by close(); `name` is what messages call it.
  static FileSink adopt(std::FILE* file, std::string name);
  ~FileSink() override;
  FileSink(FileSink&& other) noexcept;
  FileSink& operator=(FileSink&&) = delete;

  void write(std::string_view bytes) override;
  // Flushes and closes; throws ResultWriteError if anything written did not reach the file.
  void close();

 private:
  FileSink(std::FILE* file, std::string name, bool owned);
  [[noreturn]] void fail(int error);

  std::FILE* file_;
  std::string name_;
  bool owned_;
};

}  // namespace hanabira
