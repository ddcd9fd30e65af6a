// Every search mode end to end: the fast engine against the plain reference search.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <random>
#include <set>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/kernel_levels.h"
#include "engine/calibration_rules.h"
#include "engine/search_engine.h"
#include "engine/settings_json.h"
#include "evaluate/reference_sequences.h"
#include "evaluate/search_modes.h"
#include "evaluate/shiny_rules.h"
#include "fuzz/mode_choice.h"
#include "test_support.h"
#include "vocab/cp932.h"

namespace hanabira {
namespace {

using testing::fastResult;
using testing::referenceResult;
using testing::utf8;

std::size_t lineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class EveryMode : public ::testing::TestWithParam<SearchMode> {};

// Every kernel level, thread count and cut of the moments into chunks writes the bytes
// of the reference search.
TEST_P(EveryMode, FastSearchWritesTheReferenceBytes) {
  std::mt19937_64 random(100 + static_cast<int>(GetParam()));
  constexpr std::array<unsigned, 4> threadCounts = {1, 2, 3, 8};
  std::size_t lines = 0;
  for (int trial = 0; trial < 80; ++trial) {
    const SearchSettings settings = testing::randomSettings(random, GetParam());
    ASSERT_EQ(selectSearchMode(settings), GetParam());
    const std::string reference = referenceResult(settings);
    for (Isa isa : supportedIsas()) {
      SearchOptions options;
      options.isa = isa;
      options.threads = testing::testThreads(threadCounts[static_cast<std::size_t>(trial) % threadCounts.size()]);
      options.chunkMoments = 1 + random() % 700;  // batches cut at odd places, chunks overtaking each other
      ASSERT_EQ(fastResult(settings, options), reference)
          << "trial " << trial << ", " << isaName(isa) << ", " << options.threads << " threads, chunks of "
          << options.chunkMoments;
    }
    lines += lineCount(reference) - 1;
  }
  EXPECT_GT(lines, 0u);
}

// How the random comparison of a mode's evaluations plants matches in its settings (so
// that it sees many lines), and how many lines it must see in 3,000 trials.
struct EvaluatorTrials {
  std::uint64_t randomSeed;
  std::size_t minimumLines;
  void (*plant)(std::mt19937_64& random, SearchSettings& settings, InitialSeed& seed);
};

void plantNothing(std::mt19937_64&, SearchSettings&, InitialSeed&) {}

// IDs chosen, most of the time, to make one position's PID shiny, and its nature wanted.
void plantShinyPid(std::mt19937_64& random, SearchSettings& settings, InitialSeed& seed) {
  if (settings.pidConsumptionMin > settings.pidConsumptionMax || random() % 4 == 0) return;
  PlainPidSequence r(seed);
  const auto positions = static_cast<unsigned>(settings.pidConsumptionMax - settings.pidConsumptionMin + 1);
  const int p = settings.pidConsumptionMin + static_cast<int>(random() % positions);
  const std::uint32_t pid = encounterPid(r[p], settings.shinyEncounterKind);
  settings.trainerId = testing::shinyTrainerId(pid, settings.secretId, random);
  if (random() % 2 == 0) settings.shinyNature = natureOf(r[p + 1]) + 1;
  if (random() % 2 == 0) {
    settings.ivMin.fill(0);
    settings.ivMax.fill(31);
    settings.hiddenPowerMinPower = 30;
  }
}

// Bounds open half the time; with the shiny filter, IDs that make one of the first eggs shiny.
void plantEgg(std::mt19937_64& random, SearchSettings& settings, InitialSeed& seed) {
  if (random() % 2 == 0) {
    settings.ivMin.fill(0);
    settings.ivMax.fill(31);
  }
  if (settings.shinyPidSearch && settings.pidConsumptionMin <= settings.pidConsumptionMax) {
    const int c = settings.pidConsumptionMin + static_cast<int>(random() % 3);
    settings.trainerId = testing::shinyTrainerId(testing::eggPidAt(seed, c, settings), settings.secretId, random);
  }
}

// IDs that make a distribution PID shiny, and now and then that position's nature wanted.
void plantDelivery(std::mt19937_64& random, SearchSettings& settings, InitialSeed& seed) {
  if (settings.pidConsumptionMin > settings.pidConsumptionMax || random() % 4 == 0) return;
  PlainPidSequence r(seed);
  const int i = settings.pidConsumptionMin + static_cast<int>(random() % 3);
  const std::uint32_t pid = (r[i + 8] & 0xFFFFFF00) | scaledRandom(r[i + 9], 126);
  settings.deliveryTrainerId = testing::shinyTrainerId(pid, settings.deliverySecretId, random);
  if (random() % 2 == 0) settings.deliveryNature = natureOf(r[i + settings.deliveryNaturePosition]) + 1;
}

// Now and then a seed whose first position passes all five tests.
void plantCometShard(std::mt19937_64& random, SearchSettings& settings, InitialSeed& seed) {
  if (random() % 20 != 0 || settings.pidConsumptionMin > settings.pidConsumptionMax) return;
  seed = testing::cometShardSeedAt(settings.pidConsumptionMin + (settings.compoundEyes ? 0 : 1), settings.compoundEyes,
                                   random);
}

constexpr std::array<EvaluatorTrials, 6> evaluatorTrials = {{
    {2, 300, plantNothing},
    {3, 1000, plantShinyPid},
    {4, 3000, plantEgg},
    {5, 3000, plantDelivery},
    {7, 100, plantCometShard},
    {9, 3000, plantNothing},
}};

// One boot moment at a time: every level's fast evaluation writes the reference's lines.
TEST_P(EveryMode, FastEvaluatorAgreesWithTheReference) {
  const EvaluatorTrials& trials = evaluatorTrials.at(static_cast<std::size_t>(GetParam()));
  std::mt19937_64 random(trials.randomSeed);
  std::size_t lines = 0;
  std::size_t shinyEggLines = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    SearchSettings settings = testing::randomSettings(random, GetParam());
    InitialSeed seed = random();
    trials.plant(random, settings, seed);
    const BootMoment moment{
        settings.startYear, settings.startMonth, settings.startDay, 1, 2, 3, 4, static_cast<int>(random() % 4096)};
    const auto both = testing::evaluateBothWays(settings, moment, seed);
    ASSERT_EQ(both.fast, both.reference) << "trial " << trial;
    ASSERT_EQ(both.fastLines, both.referenceLines);
    lines += both.fastLines;
    if (GetParam() == SearchMode::InheritanceSearch && settings.shinyPidSearch) shinyEggLines += both.fastLines;
  }
  EXPECT_GT(lines, trials.minimumLines);
  if (GetParam() == SearchMode::InheritanceSearch) {
    EXPECT_GT(shinyEggLines, 0u);
  }
}

// Every mode has its record, in the order of SearchMode, with a name and a key of its own.
TEST(SearchModes, TheTableHoldsEveryModeOnce) {
  const auto modes = searchModes();
  ASSERT_EQ(modes.size(), evaluatorTrials.size());
  for (std::size_t i = 0; i < modes.size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(modes[i].mode), i);
    EXPECT_EQ(&definitionOf(modes[i].mode), &modes[i]);
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_NE(modes[i].name, modes[j].name);
      EXPECT_NE(modes[i].settingsKey, modes[j].settingsKey);
      EXPECT_NE(modes[i].flag, modes[j].flag);
    }
    // The mode's own check box selects it, over the flags of every row before it.
    SearchSettings settings;
    if (modes[i].flag != nullptr) settings.*modes[i].flag = true;
    EXPECT_EQ(selectSearchMode(settings), modes[i].mode);
    for (std::size_t j = 1; j < i; ++j) settings.*modes[j].flag = true;
    EXPECT_EQ(selectSearchMode(settings), modes[i].mode);
  }
}

// Every row is reached wherever a mode is chosen: its flag round-trips through a settings
// file under its key, calibration clears it, and the random tests and the fuzz harness
// draw it.
TEST(SearchModes, EveryRowIsReachedWhereverAModeIsChosen) {
  std::set<SearchMode> fuzzed;
  for (int byte = 0; byte < 256; ++byte) {
    const auto data = static_cast<std::uint8_t>(byte);
    fuzz::ByteReader in(&data, 1);
    SearchSettings settings;
    fuzz::chooseMode(in, settings);
    fuzzed.insert(selectSearchMode(settings));
  }
  std::mt19937_64 random(11);
  for (const SearchModeDefinition& row : searchModes()) {
    SCOPED_TRACE(std::string(row.name));
    EXPECT_TRUE(fuzzed.contains(row.mode));
    EXPECT_EQ(selectSearchMode(testing::randomSettings(random, row.mode)), row.mode);

    SearchSettings asked = testing::workedExampleSettings();
    if (row.flag != nullptr) asked.*row.flag = true;
    const nlohmann::ordered_json file = settingsToJson(asked);
    if (row.flag != nullptr) {
      EXPECT_EQ(file.at(std::string(row.settingsKey)), true);
    }
    const SearchSettings read = settingsFromJson(nlohmann::json::parse(file.dump()), {}).settings;
    EXPECT_EQ(selectSearchMode(read), row.mode);

    const SearchSettings calibrated = observedValueSettings(calibrationRequest(asked));
    EXPECT_EQ(selectSearchMode(calibrated), SearchMode::IvSearch);
  }
}

// The row's name as a test name: "comet-shard" is CometShard.
std::string modeName(const ::testing::TestParamInfo<SearchMode>& mode) {
  std::string name;
  bool wordStarts = true;
  for (const char c : definitionOf(mode.param).name) {
    if (c == '-') {
      wordStarts = true;
      continue;
    }
    name += wordStarts ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
    wordStarts = false;
  }
  return name;
}

std::vector<SearchMode> everyMode() {
  std::vector<SearchMode> modes;
  for (const SearchModeDefinition& definition : searchModes()) modes.push_back(definition.mode);
  return modes;
}

INSTANTIATE_TEST_SUITE_P(SearchModes, EveryMode, ::testing::ValuesIn(everyMode()), modeName);

TEST(SearchModes, TheModeOfHighestPriorityWritesHeaderAndLines) {
  SearchSettings settings = testing::workedExampleSettings();
  settings.keyInputEnabled = true;
  settings.startSecond = 34;
  settings.pidConsumptionMin = 0;
  settings.pidConsumptionMax = 3;
  settings.domeSearch = true;
  settings.deliverymanSearch = true;
  const std::string dome = fastResult(settings, utf8());
  EXPECT_TRUE(dome.starts_with("年,月,日,時,分,秒,性格値乱数消費下限,上限,初期seed,キー入力\r\n"));
  EXPECT_NE(dome.find("\r\n11,9,27,13,47,35,0,0,9D76553EC8C0FA7A,A\r\n"), std::string::npos);

  settings.domeSearch = false;
  settings.inheritanceSearch = true;
  settings.shinyPidSearch = true;
  settings.deliveryNaturePosition = 10;
  const std::string delivery = fastResult(settings, utf8());
  EXPECT_TRUE(
      delivery.starts_with("年,月,日,時,分,秒,性格値乱数消費,性格,H,A,B,C,D,S,めざパ,威力,初期seed,キー入力\r\n"));
  EXPECT_NE(delivery.find("\r\n11,9,27,13,47,35,0,わんぱく　,19,21,30,15,18,26,いわ,68,9D76553EC8C0FA7A,A\r\n"),
            std::string::npos);
  // The nature names reach the file as CP932, ideographic spaces included.
  EXPECT_EQ(fastResult(settings), utf8ToCp932(delivery));
  EXPECT_NE(fastResult(settings).find("\x82\xed\x82\xf1\x82\xcf\x82\xad\x81\x40,"), std::string::npos);

  // Inheritance with the shiny filter keeps the inheritance layout.
  settings.deliverymanSearch = false;
  settings.eggNature = -1;
  settings.trainerId = 0xD40C ^ 0xED8E;  // the egg at 0 has PID D40CED8E
  const std::string eggs = fastResult(settings, utf8());
  EXPECT_TRUE(eggs.starts_with(
      "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,初期seed,性格値乱数消費,遺伝1,遺伝2,遺伝3,性別,特性,キー入力\r\n"));
  EXPECT_NE(eggs.find("\r\n11,9,27,13,47,35,7,4,21,9,26,18,11,9D76553EC8C0FA7A,0,B-後,S-先,D-先,142,1,A\r\n"),
            std::string::npos);
  EXPECT_LT(lineCount(eggs), 10u);  // the shiny filter applies
  EXPECT_EQ(eggs, referenceResult(settings, utf8()));
}

}  // namespace
}  // namespace hanabira
