#include "cli/output_file.h"

#include <fmt/format.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

#include "cli/file_system.h"
#include "core/utf8_path.h"
#include "i18n/translate.h"

namespace hanabira {

namespace fs = std::filesystem;

struct OutputFile::Pending {
  fs::path temporary;
  fs::path place;
  std::string name;  // the target, as messages name it
  AtOnce atOnce;
};

namespace {

// The outputs not yet in place, for settleOutputsAtOnce(). Never destroyed: another
// thread may settle them while the program ends.
struct Unfinished {
  std::mutex mutex;
  std::vector<const OutputFile::Pending*> files;
};

Unfinished& unfinished() {
  static auto* const outputs = new Unfinished;
  return *outputs;
}

// With the mutex held.
void forget(const OutputFile::Pending* pending) {
  std::vector<const OutputFile::Pending*>& files = unfinished().files;
  files.erase(std::remove(files.begin(), files.end(), pending), files.end());
}

// A regular file this process may write, or nothing yet.
bool mayReplace(const fs::path& place) {
  std::error_code error;
  const fs::file_status status = fs::status(place, error);
  if (status.type() == fs::file_type::not_found) return true;
  return status.type() == fs::file_type::regular && mayWriteFile(place);
}

// A new file beside `place`, named after it and this process; nullptr when the folder
// takes none.
std::FILE* createTemporary(const fs::path& place, fs::path& temporary) {
  static std::atomic<unsigned> created{0};
  for (int attempt = 0; attempt < 100; ++attempt) {  // past names left by an earlier process of this ID
    temporary = fs::path(place).concat(fmt::format(".hanabira-{}-{}.tmp", currentProcessId(), ++created));
    if (std::FILE* file = createNewFile(temporary)) return file;
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

}  // namespace

fs::path outputPlace(const fs::path& target) {
  fs::path place = target;
  std::error_code error;
  // As the system follows links, 40 at most; a longer chain is left for opening to refuse.
  for (int hop = 0; hop < 40 && fs::is_symlink(place, error); ++hop) {
    const fs::path link = fs::read_symlink(place, error);
    if (error) break;
    place = link.is_absolute() ? link : place.parent_path() / link;
  }
  return place;
}

OutputFile::OutputFile() : sink_(FileSink::standardOutput()) {}

OutputFile OutputFile::standardOutput() { return OutputFile(); }

OutputFile::OutputFile(const fs::path& target, AtOnce atOnce) {
  const fs::path place = outputPlace(target);
  if (mayReplace(place)) {
    auto pending = std::make_unique<Pending>(Pending{{}, place, utf8FromPath(target), atOnce});
    // Where the folder takes no new file, the target is written in place, as ever.
    if (std::FILE* file = createTemporary(place, pending->temporary)) {
      std::error_code ignored;
      const fs::file_status old = fs::status(place, ignored);
      if (fs::exists(old)) fs::permissions(pending->temporary, old.permissions(), ignored);
      sink_.emplace(FileSink::adopt(file, pending->name));
      const std::lock_guard lock(unfinished().mutex);
      unfinished().files.push_back(pending.get());
      pending_ = std::move(pending);
      return;
    }
  }
  sink_.emplace(target);
}

OutputFile::~OutputFile() {
  if (!pending_) return;
  const std::lock_guard lock(unfinished().mutex);
  sink_.reset();
  std::error_code ignored;
  fs::remove(pending_->temporary, ignored);
  forget(pending_.get());
}

void OutputFile::commit() {
  if (!pending_) {
    sink_->close();
    return;
  }
  const std::lock_guard lock(unfinished().mutex);
  sink_->close();
  std::error_code error;
  fs::rename(pending_->temporary, pending_->place, error);
  if (error) {
    throw ResultWriteError(trf("cannot write result file '{}': {}", pending_->name, error.message()),
                           error.category() == std::generic_category() ? error.value() : 0);
  }
  forget(pending_.get());
  pending_.reset();
}

void writeWholeFile(const fs::path& path, std::string_view text) {
  OutputFile file(path, OutputFile::AtOnce::Discard);
  file.sink().write(text);
  file.commit();
}

std::string settleOutputsAtOnce() {
  Unfinished& outputs = unfinished();
  outputs.mutex.lock();  // never unlocked: nothing is committed or removed after this
  std::string message;
  for (const OutputFile::Pending* pending : outputs.files) {
    std::error_code error;
    if (pending->atOnce == OutputFile::AtOnce::Discard) {
      fs::remove(pending->temporary, error);
    } else if (fs::rename(pending->temporary, pending->place, error); !error) {
      message +=
          fmt::format("stopped at once: {} holds the lines written so far; the last one may be cut\n", pending->name);
    }
  }
  return message.empty() ? "stopped at once: the last line written may be cut\n" : message;
}

}  // namespace hanabira
