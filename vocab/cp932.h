// CP932 (the Windows flavour of Shift-JIS) is the encoding of the result file and of
// the texts the games' players exchange; everything inside the program is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace hanabira {

// Throws std::runtime_error when the text has a character CP932 cannot hold.
std::string utf8ToCp932(std::string_view utf8);
// Throws std::runtime_error on bytes that are not valid CP932.
std::string cp932ToUtf8(std::string_view cp932);

}  // namespace hanabira
