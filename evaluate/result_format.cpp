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
  for (int id = 0; id < natureCount; ++id) natureNames_[id] = encode(*natureName(id));
  constexpr std::array<std::string_view, 6> statLabels = {"H-", "A-", "B-", "C-", "D-", "S-"};
  for (int stat = 0; stat < 6; ++stat) {
    inheritanceEntries_[stat][firstParent] = encode(std::string(statLabels[stat]) + "先,");
    inheritanceEntries_[stat][secondParent] = encode(std::string(statLabels[stat]) + "後,");
  }
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

// "H,A,B,C,D,S,type name,power,seed"
void ResultFormatter::appendIvsAndHiddenPower(std::string& out, const IvSet& iv, const HiddenPower& hiddenPower,
                                              std::uint64_t seed) const {
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},{},{},{},{},{},"), iv[0], iv[1], iv[2], iv[3], iv[4], iv[5]);
  out += hiddenPowerTypeNames_[hiddenPower.type];
  fmt::format_to(std::back_inserter(out), FMT_COMPILE(",{},{:016X}"), hiddenPower.power, seed);
}

void ResultFormatter::append(std::string& out, const SearchCursor& moment, std::uint64_t seed,
                             const IvMatch& match) const {
  appendMoment(out, moment);
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},"), match.position);
  appendIvsAndHiddenPower(out, match.ivs, match.hiddenPower, seed);
  appendKeysAndLineEnd(out, moment.keyMask);
}

void ResultFormatter::append(std::string& out, const SearchCursor& moment, std::uint64_t seed,
                             const ShinyPidMatch& match) const {
  appendMoment(out, moment);
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},"), match.ivPosition);
  appendIvsAndHiddenPower(out, match.ivs, match.hiddenPower, seed);
  // This column shows one less than the position of the PID's value (position 0 shows as
  // -1): users compare it with result files that have always counted so.
  fmt::format_to(std::back_inserter(out), FMT_COMPILE(",{},{:08X},{:08X}"), match.pidPosition - 1, match.random,
                 match.pid);
  appendKeysAndLineEnd(out, moment.keyMask);
}

void ResultFormatter::append(std::string& out, const SearchCursor& moment, std::uint64_t seed,
                             const InheritanceMatch& match) const {
  appendMoment(out, moment);
  const IvSet& iv = match.drawnIvs;
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},{},{},{},{},{},{},{:016X},{},"), match.ivPosition, iv[0],
                 iv[1], iv[2], iv[3], iv[4], iv[5], seed, match.eggPosition);
  for (const InheritancePick& pick : match.picks) out += inheritanceEntries_[pick.stat][pick.parent];
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},{}"), match.genderValue, match.abilitySlot);
  appendKeysAndLineEnd(out, moment.keyMask);
}

void ResultFormatter::append(std::string& out, const SearchCursor& moment, std::uint64_t seed,
                             const DeliverymanMatch& match) const {
  appendMoment(out, moment);
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},"), match.position);
  out += natureNames_[match.nature];  // filled out to five characters with ideographic spaces
  out += ',';
  appendIvsAndHiddenPower(out, match.ivs, match.hiddenPower, seed);
  appendKeysAndLineEnd(out, moment.keyMask);
}

void ResultFormatter::append(std::string& out, const SearchCursor& moment, std::uint64_t seed,
                             const CometShardMatch& match) const {
  appendMoment(out, moment);
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},{:016X}"), match.position, seed);
  appendKeysAndLineEnd(out, moment.keyMask);
}

void ResultFormatter::append(std::string& out, const SearchCursor& moment, std::uint64_t seed,
                             const DomeMatch& match) const {
  appendMoment(out, moment);
  fmt::format_to(std::back_inserter(out), FMT_COMPILE("{},{},{:016X}"), match.lowerPosition, match.upperPosition, seed);
  appendKeysAndLineEnd(out, moment.keyMask);
}

}  // namespace hanabira
