#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <windows.h>

#include <cerrno>

#include "cli/file_system.h"

namespace hanabira {

std::FILE* createNewFile(const std::filesystem::path& path) {
  // FILE_SHARE_DELETE: a second Ctrl-C may put the file in place before it is closed.
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    errno = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? EEXIST
            : error == ERROR_PATH_NOT_FOUND                             ? ENOENT
                                                                        : EACCES;
    return nullptr;
  }
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (descriptor < 0) {
    CloseHandle(handle);
    DeleteFileW(path.c_str());
    return nullptr;
  }
  std::FILE* file = _fdopen(descriptor, "wb");
  if (file == nullptr) {
    _close(descriptor);
    DeleteFileW(path.c_str());
  }
  return file;
}

bool mayWriteFile(const std::filesystem::path& path) { return _waccess(path.c_str(), 2) == 0; }

unsigned long currentProcessId() { return static_cast<unsigned long>(_getpid()); }

}  // namespace hanabira
