#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "cli/file_system.h"

namespace hanabira {

std::FILE* createNewFile(const std::filesystem::path& path) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor < 0) return nullptr;
  std::FILE* file = ::fdopen(descriptor, "wb");
  if (file == nullptr) {
    const int error = errno;
    ::close(descriptor);
    ::unlink(path.c_str());
    errno = error;
  }
  return file;
}

bool mayWriteFile(const std::filesystem::path& path) { return ::access(path.c_str(), W_OK) == 0; }

unsigned long currentProcessId() { return static_cast<unsigned long>(::getpid()); }

}  // namespace hanabira
