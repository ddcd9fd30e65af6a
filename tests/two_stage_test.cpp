// The two-stage plan: stage one's set of MT seeds, and whole searches of every mode that
// reads the individual-value sequence against the reference. Stage one runs over the MT
// seeds of each test's own boot moments, not over all 2^32.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <random>
#include <set>
#include <vector>

#include "core/kernel_levels.h"
#include "engine/boot_moment_space.h"
#include "engine/mt_seed_set.h"
#include "engine/passing_seeds.h"
#include "engine/prepared_search.h"
#include "engine/search_engine.h"
#include "engine/search_plan.h"
#include "evaluate/iv_draws.h"
#include "evaluate/iv_search.h"
#include "evaluate/reference_sequences.h"
#include "test_support.h"

namespace hanabira {
namespace {

using testing::fastResult;
using testing::referenceResult;

// The settings give VCount and Timer0 to the seed; a moment of a range carries its own.
std::uint32_t mtSeedOf(SearchSettings settings, const BootMoment& moment) {
  settings.vcount = moment.vcount;
  settings.timer0 = moment.timer0;
  return static_cast<std::uint32_t>(computeInitialSeed(settings, moment) >> 32);
}

// The MT seeds of the search's boot moments, but for the moments `left`.
MtSeedSpace seedsOfMoments(const SearchSettings& settings, const std::set<std::uint64_t>& left = {}) {
  const BootMomentSpace space(settings);
  std::vector<MtSeedRange> ranges;
  for (std::uint64_t i = 0; i < space.size(); ++i) {
    if (left.contains(i)) continue;
    const std::uint32_t seed = mtSeedOf(settings, space.momentAt(i));
    ranges.push_back({seed, std::uint64_t{seed} + 1});
  }
  return MtSeedSpace(std::move(ranges));
}

SearchOptions twoStage(const MtSeedSpace& seeds) {
  SearchOptions options = testing::utf8();
  options.plan = SearchPlan::TwoStage;
  options.stageOneSeeds = &seeds;
  return options;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start) + 2;
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

TEST(MtSeedSet, HoldsExactlyTheSeedsFilledIn) {
  std::mt19937_64 random(1);
  MtSeedSet set;
  std::set<std::uint32_t> members;
  // Empty buckets, sparse ones, and a full one; the edges of the seeds among them.
  for (const std::uint32_t bucket : {0u, 1u, 0x1234u, 0x8000u, 0xFFFFu}) {
    std::set<std::uint16_t> lows = {0, 0xFFFF};
    for (std::uint64_t n = random() % 300; lows.size() < n;) lows.insert(static_cast<std::uint16_t>(random()));
    if (bucket == 0x8000) {
      for (std::uint32_t low = 0; low < 0x10000; ++low) lows.insert(static_cast<std::uint16_t>(low));
    }
    if (bucket == 1) lows.clear();
    const std::vector<std::uint16_t> sorted(lows.begin(), lows.end());
    ASSERT_TRUE(set.fillBucket(bucket, sorted));
    for (const std::uint16_t low : lows) members.insert(bucket << 16 | low);
  }
  set.seal();
  EXPECT_EQ(set.size(), members.size());
  for (const std::uint32_t member : members) {
    ASSERT_TRUE(set.mayContain(member) && set.contains(member)) << member;
  }
  for (int i = 0; i < 100000; ++i) {
    const auto seed = static_cast<std::uint32_t>(random());
    ASSERT_EQ(set.contains(seed), members.contains(seed)) << seed;
  }
  for (const std::uint32_t bucket : {0u, 0x1234u}) {
    ASSERT_FALSE(set.contains(bucket << 16 | 0x7FFF) && !members.contains(bucket << 16 | 0x7FFF));
  }
}

TEST(MtSeedSet, RefusesSeedsPastItsCapacity) {
  MtSeedSet set(3);
  const std::vector<std::uint16_t> two = {1, 2};
  EXPECT_TRUE(set.fillBucket(5, two));
  EXPECT_FALSE(set.fillBucket(6, two));
  EXPECT_TRUE(set.fillBucket(7, std::span(two).first(1)));
  set.seal();
  EXPECT_EQ(set.size(), 3u);
  EXPECT_TRUE(set.contains(5 << 16 | 2));
  EXPECT_FALSE(set.contains(6 << 16 | 1));
}

TEST(MtSeedSpace, CutsItsRangesIntoBucketsAndRanks) {
  const MtSeedSpace space({{0x2FFFE, 0x30003}, {0x10, 0x20}, {0x18, 0x30}, {0xFFFFFFFF, 0x100000005}});
  EXPECT_EQ(space.size(), 0x20u + 5 + 1);
  EXPECT_EQ(space.buckets(), (std::vector<std::uint32_t>{0, 2, 3, 0xFFFF}));
  EXPECT_EQ(space.rangesIn(2).size(), 1u);
  EXPECT_EQ(space.rangesIn(3)[0].first, 0x30000u);
  EXPECT_EQ(space.rangesIn(3)[0].end, 0x30003u);
  EXPECT_TRUE(space.rangesIn(1).empty());
  EXPECT_EQ(space.at(0), 0x10u);
  EXPECT_EQ(space.at(0x20), 0x2FFFEu);
  EXPECT_EQ(space.at(0x25), 0xFFFFFFFFu);
  EXPECT_TRUE(MtSeedSpace().isWhole());
  EXPECT_EQ(MtSeedSpace().buckets().size(), MtSeedSet::bucketCount);
}

// Whether the values drawn at some position of the settings pass their bounds: the IV
// search's prefilter, the plain way.
bool passesSomewhere(const SearchSettings& settings, std::uint32_t mtSeed) {
  const std::vector<std::uint32_t> sequence =
      plainIvSequence(InitialSeed{mtSeed} << 32, static_cast<std::size_t>(settings.ivConsumptionMax) + 7);
  for (int j = settings.ivConsumptionMin; j <= settings.ivConsumptionMax; ++j) {
    if (passesIvBounds(settings, drawIvs(&sequence[static_cast<std::size_t>(j)], settings.roaming))) return true;
  }
  return false;
}

TEST(StageOne, FindsTheSeedsOfItsSpaceThatPass) {
  std::mt19937_64 random(2);
  for (int trial = 0; trial < 30; ++trial) {
    SearchSettings settings = testing::randomIvSearchSettings(random);
    // Bounds tight enough that some seeds fail.
    for (int k = 0; k < 3; ++k) settings.ivMin[random() % 6] = 16;
    // A few ranges, across bucket edges now and then.
    std::vector<MtSeedRange> ranges;
    for (int r = 0; r < 3; ++r) {
      const std::uint64_t first = (random() % 2 == 0 ? (random() & 0xFFFF0000) - 40 : random()) & 0xFFFFFFFF;
      ranges.push_back({first, first + 1 + random() % 150});
    }
    const MtSeedSpace space(ranges);
    const Isa isa = supportedIsas()[static_cast<std::size_t>(trial) % supportedIsas().size()];
    const PassingSeeds found =
        findPassingSeeds(*ivSearchPrefilter(settings), kernelsFor(isa), space,
                         testing::testThreads(1 + static_cast<unsigned>(trial % 3)), nullptr, {});
    ASSERT_EQ(found.outcome, PassingSeeds::Outcome::Found);
    std::uint64_t passing = 0;
    for (std::uint64_t rank = 0; rank < space.size(); ++rank) {
      const std::uint32_t seed = space.at(rank);
      const bool passes = passesSomewhere(settings, seed);
      ASSERT_EQ(found.seeds->contains(seed), passes) << "trial " << trial << ", seed " << seed;
      passing += passes ? 1 : 0;
      // Next to the space: never a member.
      ASSERT_FALSE(found.seeds->contains(seed + 1) && !passesSomewhere(settings, seed + 1));
    }
    EXPECT_EQ(found.seeds->size(), passing);
  }
}

TEST(StageOne, TooManyPassingSeedsLeaveNoSet) {
  SearchSettings settings = testing::workedExampleSettings();  // no bounds: every seed passes
  const MtSeedSpace space({{0, 5000}});
  const PassingSeeds found =
      findPassingSeeds(*ivSearchPrefilter(settings), bestKernels(), space, testing::testThreads(2), nullptr, {}, 999);
  EXPECT_EQ(found.outcome, PassingSeeds::Outcome::TooMany);
  EXPECT_EQ(found.seeds, nullptr);
}

// Both plans against the reference on random settings of each mode that reads the
// individual-value sequence: loose and tight bounds, position ranges near and past the
// kernels' reach, hidden power, roaming, keys, ranges of VCount and Timer0, any level,
// thread count and chunk size.
class TwoStagePlan : public ::testing::TestWithParam<SearchMode> {};

TEST_P(TwoStagePlan, WritesTheReferenceBytes) {
  std::mt19937_64 random(200 + static_cast<int>(GetParam()));
  std::size_t lines = 0;
  for (int trial = 0; trial < 40; ++trial) {
    SearchSettings settings = testing::randomSettings(random, GetParam());
    if (trial % 4 == 0) {  // few seeds pass
      settings.ivMin.fill(25);
      settings.ivMax.fill(31);
    }
    if (trial % 3 == 1) {  // ranges of VCount and Timer0: blocks of moments within a day
      const auto vcount = static_cast<std::uint32_t>(random() % 0x200);
      const auto timer0 = static_cast<std::uint32_t>(random() % 0xFFFE);
      settings.vcountRange = ParameterRange{vcount, vcount + static_cast<std::uint32_t>(random() % 3)};
      settings.timer0Range = ParameterRange{timer0, timer0 + static_cast<std::uint32_t>(random() % 3)};
    }
    const bool applies = stageOnePrefilter(PreparedSearch(settings, TextEncoding::Utf8)).has_value();
    const std::string reference = referenceResult(settings, testing::utf8());
    const MtSeedSpace seeds = seedsOfMoments(settings);
    SearchOptions options = twoStage(seeds);
    options.isa = supportedIsas()[static_cast<std::size_t>(trial) % supportedIsas().size()];
    options.threads = testing::testThreads(1 + static_cast<unsigned>(random() % 3));
    options.chunkMoments = 1 + random() % 700;
    if (trial % 2 == 0) options.pendingLineBytes = 1 + random() % 1000;  // lines handed over mid-chunk
    StringSink sink;
    const SearchSummary summary = runSearch(settings, sink, options);
    ASSERT_EQ(sink.text(), reference) << "trial " << trial;
    EXPECT_EQ(summary.plan, applies ? SearchPlan::TwoStage : SearchPlan::Direct);
    options.plan = SearchPlan::Direct;
    ASSERT_EQ(fastResult(settings, options), reference) << "trial " << trial;
    lines += linesOf(reference).size() - 1;
  }
  EXPECT_GT(lines, 0u);
}

std::string modeName(const ::testing::TestParamInfo<SearchMode>& mode) {
  return std::string(definitionOf(mode.param).name);
}

INSTANTIATE_TEST_SUITE_P(ModesReadingIvs, TwoStagePlan,
                         ::testing::Values(SearchMode::IvSearch, SearchMode::ShinyPidSearch,
                                           SearchMode::InheritanceSearch),
                         modeName);

// Many lines: every moment of two seconds with keys matches at position 0.
SearchSettings everyMomentMatches() {
  SearchSettings settings = testing::workedExampleSettings();
  settings.keyInputEnabled = true;
  settings.endSecond = settings.startSecond + 1;
  return settings;
}

// Stage two keeps only the moments whose MT seed is in stage one's set: leaving a moment's
// seed out of the space takes its line out of the result, and nothing else.
TEST(TwoStagePlan, EvaluatesOnlyTheMomentsWhoseSeedIsInTheSet) {
  const SearchSettings settings = everyMomentMatches();
  const std::vector<std::string> reference = linesOf(referenceResult(settings, testing::utf8()));
  const BootMomentSpace space(settings);
  ASSERT_EQ(reference.size(), space.size() + 1);
  const std::set<std::uint64_t> left = {0, 17, 500, space.size() - 1};
  std::string expected;
  for (std::size_t i = 0; i < reference.size(); ++i) {
    if (i == 0 || !left.contains(i - 1)) expected += reference[i];
  }
  const MtSeedSpace seeds = seedsOfMoments(settings, left);
  EXPECT_EQ(fastResult(settings, twoStage(seeds)), expected);
}

TEST(TwoStagePlan, CancellationInStageTwoLeavesAPrefix) {
  std::mt19937_64 random(3);
  const SearchSettings settings = everyMomentMatches();
  const MtSeedSpace seeds = seedsOfMoments(settings);
  const std::string whole = fastResult(settings, twoStage(seeds));
  for (int trial = 0; trial < 10; ++trial) {
    std::atomic<bool> cancel{false};
    testing::CancelAfterWrites sink(cancel, 2 + static_cast<int>(random() % 20));
    SearchOptions options = twoStage(seeds);
    options.threads = testing::testThreads(1 + static_cast<unsigned>(random() % 3));
    options.chunkMoments = 1 + random() % 40;
    if (trial % 2 == 1) options.pendingLineBytes = 1 + random() % 1000;
    options.cancel = &cancel;
    const SearchSummary summary = runSearch(settings, sink, options);
    ASSERT_TRUE(summary.cancelled);
    ASSERT_LT(sink.text.size(), whole.size());
    EXPECT_EQ(whole.substr(0, sink.text.size()), sink.text) << "trial " << trial;
    EXPECT_EQ(summary.candidates + 1, linesOf(sink.text).size());
  }
}

// Stage one reports the seeds it has scanned, and stops when asked: the file keeps its
// header, no moment is done. One thread reports after each bucket of 2^16 seeds it
// scanned; with more, the calling thread reports the seeds of every thread.
TEST(TwoStagePlan, StageOneReportsProgressAndStopsWhenCancelled) {
  const SearchSettings settings = everyMomentMatches();
  const MtSeedSpace seeds({{0, 400 << 16}});
  for (const unsigned threads : {1u, 2u}) {
    std::atomic<bool> cancel{false};
    std::vector<SearchProgress> reports;
    SearchOptions options = twoStage(seeds);
    options.threads = testing::testThreads(threads);
    options.cancel = &cancel;
    options.onProgress = [&](const SearchProgress& progress) {
      reports.push_back(progress);
      if (progress.seedsScanned >= 3 << 16) cancel = true;
    };
    StringSink sink;
    const SearchSummary summary = runSearch(settings, sink, options);
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.plan, SearchPlan::TwoStage);
    EXPECT_EQ(summary.momentsDone, 0u);
    EXPECT_EQ(linesOf(sink.text()).size(), 1u);
    ASSERT_GE(reports.size(), threads == 1 ? 4u : 2u);
    for (std::size_t i = 1; i < reports.size(); ++i) {
      EXPECT_EQ(reports[i].seedsToScan, seeds.size());
      EXPECT_GT(reports[i].seedsScanned, reports[i - 1].seedsScanned);
      EXPECT_GT(reports[i].shareDone(), reports[i - 1].shareDone());
    }
    EXPECT_LT(reports.back().seedsScanned, seeds.size());
  }
}

// The individual-value search of a span of days with every key, all six values 31 at
// position 7.
SearchSettings strictSearch(int days) {
  SearchSettings settings = testing::workedExampleSettings();
  settings.keyInputEnabled = true;
  settings.startMonth = settings.startDay = 1;
  settings.endMonth = 1 + (days - 1) / 31;
  settings.endDay = 1 + (days - 1) % 31;
  settings.startHour = settings.startMinute = settings.startSecond = 0;
  settings.endHour = 23;
  settings.endMinute = settings.endSecond = 59;
  settings.ivMin.fill(31);
  settings.ivConsumptionMin = settings.ivConsumptionMax = 7;
  return settings;
}

SearchPlan autoPlan(const SearchSettings& settings) {
  const PreparedSearch search(settings, TextEncoding::Utf8);
  return choosePlan(search, search.space.size(), MtSeedSpace::all(), std::nullopt).plan;
}

TEST(SearchPlan, AutoTakesTheCheaperPlan) {
  SearchSettings minute = strictSearch(1);
  minute.startHour = minute.endHour = 13;
  minute.startMinute = minute.endMinute = 47;
  EXPECT_EQ(autoPlan(minute), SearchPlan::Direct);
  EXPECT_EQ(autoPlan(strictSearch(7)), SearchPlan::Direct);
  const SearchSettings year = strictSearch(365);
  EXPECT_EQ(autoPlan(year), SearchPlan::TwoStage);

  SearchSettings loose = year;  // about one seed in six passes: a set too large
  loose.ivMin = {0, 0, 0, 0, 0, 20};
  EXPECT_EQ(autoPlan(loose), SearchPlan::Direct);
  SearchSettings withoutKeys = year;  // 31 million moments
  withoutKeys.keyInputEnabled = false;
  EXPECT_EQ(autoPlan(withoutKeys), SearchPlan::Direct);
  SearchSettings deliveryman = year;  // reads no individual-value sequence
  deliveryman.deliverymanSearch = true;
  EXPECT_EQ(autoPlan(deliveryman), SearchPlan::Direct);
}

TEST(SearchPlan, ARequestIsKeptWhereThePlanApplies) {
  const PreparedSearch year(strictSearch(365), TextEncoding::Utf8);
  const MtSeedSpace& all = MtSeedSpace::all();
  EXPECT_EQ(choosePlan(year, 1000, all, SearchPlan::TwoStage).plan, SearchPlan::TwoStage);
  EXPECT_EQ(choosePlan(year, year.space.size(), all, SearchPlan::Direct).plan, SearchPlan::Direct);
  SearchSettings comet = strictSearch(365);
  comet.cometShardSearch = true;
  EXPECT_EQ(choosePlan(PreparedSearch(comet, TextEncoding::Utf8), 1000, all, SearchPlan::TwoStage).plan,
            SearchPlan::Direct);
  for (const SearchPlan plan : {SearchPlan::Direct, SearchPlan::TwoStage}) EXPECT_EQ(parsePlan(planName(plan)), plan);
  EXPECT_EQ(parsePlan("auto"), std::nullopt);
}

}  // namespace
}  // namespace hanabira
