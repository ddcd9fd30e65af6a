// The search engine on settings made from the fuzzer's bytes, held to the plain reference
// path: the same bytes (header and lines), the same counts, and the same refusal of
// settings a search cannot use. Every mode, every option over its list and past its
// ends, now and then any int (the ends of int often), any console, now and then an
// edition and ranges of VCount and Timer0; settings that would make the reference slow
// are cut down so that each input runs fast. The thread count, chunk size and
// instruction-set level are drawn as well.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "core/calendar.h"
#include "core/edition.h"
#include "core/kernel_levels.h"
#include "engine/boot_moment_space.h"
#include "engine/search_engine.h"
#include "engine/settings_validation.h"
#include "fuzz_support.h"
#include "mode_choice.h"

namespace hanabira::fuzz {
namespace {

// A personality-value position beyond this is out of the reference's reach (it steps
// there one value at a time); such searches are held to the scalar single-thread path.
constexpr int referenceReach = 200'000;

void chooseConsole(ByteReader& in, SearchSettings& s) {
  s.versionWord = in.oneIn(8) ? in.word() : in.flag() ? whiteVersionWord : blackVersionWord;
  s.vcount = in.word();
  s.timer0 = in.word();
  s.gxStat = in.word();
  s.frame = in.anyInt();
  MacAddress mac;
  for (auto& byte : mac) byte = static_cast<std::uint8_t>(in.bits(8));
  applyMacAddress(s, mac);
  s.is3ds = in.flag();
}

// value + delta, held within int.
int plus(int value, std::int64_t delta) {
  constexpr std::int64_t low = std::numeric_limits<int>::min(), high = std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(value + delta, low, high));
}

// A value from low to high; now and then just past either end, rarely any int.
int aroundRange(ByteReader& in, int low, int high) {
  if (in.oneIn(64)) return in.anyInt();
  return in.oneIn(16) ? in.intBetween(low - 1, high + 1) : in.intBetween(low, high);
}

// One day or two (across a month's end now and then), rarely off the calendar or
// ending before the start.
void chooseDates(ByteReader& in, SearchSettings& s) {
  s.startYear = aroundRange(in, 0, 99);
  s.startMonth = aroundRange(in, 1, 12);
  const bool onCalendar = s.startYear >= 0 && s.startYear <= 99 && s.startMonth >= 1 && s.startMonth <= 12;
  const int lastDay = onCalendar ? daysInMonth(s.startYear, s.startMonth) : 31;
  s.startDay = in.flag() ? lastDay : aroundRange(in, 1, lastDay);
  s.endYear = s.startYear;
  s.endMonth = s.startMonth;
  s.endDay = in.oneIn(64) ? in.anyInt() : std::min(lastDay, plus(s.startDay, in.intBetween(0, 1)));
  if (in.oneIn(4) && onCalendar && !(s.startYear == 99 && s.startMonth == 12)) {  // into the next month
    s.endMonth = s.startMonth % 12 + 1;
    s.endYear = s.startMonth == 12 ? s.startYear + 1 : s.startYear;
    s.endDay = 1;
  } else if (in.oneIn(16)) {
    s.endDay = plus(s.startDay, -1);
  }
}

// A range from `start` over `length` - 1 more values, or empty (-1), rarely past the clock.
void chooseRange(ByteReader& in, int& start, int& end, int high, int longest) {
  start = aroundRange(in, 0, high);
  end = in.oneIn(32) ? aroundRange(in, 0, high) : std::min(high, plus(start, in.intBetween(-1, longest - 1)));
}

// Key input over at most three keys (eight masks), X and Y among them, sometimes with a
// limit on the keys held at once.
void chooseKeys(ByteReader& in, SearchSettings& s) {
  s.keyInputEnabled = in.oneIn(3);
  s.keyAllowed.fill(false);
  for (int k = in.intBetween(0, 3); k > 0; --k) {
    s.keyAllowed[static_cast<std::size_t>(in.intBetween(0, keyMaskBits - 1))] = true;
  }
  if (!s.keyInputEnabled && in.flag()) s.keyAllowed.fill(true);  // without key input they count for nothing
  s.excludeOppositeAndReset = in.flag();
  s.keyXYEnabled = in.flag();
  if (in.oneIn(4)) s.keyCountMax = in.intBetween(0, 3);
}

void chooseIvFilters(ByteReader& in, SearchSettings& s) {
  s.roaming = in.flag();
  for (std::size_t k = 0; k < 6; ++k) {
    s.ivMin[k] = in.flag() ? 0 : aroundRange(in, 0, 31);
    s.ivMax[k] = in.flag() ? 31 : aroundRange(in, 0, 31);
  }
  s.hiddenPowerType = in.flag() ? -1 : in.oneIn(16) ? in.anyInt() : in.intBetween(-1, 15);
  s.hiddenPowerMinPower = in.oneIn(16) ? in.anyInt() : in.intBetween(0, 75);
  const int start = in.oneIn(8)    ? in.intBetween(600, 650)
                    : in.oneIn(16) ? in.intBetween(9990, 10001)
                    : in.oneIn(32) ? in.anyInt()
                                   : in.intBetween(0, 12);
  s.ivConsumptionMin = start;
  s.ivConsumptionMax = in.oneIn(32) ? in.anyInt() : plus(start, in.intBetween(-1, 6));
}

void choosePidRange(ByteReader& in, SearchSettings& s) {
  const int start = in.oneIn(16) ? in.intBetween(2790, 2810) : in.oneIn(32) ? in.anyInt() : in.intBetween(0, 60);
  s.pidConsumptionMin = start;
  s.pidConsumptionMax = in.oneIn(16)   ? in.intBetween(2795, 5000)
                        : in.oneIn(32) ? in.anyInt()
                                       : plus(start, in.intBetween(-1, 150));
}

void chooseModeOptions(ByteReader& in, SearchSettings& s) {
  s.trainerId = static_cast<std::uint16_t>(in.bits(16));
  s.secretId = static_cast<std::uint16_t>(in.bits(16));
  s.shinyEncounterKind = aroundRange(in, 1, 3);
  s.shinyNature = in.flag() ? 0 : aroundRange(in, 0, 25);
  s.idCorrection = in.flag();

  for (std::size_t k = 0; k < 6; ++k) {  // typed with up to 255 characters: any number
    s.firstParentIvs[k] = in.flag() ? 31 : in.oneIn(16) ? in.anyInt() : in.intBetween(0, 31);
    s.secondParentIvs[k] = in.flag() ? 31 : in.oneIn(16) ? in.anyInt() : in.intBetween(0, 31);
  }
  s.withoutDitto = in.flag();
  s.eggNature = aroundRange(in, -1, 25);
  s.eggAbility = aroundRange(in, 0, 3);
  s.eggGenderRatio = aroundRange(in, 0, 8);

  s.compoundEyes = in.flag();
  for (int& trainer : s.domeTrainers) trainer = in.flag() ? 0 : aroundRange(in, 0, 52);
  s.domeConsumptionSlack = in.oneIn(16) ? in.anyInt() : in.intBetween(-1, 4);

  s.deliveryNaturePosition = in.oneIn(16)   ? in.intBetween(100'000, 100'500)
                             : in.oneIn(16) ? in.anyInt()
                                            : in.intBetween(0, 200);
  s.deliveryNature = in.flag() ? 0 : aroundRange(in, 0, 25);
  s.deliveryShiny = in.flag();
  s.deliveryTrainerId = static_cast<std::uint16_t>(in.bits(16));
  s.deliverySecretId = static_cast<std::uint16_t>(in.bits(16));
}

// A range now and then: mostly a few values anywhere in 16 bits or at their top end;
// rarely one the search refuses (past 16 bits, ending below its start, or wide enough
// that the pairs pass their limit).
std::optional<ParameterRange> chooseParameterRange(ByteReader& in) {
  if (!in.flag()) return std::nullopt;
  const std::uint32_t min = in.oneIn(16)  ? in.word()
                            : in.oneIn(8) ? 0xFFFF - static_cast<std::uint32_t>(in.intBetween(0, 3))
                                          : static_cast<std::uint32_t>(in.bits(16));
  const std::uint32_t length = in.oneIn(16)   ? static_cast<std::uint32_t>(in.intBetween(0, 0x3FFF))
                               : in.oneIn(16) ? 0xFFFFFFFF  // the end one below the start
                                              : static_cast<std::uint32_t>(in.intBetween(0, 3));
  return ParameterRange{min, min + length};
}

// Drawn last, so that the inputs found before there were editions keep their settings.
void chooseEditionAndRanges(ByteReader& in, SearchSettings& s) {
  if (in.flag()) {
    s.edition = Edition{static_cast<Game>(in.intBetween(0, gameCount - 1)),
                        static_cast<Language>(in.intBetween(0, languageCount - 1)),
                        static_cast<ConsoleKind>(in.intBetween(0, consoleKindCount - 1))};
  }
  s.vcountRange = chooseParameterRange(in);
  s.timer0Range = chooseParameterRange(in);
}

std::int64_t positionsIn(int first, int last) { return std::max<std::int64_t>(0, std::int64_t{last} - first + 1); }

// How far past its positions the mode reads, one value at a time in the reference.
std::int64_t readsAhead(const SearchSettings& s, const SearchModeDefinition& mode) {
  return mode.readsAhead != nullptr ? s.*mode.readsAhead : 0;
}

// The reference's work on one boot moment, in positions (or pairs of positions) it tries:
// a mode of both sequences tries every personality-value position for each
// individual-value one, and steps to what it reads ahead one value at a time.
std::int64_t workPerMoment(const SearchSettings& s, const SearchModeDefinition& mode) {
  const std::int64_t ivRange = positionsIn(s.ivConsumptionMin, s.ivConsumptionMax);
  const std::int64_t ivs = mode.readsIndividualValues ? std::max<std::int64_t>(1, ivRange) : 1;
  if (!mode.readsPersonalityValues) return ivs;
  const std::int64_t pids = positionsIn(s.pidConsumptionMin, std::min(s.pidConsumptionMax, pidConsumptionLimit));
  return std::max<std::int64_t>(1, ivs * pids + readsAhead(s, mode));
}

// Valid settings of any size are cut down so that every input runs fast: a long
// individual-value range first, then the boot moments from the dates inward, then the
// ranges of Timer0 and VCount, down to one moment if need be.
void limitWork(SearchSettings& s) {
  constexpr std::int64_t maxWorkPerMoment = 1 << 16;
  constexpr std::int64_t maxWork = 1 << 17;
  constexpr std::uint64_t maxMoments = 4096;
  using Narrowing = void (*)(SearchSettings&);
  constexpr Narrowing narrowings[] = {
      [](SearchSettings& t) {
        t.endYear = t.startYear;
        t.endMonth = t.startMonth;
        t.endDay = t.startDay;
      },
      [](SearchSettings& t) { t.endHour = t.startHour; },
      [](SearchSettings& t) { t.endMinute = t.startMinute; },
      [](SearchSettings& t) { t.endSecond = t.startSecond; },
      [](SearchSettings& t) { t.keyInputEnabled = false; },
      [](SearchSettings& t) {
        if (t.timer0Range) t.timer0Range->max = t.timer0Range->min;
      },
      [](SearchSettings& t) {
        if (t.vcountRange) t.vcountRange->max = t.vcountRange->min;
      },
  };

  if (findSettingsProblem(s)) return;  // refused before any work
  const SearchModeDefinition& mode = selectedMode(s);
  const std::int64_t work = workPerMoment(s, mode);
  if (work > maxWorkPerMoment && mode.readsIndividualValues && s.ivConsumptionMin <= s.ivConsumptionMax) {
    const std::int64_t ivs = positionsIn(s.ivConsumptionMin, s.ivConsumptionMax);
    s.ivConsumptionMax = plus(s.ivConsumptionMin, std::max<std::int64_t>(1, ivs * maxWorkPerMoment / work) - 1);
  }
  const auto moments = static_cast<std::uint64_t>(std::max<std::int64_t>(1, maxWork / workPerMoment(s, mode)));
  for (const Narrowing narrow : narrowings) {
    if (BootMomentSpace(s).size() <= std::min(moments, maxMoments)) return;
    narrow(s);
  }
}

struct Outcome {
  std::string bytes;
  SearchSummary summary;
  std::string refusal;  // the message of InvalidSettingsError, if the search refused
};

template <typename Search>
Outcome run(Search search, const SearchSettings& settings, const SearchOptions& options) {
  Outcome outcome;
  StringSink sink;
  try {
    outcome.summary = search(settings, sink, options);
  } catch (const InvalidSettingsError& error) {
    outcome.refusal = error.what();
    require(sink.text().empty(), "a refused search writes nothing");
  }
  outcome.bytes = sink.text();
  return outcome;
}

std::uint64_t lineCount(const std::string& bytes) {
  std::uint64_t lines = 0;
  for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++lines;
  return lines;
}

}  // namespace
}  // namespace hanabira::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace hanabira;
  using namespace hanabira::fuzz;
  ByteReader in(data, size);

  SearchSettings settings;
  chooseMode(in, settings);
  chooseConsole(in, settings);
  chooseDates(in, settings);
  chooseRange(in, settings.startHour, settings.endHour, 23, 2);
  chooseRange(in, settings.startMinute, settings.endMinute, 59, 2);
  chooseRange(in, settings.startSecond, settings.endSecond, 59, 4);
  chooseKeys(in, settings);
  chooseIvFilters(in, settings);
  choosePidRange(in, settings);
  chooseModeOptions(in, settings);

  SearchOptions options;
  options.encoding = in.flag() ? TextEncoding::Utf8 : TextEncoding::Cp932;
  options.threads = static_cast<unsigned>(in.intBetween(1, 3));
  options.chunkMoments = in.flag() ? 0 : static_cast<std::uint64_t>(in.intBetween(1, 40));
  const std::vector<Isa> isas = supportedIsas();
  options.isa = isas[static_cast<std::size_t>(in.intBetween(0, static_cast<int>(isas.size()) - 1))];
  chooseEditionAndRanges(in, settings);
  limitWork(settings);

  const Outcome fast = run(runSearch, settings, options);
  const bool farAhead = readsAhead(settings, selectedMode(settings)) > referenceReach;
  SearchOptions plainOptions = options;
  plainOptions.threads = 1;
  plainOptions.isa = Isa::Scalar;
  const Outcome plain = farAhead ? run(runSearch, settings, plainOptions) : run(runReferenceSearch, settings, options);

  require(fast.refusal == plain.refusal,
          "both paths refuse the same settings: '" + fast.refusal + "' and '" + plain.refusal + "'");
  if (!fast.refusal.empty()) return 0;
  require(fast.bytes == plain.bytes, "the fast path writes the reference's bytes");
  require(fast.summary.mode == plain.summary.mode, "both paths run the same mode");
  require(fast.summary.candidates == plain.summary.candidates, "both paths count the same matches");
  require(
      fast.summary.momentsTotal == plain.summary.momentsTotal && fast.summary.momentsDone == plain.summary.momentsDone,
      "both paths count the same boot moments");
  require(fast.summary.momentsDone == fast.summary.momentsTotal && !fast.summary.cancelled,
          "the search ran to its end");
  require(lineCount(fast.bytes) == fast.summary.candidates + 1, "one header and one line per match");
  return 0;
}
