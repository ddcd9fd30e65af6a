// The result file's text: one header line naming the columns of the search mode, then
// one comma-separated line per match, each ended by CR LF. With key input, the header
// gains ",キー入力" and every line one more field naming the keys held. A search over
// ranges of VCount or Timer0 names both after the seconds: the header gains
// "VCount,Timer0," there and every line the two values in hexadecimal ("82,10F3,"). Each mode writes
// its own lines from the pieces here; the names come encoded once per search. In English
// the header's words, the names and the key names are English ones, all ASCII; numbers,
// columns and lines stay as in Japanese.
//
// Two choices change the lines only when asked for: the players' numbering of the IV
// positions, and a column of the game's own advances after boot ("初期消費", "Initial
// advances") after the mode's columns and before the keys.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/boot_moment.h"
#include "core/initial_seed.h"
#include "core/search_settings.h"
#include "evaluate/iv_rules.h"

namespace hanabira {

// The result file is CP932 by tradition; UTF-8 suits tools that expect it.
enum class TextEncoding { Cp932, Utf8 };

// The encoding a result file has unless the user chooses one: a Japanese file keeps CP932,
// an English one is UTF-8 as English tools expect.
constexpr TextEncoding defaultEncoding(ResultLanguage language) {
  return language == ResultLanguage::English ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

struct ResultWords;

// The column a search over several console profiles puts first, naming each line's
// profile (UTF-8): "プロファイル", "Profile".
std::string_view profileColumnName(ResultLanguage language);

// The choices of the result file beyond its language and encoding, which the defaults
// leave as the file has always been.
struct ResultColumnChoices {
  Game game = Game::Black;  // whose numbering and whose advances
  IvNumbering ivNumbering = IvNumbering::Positions;
  bool initialAdvances = false;
  bool memoryLink = false;
};

// The choices a search's settings make; a search without an edition is one of Black
// and White, whose rules are the same.
ResultColumnChoices resultColumnChoices(const SearchSettings& settings);

class ResultText {
 public:
  // `columns`: the mode's header before the key column (UTF-8), in `language`; it starts
  // with the six columns of the moment.
  ResultText(std::string_view columns, bool keyInputEnabled, TextEncoding encoding = TextEncoding::Cp932,
             bool parameterColumns = false, ResultLanguage language = ResultLanguage::Japanese,
             const ResultColumnChoices& choices = {});

  std::string header() const;

  // "year,month,day,hour,minute,second," and, with the parameter columns, "vcount,timer0,"
  void appendMoment(std::string& out, const BootMoment& moment) const;
  // "H,A,B,C,D,S,type name,power,seed"
  void appendIvsAndHiddenPower(std::string& out, const IvSet& ivs, const HiddenPower& hiddenPower,
                               InitialSeed seed) const;
  // The IV position as the chosen numbering shows it.
  int shownIvPosition(int position) const;
  // ",52" for the game's own advances from `seed`, when asked for; ",A St" for the keys
  // held (X and Y last), when key input is on; then CR LF.
  void appendLineEnd(std::string& out, InitialSeed seed, int keyMask) const;

  // Encoded names. A Japanese nature's is filled out to five characters with ideographic
  // spaces; an English one is not filled out.
  const std::string& natureName(int nature) const { return natureNames_[static_cast<std::size_t>(nature)]; }
  // "H-先," ... "S-後,": the stat's label, the parent and the comma that ends the field
  // ("HP-A," ... "Spe-B," in English).
  const std::string& inheritanceEntry(int stat, int parent) const {
    return inheritanceEntries_[static_cast<std::size_t>(stat)][static_cast<std::size_t>(parent)];
  }

 private:
  std::string encode(std::string_view utf8) const;

  const ResultWords* words_;  // the language's, which live as long as the program
  std::string columns_;
  bool keyInputEnabled_;
  TextEncoding encoding_;
  bool parameterColumns_;
  ResultColumnChoices choices_;
  std::array<std::string, 16> hiddenPowerTypeNames_;
  std::array<std::string, 25> natureNames_;
  std::array<std::array<std::string, 2>, 6> inheritanceEntries_;
  // ",A St" for every mask of held keys (a 0 bit is a key held), so that a line appends
  // its keys at once; empty without key input.
  std::vector<std::string> keyFields_;
};

}  // namespace hanabira
