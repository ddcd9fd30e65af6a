// Where a command's output goes: a result file, a shard's data and record, a merge's
// output, a config.txt. A file that may be replaced (a regular file the program may
// write, or nothing yet) is written beside it, into a temporary file of its own in the
// same folder, and renamed over it by commit(): a run that fails or is killed leaves the
// old file as it was, and two runs on one file leave the whole output of the last one to
// finish. Anything else (standard output, a device such as /dev/null, a FIFO) is written
// in place and never replaced, and so is a file whose folder takes no new file. A
// symbolic link stays a link: the file it points to is the one replaced.
//
//   OutputFile output(pathFromUtf8("result.txt"), OutputFile::AtOnce::Keep);
//   runSearch(settings, output.sink(), options);
//   output.commit();  // also for a cancelled search: its lines so far go in place
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/result_sink.h"

namespace hanabira {

class OutputFile {
 public:
  // What settleOutputsAtOnce() does with the unfinished file: put it in place as it
  // stands (a search's lines so far) or throw it away (a merge, a config.txt).
  enum class AtOnce { Keep, Discard };

  // Throws ResultWriteError ("cannot create result file ...") when nothing can be
  // written there.
  OutputFile(const std::filesystem::path& target, AtOnce atOnce);
  static OutputFile standardOutput();
  // Without commit(), the temporary file is removed and the target left as it was.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  ResultSink& sink() { return *sink_; }
  // Whether the bytes go straight to the target (nothing to replace).
  bool inPlace() const { return pending_ == nullptr; }

  // Flushes and closes the file and puts it in place. Throws ResultWriteError.
  void commit();

  struct Pending;  // a temporary file and where it goes

 private:
  OutputFile();

  std::unique_ptr<Pending> pending_;
  std::optional<FileSink> sink_;
};

// The file an output named `target` writes: the target, or the file its symbolic links
// lead to.
std::filesystem::path outputPlace(const std::filesystem::path& target);

// Replaces the file at `path` with `text` as an OutputFile does. Throws ResultWriteError,
// whose systemError() tells why.
void writeWholeFile(const std::filesystem::path& path, std::string_view text);

// For a program about to end at once, from any thread: every unfinished output is put in
// place or removed as it asked, and none is committed after. Returns what to tell the
// user, a line for each output put in place. The caller ends the process.
std::string settleOutputsAtOnce();

}  // namespace hanabira
