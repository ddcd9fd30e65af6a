#include "web/wasm/profile_lines_sink.h"

#include <algorithm>

#include "vocab/cp932.h"

namespace hanabira {
namespace {

std::string encoded(std::string_view text, TextEncoding encoding) {
  return encoding == TextEncoding::Cp932 ? utf8ToCp932(text) : std::string(text);
}

}  // namespace

ProfileLinesSink::ProfileLinesSink(ResultSink& next, std::string_view profileName, ResultLanguage language,
                                   TextEncoding encoding)
    : next_(next),
      linePrefix_(encoded(profileName, encoding) + ","),
      headerPrefix_(encoded(profileColumnName(language), encoding) + ",") {}

void ProfileLinesSink::write(std::string_view bytes) {
  std::string out;
  while (!bytes.empty()) {
    const std::size_t end = std::min(bytes.find('\n'), bytes.size() - 1) + 1;
    if (atLineStart_) out += inHeader_ ? headerPrefix_ : linePrefix_;
    out += bytes.substr(0, end);
    atLineStart_ = bytes[end - 1] == '\n';
    inHeader_ = inHeader_ && !atLineStart_;
    bytes.remove_prefix(end);
  }
  if (!out.empty()) next_.write(out);
}

}  // namespace hanabira
