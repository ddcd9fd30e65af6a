// The result file's text: one header line naming the columns of the search mode, then
// one comma-separated line per match, each ended by CR LF. With key input, the header
// gains ",キー入力" and every line one more field naming the keys held.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/boot_moment.h"
#include "core/search_mode.h"
#include "evaluate/egg_rules.h"
#include "evaluate/iv_rules.h"

namespace hanabira {

// The result file is CP932 by tradition; UTF-8 suits tools that expect it.
enum class TextEncoding { Cp932, Utf8 };

struct IvMatch {
  int position;  // in the individual-value random sequence
  IvSet ivs;
  HiddenPower hiddenPower;
};

struct ShinyPidMatch {
  int ivPosition;
  IvSet ivs;
  HiddenPower hiddenPower;
  int pidPosition;       // of the value that gives the PID
  std::uint32_t random;  // that value
  std::uint32_t pid;
};

struct InheritanceMatch {
  int ivPosition;
  IvSet drawnIvs;  // before inheritance
  int eggPosition;
  InheritancePicks picks;  // in drawing order
  int genderValue;
  int abilitySlot;
};

struct DeliverymanMatch {
  int position;  // of the H value
  int nature;
  IvSet ivs;
  HiddenPower hiddenPower;
};

struct CometShardMatch {
  int position;
};

// Every position from lower to upper matches.
struct DomeMatch {
  int lowerPosition;
  int upperPosition;
};

class ResultFormatter {
 public:
  ResultFormatter(SearchMode mode, bool keyInputEnabled, TextEncoding encoding = TextEncoding::Cp932);

  SearchMode mode() const { return mode_; }
  std::string header() const;

  // One line per match, in the layout of the match's mode.
  void append(std::string& out, const SearchCursor& moment, std::uint64_t seed, const IvMatch& match) const;
  void append(std::string& out, const SearchCursor& moment, std::uint64_t seed, const ShinyPidMatch& match) const;
  void append(std::string& out, const SearchCursor& moment, std::uint64_t seed, const InheritanceMatch& match) const;
  void append(std::string& out, const SearchCursor& moment, std::uint64_t seed, const DeliverymanMatch& match) const;
  void append(std::string& out, const SearchCursor& moment, std::uint64_t seed, const CometShardMatch& match) const;
  void append(std::string& out, const SearchCursor& moment, std::uint64_t seed, const DomeMatch& match) const;

 private:
  std::string encode(std::string_view utf8) const;
  void appendMoment(std::string& out, const SearchCursor& moment) const;
  void appendIvsAndHiddenPower(std::string& out, const IvSet& ivs, const HiddenPower& hiddenPower,
                               std::uint64_t seed) const;
  void appendKeysAndLineEnd(std::string& out, int keyMask) const;

  SearchMode mode_;
  bool keyInputEnabled_;
  TextEncoding encoding_;
  std::array<std::string, 16> hiddenPowerTypeNames_;
  std::array<std::string, 25> natureNames_;
  // "H-先," ... "S-後,", indexed by stat and parent.
  std::array<std::array<std::string, 2>, 6> inheritanceEntries_;
  std::array<std::string, 10> keyNames_;
};

}  // namespace hanabira
