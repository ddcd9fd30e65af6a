#include "evaluate/result_format.h"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <iterator>

#include "vocab/cp932.h"
#include "vocab/names.h"

namespace hanabira {
namespace {

constexpr std::string_view lineEnd = "\r\n";

constexpr std::string_view headerText(SearchMode mode) {
  switch (mode) {
    case SearchMode::IvSearch:
      return "年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed";
    case SearchMode::ShinyPidSearch:
      return "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,めざパ,威力,初期seed,性格値乱数消費,乱数値,性格値";
    case SearchMode::InheritanceSearch:
      return "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,初期seed,性格値乱数消費,遺伝1,遺伝2,遺伝3,性別,特性";
    case SearchMode::DeliverymanSearch:
      return "年,月,日,時,分,秒,性格値乱数消費,性格,H,A,B,C,D,S,めざパ,威力,初期seed";
    case SearchMode::CometShardSearch:
      return "年,月,日,時,分,秒,性格値乱数消費,初期seed";
    case SearchMode::DomeSearch:
      return "年,月,日,時,分,秒,性格値乱数消費下限,上限,初期seed";
  }
  return {};
}

}  // namespace

ResultFormatter::ResultFormatter(SearchMode mode, bool keyInputEnabled, TextEncoding encoding)
    : mode_(mode), keyInputEnabled_(keyInputEnabled), encoding_(encoding) {
  for (int id = 0; id < hiddenPowerTypeCount; ++id) hiddenPowerTypeNames_[id] = encode(*hiddenPowerTypeName(id));
  for (int bit = 0; bit < 10; ++bit) keyNames_[bit] = encode(keyNames[bit]);
}

std::string ResultFormatter::encode(std::string_view utf8) const {
  return encoding_ == TextEncoding::Cp932 ? utf8ToCp932(utf8) : std::string(utf8);
}

std::string ResultFormatter::header() const {
  std::string text(headerText(mode_));
  if (keyInputEnabled_) text += ",キー入力";
  text += lineEnd;
  return encode(text);
}

void ResultFormatter::appendMoment(std::string& out, const SearchCursor& moment) const {
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},{},{},{},{},{},"), moment.year, moment.month, moment.day,
                 moment.hour, moment.minute, moment.second);
}

void ResultFormatter::appendKeysAndLineEnd(std::string& out, int keyMask) const {
  if (keyInputEnabled_) {
    out += ',';
    for (int bit = 0; bit < 10; ++bit) {
      if ((keyMask & (1 << bit)) == 0) out += keyNames_[bit];  // a 0 bit is a key held
    }
  }
  out += lineEnd;
}

void ResultFormatter::append(std::string& out, const SearchCursor& moment, std::uint64_t seed,
                             const IvMatch& match) const {
  appendMoment(out, moment);
  const IvSet& iv = match.ivs;
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},{},{},{},{},{},{},"), match.position, iv[0], iv[1], iv[2],
                 iv[3], iv[4], iv[5]);
  out += hiddenPowerTypeNames_[match.hiddenPower.type];
  fmt::format_to(std::back_inserter(out), FMT_COMPILE(",{},{:016X}"), match.hiddenPower.power, seed);
  appendKeysAndLineEnd(out, moment.keyMask);
}

}  // namespace hanabira
