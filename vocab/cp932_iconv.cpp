#include "vocab/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace hanabira {
namespace {

class IconvConverter {
 public:
  IconvConverter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::system_error(errno, std::generic_category(),
                              std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  ~IconvConverter() { iconv_close(handle_); }
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  std::string convert(std::string_view text) {
    std::string out(text.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
      if (iconv(handle_, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) break;
      if (errno != E2BIG) {
        throw std::runtime_error("text cannot be converted: " + std::string(text));
      }
      const std::size_t used = static_cast<std::size_t>(outPtr - out.data());
      out.resize(out.size() * 2);
      outPtr = out.data() + used;
      outLeft = out.size() - used;
    }
    out.resize(static_cast<std::size_t>(outPtr - out.data()));
    return out;
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::string utf8ToCp932(std::string_view utf8) { return IconvConverter("CP932", "UTF-8").convert(utf8); }

std::string cp932ToUtf8(std::string_view cp932) { return IconvConverter("UTF-8", "CP932").convert(cp932); }

}  // namespace hanabira
