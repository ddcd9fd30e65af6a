#include "core/utf8_path.h"

namespace hanabira {

std::filesystem::path pathFromUtf8(std::string_view utf8) {
  return std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size());
}

std::string utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(path.c_str(), wideMode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

}  // namespace hanabira
