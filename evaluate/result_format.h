// The result file's text: one header line naming the columns of the search mode, then
// one comma-separated line per match, each ended by CR LF. With key input, the header
// gains ",キー入力" and every line one more field naming the keys held.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/boot_moment.h"
#include "evaluate/iv_rules.h"
#include "evaluate/search_mode.h"

namespace hanabira {

// The result file is CP932 by tradition; UTF-8 suits tools that expect it.
enum class TextEncoding { Cp932, Utf8 };

struct IvMatch {
  int position;  // in the individual-value random sequence
  IvSet ivs;
  HiddenPower hiddenPower;
};

class ResultFormatter {
 public:
  ResultFormatter(SearchMode mode, bool keyInputEnabled, TextEncoding encoding = TextEncoding::Cp932);

  SearchMode mode() const { return mode_; }
  std::string header() const;

  void append(std::string& out, const SearchCursor& moment, std::uint64_t seed, const IvMatch& match) const;

 private:
  std::string encode(std::string_view utf8) const;
  void appendMoment(std::string& out, const SearchCursor& moment) const;
  void appendKeysAndLineEnd(std::string& out, int keyMask) const;

  SearchMode mode_;
  bool keyInputEnabled_;
  TextEncoding encoding_;
  std::array<std::string, 16> hiddenPowerTypeNames_;
  std::array<std::string, 10> keyNames_;
};

}  // namespace hanabira
