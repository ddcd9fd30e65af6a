#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>

#include "core/kernel_levels.h"
#include "core/lcg64.h"
#include "evaluate/comet_shard_search.h"
#include "evaluate/reference_sequences.h"
#include "evaluate/search_modes.h"

namespace hanabira::testing {

std::string sourceTreePath(std::string_view relative) {
  std::string path = HANABIRA_SOURCE_DIR "/";
  path += relative;
  return path;
}

SearchSettings workedExampleSettings() {
  SearchSettings settings;
  settings.vcount = 0x60;
  settings.timer0 = 0xC79;
  settings.gxStat = 0x06000000;
  settings.frame = 8;
  applyMacAddress(settings, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55});
  settings.startYear = settings.endYear = 11;
  settings.startMonth = settings.endMonth = 9;
  settings.startDay = settings.endDay = 27;
  settings.startHour = settings.endHour = 13;
  settings.startMinute = settings.endMinute = 47;
  settings.startSecond = settings.endSecond = 35;
  return settings;
}

namespace {

int uniform(std::mt19937_64& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

bool chance(std::mt19937_64& random, double p) { return std::bernoulli_distribution(p)(random); }

}  // namespace

SearchSettings randomIvSearchSettings(std::mt19937_64& random) {
  SearchSettings s;
  s.versionWord = chance(random, 0.5) ? blackVersionWord : whiteVersionWord;
  s.vcount = static_cast<std::uint32_t>(uniform(random, 0, 0xFFF));
  s.timer0 = static_cast<std::uint32_t>(uniform(random, 0, 0xFFFF));
  s.gxStat = static_cast<std::uint32_t>(random());
  s.frame = uniform(random, -10, 10);
  MacAddress mac;
  for (auto& byte : mac) byte = static_cast<std::uint8_t>(uniform(random, 0, 255));
  applyMacAddress(s, mac);
  s.is3ds = chance(random, 0.3);

  // A day or three, sometimes across a month's end or February 29.
  const int year = uniform(random, 0, 99);
  const int month = uniform(random, 1, 12);
  const int lastDay = month == 2                                                ? (year % 4 == 0 ? 29 : 28)
                      : (month == 4 || month == 6 || month == 9 || month == 11) ? 30
                                                                                : 31;
  s.startYear = year;
  s.startMonth = month;
  s.startDay = chance(random, 0.5) ? lastDay - uniform(random, 0, 1) : uniform(random, 1, lastDay);
  s.endYear = year;
  s.endMonth = month;
  s.endDay = s.startDay;
  if (chance(random, 0.4) && !(year == 99 && month == 12)) {  // into the next month
    s.endMonth = month % 12 + 1;
    s.endYear = month == 12 ? year + 1 : year;
    s.endDay = 1;
  }

  s.keyInputEnabled = chance(random, 0.4);
  for (bool& allowed : s.keyAllowed) allowed = chance(random, 0.7);
  s.excludeOppositeAndReset = chance(random, 0.7);
  s.keyXYEnabled = chance(random, 0.5);
  if (chance(random, 0.3)) s.keyCountMax = uniform(random, 0, keyMaskBits);
  const int span = s.keyInputEnabled ? 0 : 2;
  // Up to four times the masks with X and Y: one hour and one second of them.
  const bool twelveKeys = s.keyInputEnabled && s.keyXYEnabled;
  s.startHour = uniform(random, 0, 23);
  s.endHour = std::clamp(s.startHour + uniform(random, -1, twelveKeys ? 0 : 1), 0, 23);  // sometimes before the start
  s.startMinute = uniform(random, 0, 59);
  s.endMinute = std::min(59, s.startMinute + uniform(random, 0, span));
  s.startSecond = uniform(random, 0, 59);
  s.endSecond = std::min(59, s.startSecond + uniform(random, 0, twelveKeys ? 0 : 3));

  s.roaming = chance(random, 0.3);
  for (int k = 0; k < 6; ++k) {
    s.ivMin[k] = chance(random, 0.7) ? 0 : uniform(random, 0, 20);
    s.ivMax[k] = chance(random, 0.7) ? 31 : uniform(random, s.ivMin[k], 31);
  }
  s.hiddenPowerType = chance(random, 0.6) ? -1 : uniform(random, 0, 15);
  s.hiddenPowerMinPower = chance(random, 0.6) ? 30 : uniform(random, 30, 70);
  if (chance(random, 0.15)) {  // positions past the first block of the generator
    s.ivConsumptionMin = uniform(random, 215, 640);
  } else {
    s.ivConsumptionMin = uniform(random, 0, 12);
  }
  s.ivConsumptionMax = s.ivConsumptionMin + uniform(random, -1, 6);
  return s;
}

namespace {

// A personality-value range: from 0 (an edge of every mode) or a little later, sometimes
// empty, up to about 150 positions long.
void randomPidRange(std::mt19937_64& random, SearchSettings& s, int longest) {
  s.pidConsumptionMin = chance(random, 0.2) ? 0 : uniform(random, 1, 60);
  s.pidConsumptionMax = s.pidConsumptionMin + uniform(random, -1, longest);
}

std::uint16_t randomId(std::mt19937_64& random) { return static_cast<std::uint16_t>(random()); }

// Parents' values: mostly in 0 to 31, now and then typed out of range.
int randomParentIv(std::mt19937_64& random) {
  if (chance(random, 0.05)) return uniform(random, -40, 80);
  return chance(random, 0.4) ? 31 : uniform(random, 0, 31);
}

}  // namespace

namespace {

// Each mode's options drawn from their whole lists and their edges (flags of modes of
// lower priority are set now and then too); the mode's own flag is set already.

void randomShinyOptions(std::mt19937_64& random, SearchSettings& s) {
  s.trainerId = randomId(random);
  s.secretId = randomId(random);
  s.shinyEncounterKind = uniform(random, 1, 3);
  s.shinyNature = chance(random, 0.5) ? 0 : uniform(random, 1, 25);
  s.idCorrection = chance(random, 0.4);
  randomPidRange(random, s, 150);
}

void randomInheritanceOptions(std::mt19937_64& random, SearchSettings& s) {
  s.shinyPidSearch = chance(random, 0.3);
  s.trainerId = randomId(random);
  s.secretId = randomId(random);
  for (int k = 0; k < 6; ++k) {
    s.firstParentIvs[k] = randomParentIv(random);
    s.secondParentIvs[k] = randomParentIv(random);
  }
  s.withoutDitto = chance(random, 0.5);
  s.eggNature = uniform(random, -1, 25);
  if (chance(random, 0.5)) s.eggNature = uniform(random, -1, 0);
  s.eggAbility = uniform(random, 0, s.withoutDitto ? 3 : 2);  // a Ditto never passes the hidden one on
  s.eggGenderRatio = uniform(random, 0, 8);
  randomPidRange(random, s, 100);
}

void randomDeliverymanOptions(std::mt19937_64& random, SearchSettings& s) {
  s.inheritanceSearch = chance(random, 0.2);
  s.shinyPidSearch = chance(random, 0.2);
  s.deliveryNature = chance(random, 0.5) ? 0 : uniform(random, 1, 25);
  s.deliveryShiny = chance(random, 0.3);
  s.deliveryTrainerId = randomId(random);
  s.deliverySecretId = randomId(random);
  randomPidRange(random, s, 150);
  if (chance(random, 0.1)) {
    // Far behind the values: the reference steps all the way, so keep the moments few.
    s.deliveryNaturePosition = 100000 + uniform(random, 0, 1000);
    s.keyInputEnabled = false;
    s.endSecond = s.startSecond;
  } else {
    s.deliveryNaturePosition = chance(random, 0.3) ? uniform(random, 0, 1) * 10 : uniform(random, 0, 200);
  }
}

void randomCometShardOptions(std::mt19937_64& random, SearchSettings& s) {
  s.deliverymanSearch = chance(random, 0.2);
  s.compoundEyes = chance(random, 0.5);
  randomPidRange(random, s, 150);
}

void randomDomeOptions(std::mt19937_64& random, SearchSettings& s) {
  s.cometShardSearch = chance(random, 0.2);
  s.deliverymanSearch = chance(random, 0.2);
  // Mostly one to three trainers wanted (in any of the six boxes, the same one twice
  // now and then); none wanted lets every position match.
  s.domeTrainers.fill(0);
  for (int named = chance(random, 0.05) ? 0 : uniform(random, 1, 3); named > 0; --named) {
    s.domeTrainers[static_cast<std::size_t>(uniform(random, 0, 5))] = uniform(random, 1, 52);
  }
  s.domeConsumptionSlack = uniform(random, -1, 3);
  randomPidRange(random, s, 150);
}

struct RandomOptions {
  SearchMode mode;
  void (*draw)(std::mt19937_64& random, SearchSettings& s);
};
constexpr RandomOptions randomOptions[] = {
    {SearchMode::ShinyPidSearch, randomShinyOptions},
    {SearchMode::InheritanceSearch, randomInheritanceOptions},
    {SearchMode::DeliverymanSearch, randomDeliverymanOptions},
    {SearchMode::CometShardSearch, randomCometShardOptions},
    {SearchMode::DomeSearch, randomDomeOptions},
};

}  // namespace

SearchSettings randomSettings(std::mt19937_64& random, SearchMode mode) {
  SearchSettings s = randomIvSearchSettings(random);
  const SearchModeDefinition& row = definitionOf(mode);
  if (row.flag != nullptr) s.*row.flag = true;
  for (const RandomOptions& options : randomOptions) {
    if (options.mode == mode) options.draw(random, s);
  }
  return s;
}

BothEvaluations evaluateBothWays(const SearchSettings& settings, const BootMoment& moment, InitialSeed seed) {
  const SearchModeDefinition& mode = selectedMode(settings);
  const ResultText text(mode.columnsIn(settings.resultLanguage), settings.keyInputEnabled, TextEncoding::Utf8, false,
                        settings.resultLanguage, resultColumnChoices(settings));
  BothEvaluations both;
  both.referenceLines = mode.evaluateReference(settings, text, moment, seed, both.reference);
  // The fast evaluation of every level this CPU runs; they must agree with each other.
  for (Isa isa : supportedIsas()) {
    const auto evaluator = mode.makeEvaluator(settings, text, kernelsFor(isa));
    LineOutput out;
    evaluator->evaluate(MomentList(std::span(&moment, 1)), std::span(&seed, 1), out);
    const std::string& fast = out.text();
    const auto lines = static_cast<std::size_t>(out.lineCount());  // a few lines of one moment
    if (isa == supportedIsas().front()) {
      both.fast = fast;
      both.fastLines = lines;
    } else if (fast != both.fast || lines != both.fastLines) {
      ADD_FAILURE() << isaName(isa) << " disagrees with " << isaName(supportedIsas().front());
    }
  }
  return both;
}

std::uint16_t shinyTrainerId(std::uint32_t pid, std::uint16_t secretId, std::mt19937_64& random) {
  return static_cast<std::uint16_t>(secretId ^ (pid >> 16) ^ (pid & 0xFFFF) ^ (random() % 8));
}

InitialSeed cometShardSeedAt(std::int64_t first, bool compoundEyes, std::mt19937_64& random) {
  for (;;) {
    const std::uint64_t state = random();
    Lcg64 lcg(state);
    std::array<std::uint32_t, 11> values;
    for (auto& value : values) value = lcg.next();
    if (cometShardFound(values.data(), compoundEyes)) return seedWithStateAt(first, state);
  }
}

std::uint32_t eggPidAt(InitialSeed seed, int c, const SearchSettings& settings) {
  PlainPidSequence r(seed);
  std::int64_t q = c + (settings.withoutDitto ? 2 : 3) + (settings.eggNature == 0 ? 1 : 0);
  for (unsigned chosen = 0; std::popcount(chosen) < 3; q += 2) chosen |= 1u << scaledRandom(r[q], 6);
  return r[q] == 0 ? 0 : r[q] - 1;
}

InitialSeed seedWithStateAt(std::int64_t position, std::uint64_t state) {
  return Lcg64::jump(0 - static_cast<std::uint64_t>(position)).apply(state);
}

std::string fastResult(const SearchSettings& settings, SearchOptions options) {
  StringSink sink;
  runSearch(settings, sink, options);
  return sink.text();
}

std::string referenceResult(const SearchSettings& settings, SearchOptions options) {
  StringSink sink;
  runReferenceSearch(settings, sink, options);
  return sink.text();
}

}  // namespace hanabira::testing

namespace hanabira::testing {

unsigned testThreads(unsigned wanted) {
#ifdef HANABIRA_TESTS_ON_ONE_THREAD
  return wanted > 0 ? 1 : 0;
#else
  return wanted;
#endif
}

SearchOptions utf8() {
  SearchOptions options;
  options.encoding = TextEncoding::Utf8;
  return options;
}

}  // namespace hanabira::testing
