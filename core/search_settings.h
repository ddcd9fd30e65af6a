// Everything the user chooses for one search. A search works on a copy taken when it
// starts, so the front ends may keep editing theirs while it runs.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/boot_moment.h"
#include "core/edition.h"
#include "core/parameter_range.h"

namespace hanabira {

inline constexpr std::uint32_t blackVersionWord = 0x02215F10;
inline constexpr std::uint32_t whiteVersionWord = 0x02215F30;

// The game keeps room for personality-value positions up to this one; a search lowers a
// larger upper bound to it.
inline constexpr int pidConsumptionLimit = 2800;
// The largest individual-value position the main window can express (four digits).
inline constexpr int ivConsumptionLimit = 9999;

// The language of the result file's header and names: Japanese, as the file has always
// been, or English, as the English games write the names.
enum class ResultLanguage { Japanese, English };

// "ja" and "en", as the settings file and the command line write them.
constexpr std::string_view resultLanguageKey(ResultLanguage language) {
  return language == ResultLanguage::English ? "en" : "ja";
}
constexpr std::optional<ResultLanguage> resultLanguageFromKey(std::string_view key) {
  if (key == "ja") return ResultLanguage::Japanese;
  if (key == "en") return ResultLanguage::English;
  return std::nullopt;
}

// How the result file numbers individual-value positions: from the sequence's first
// output, or as the players' guides count them, from the game's first IV draw (two lower
// for Black 2 and White 2, the same for Black and White).
enum class IvNumbering { Positions, Players };

// "positions" and "players", as the settings file and the command line write them.
constexpr std::string_view ivNumberingKey(IvNumbering numbering) {
  return numbering == IvNumbering::Players ? "players" : "positions";
}
constexpr std::optional<IvNumbering> ivNumberingFromKey(std::string_view key) {
  if (key == "positions") return IvNumbering::Positions;
  if (key == "players") return IvNumbering::Players;
  return std::nullopt;
}

// Arrays of six individual values are in the order H, A, B, C, D, S.
using StatArray = std::array<int, 6>;

struct SearchSettings {
  // Console parameters. messageWord6 and messageWord7 carry the MAC address (and, in
  // word 7, GxStat and Frame); deriveMessageWords() forms them as the start of a search does.
  std::uint32_t versionWord = blackVersionWord;
  // When chosen, words W0 to W4 come from the editions table and versionWord is not read.
  std::optional<Edition> edition;
  std::uint32_t vcount = 0;
  std::uint32_t timer0 = 0;
  // Ranges searched in place of the single values above, when set.
  std::optional<ParameterRange> vcountRange;
  std::optional<ParameterRange> timer0Range;
  std::uint32_t gxStat = 0;
  int frame = 0;
  std::uint32_t messageWord6 = 0;
  std::uint32_t messageWord7 = 0;
  bool is3ds = false;

  // Boot moments: a range of dates, and on every date three independent ranges of
  // hours, minutes and seconds. Years are 0 to 99 for 2000 to 2099.
  int startYear = 0, startMonth = 0, startDay = 0;
  int endYear = 0, endMonth = 0, endDay = 0;
  int startHour = 0, endHour = 23;
  int startMinute = 0, endMinute = 59;
  int startSecond = 0, endSecond = 59;
  bool keyInputEnabled = false;
  // Indexed by the key's bit in a key mask (core/boot_moment.h): A, B, Select, Start,
  // Right, Left, Up, Down, R, L, X, Y. A key whose flag is false is never assumed held.
  std::array<bool, keyMaskBits> keyAllowed = {true, true, true, true, true, true, true, true, true, true, true, true};
  bool excludeOppositeAndReset = true;
  // X and Y may be held only with this flag; without it they stay released, and a
  // second has the masks of the ten keys of the key register alone.
  bool keyXYEnabled = false;
  // The most keys held at once (0 to keyMaskBits); none: any number.
  std::optional<int> keyCountMax;

  // Mode flags; selectSearchMode() picks the one that applies.
  bool shinyPidSearch = false;
  bool inheritanceSearch = false;
  bool deliverymanSearch = false;
  bool cometShardSearch = false;
  bool domeSearch = false;

  // Individual-value filters, shared by several modes.
  bool roaming = false;
  StatArray ivMax = {31, 31, 31, 31, 31, 31};
  StatArray ivMin = {0, 0, 0, 0, 0, 0};
  int hiddenPowerType = -1;  // -1: any type
  int hiddenPowerMinPower = 30;
  int ivConsumptionMin = 7, ivConsumptionMax = 7;
  int pidConsumptionMin = 50, pidConsumptionMax = 150;

  // Shiny personality values.
  std::uint16_t trainerId = 0;
  std::uint16_t secretId = 0;
  int shinyNature = 0;         // 0: any, k + 1: nature k
  int shinyEncounterKind = 1;  // 1 hatched, 2 roaming, 3 stationary
  bool idCorrection = false;

  // Eggs with inheritance.
  StatArray firstParentIvs = {31, 31, 31, 31, 31, 31};
  StatArray secondParentIvs = {31, 31, 31, 31, 31, 31};
  bool withoutDitto = false;
  int eggNature = 0;  // -1: any, 0: the everstone must act, k + 1: nature k
  int eggAbility = 0;
  int eggGenderRatio = 0;

  // Comet shard, dome and deliveryman.
  bool compoundEyes = true;
  StatArray domeTrainers = {0, 0, 0, 0, 0, 0};  // 0: any, k + 1: trainer k
  int domeConsumptionSlack = 0;
  int deliveryNaturePosition = 10;
  int deliveryNature = 0;
  bool deliveryShiny = false;
  std::uint16_t deliveryTrainerId = 3012;
  std::uint16_t deliverySecretId = 0;

  ResultLanguage resultLanguage = ResultLanguage::Japanese;
  IvNumbering ivNumbering = IvNumbering::Positions;
  // An added column: the advances the game makes itself after boot, from each line's
  // seed. Black 2 and White 2 count them as Memory Link has or has not been used.
  bool initialAdvances = false;
  bool memoryLink = false;
};

// The VCount and Timer0 values a search visits: the range, or the single value.
inline ParameterRange searchedVcounts(const SearchSettings& s) {
  return s.vcountRange.value_or(ParameterRange{s.vcount, s.vcount});
}
inline ParameterRange searchedTimer0s(const SearchSettings& s) {
  return s.timer0Range.value_or(ParameterRange{s.timer0, s.timer0});
}

// Whether a search covers more than one VCount or Timer0: its lines then name both.
inline bool searchesParameterRanges(const SearchSettings& s) {
  return searchedVcounts(s).count() > 1 || searchedTimer0s(s).count() > 1;
}

// Six address bytes, m0 being the leftmost pair as the address is written.
using MacAddress = std::array<std::uint8_t, 6>;

struct MessageWords {
  std::uint32_t word6;
  std::uint32_t word7;
};

constexpr std::uint32_t byteSwap32(std::uint32_t x) {
  return (x >> 24) | ((x >> 8) & 0x0000FF00u) | ((x << 8) & 0x00FF0000u) | (x << 24);
}

// Frame enters word 7 as its 32-bit two's-complement pattern.
constexpr MessageWords deriveMessageWords(const MacAddress& mac, std::uint32_t gxStat, int frame) {
  const std::uint32_t word6 = (std::uint32_t{mac[4]} << 8) | mac[5];
  const std::uint32_t macHigh =
      (std::uint32_t{mac[0]} << 24) | (std::uint32_t{mac[1]} << 16) | (std::uint32_t{mac[2]} << 8) | mac[3];
  return {word6, macHigh ^ byteSwap32(gxStat ^ static_cast<std::uint32_t>(frame))};
}

inline void applyMacAddress(SearchSettings& settings, const MacAddress& mac) {
  const MessageWords words = deriveMessageWords(mac, settings.gxStat, settings.frame);
  settings.messageWord6 = words.word6;
  settings.messageWord7 = words.word7;
}

}  // namespace hanabira
