// CP932 in the browser, whose C library has no iconv: by tables of every character iconv's
// CP932 converts (vocab/cp932_table.h).
#include "vocab/cp932.h"
#include "vocab/cp932_table.h"

namespace hanabira {

std::string utf8ToCp932(std::string_view utf8) { return utf8ToCp932ByTable(utf8); }

std::string cp932ToUtf8(std::string_view cp932) { return cp932ToUtf8ByTable(cp932); }

}  // namespace hanabira
