// Every level's kernels against the plain computations, on random inputs and on counts
// around the lane and group sizes, every lane with its own input so that swapped lanes show.
#include "core/kernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "core/calendar.h"
#include "core/kernel_levels.h"
#include "core/lcg64.h"
#include "core/mt19937.h"
#include "test_support.h"

namespace hanabira {
namespace {

class Kernels : public ::testing::TestWithParam<Isa> {
 protected:
  void SetUp() override {
    const KernelLevel& level = kernelLevel(GetParam());
    if (!level.cpuHasFeatures()) GTEST_SKIP() << level.name << ": this CPU lacks " << level.cpuNeeds;
  }
  const KernelSet& kernels() const { return kernelsFor(GetParam()); }

  // Counts around one vector and around a group of interleaved vectors (up to 64 lanes).
  std::vector<std::size_t> counts() const {
    const std::size_t lanes = kernels().lanes;
    return {0, 1, lanes - 1 + (lanes == 1), lanes, lanes + 1, 2 * lanes + 3, 63, 64, 65, 200, 256};
  }

  std::mt19937_64 random_{11};
};

TEST_P(Kernels, SeedsMatchThePlainComputation) {
  for (int trial = 0; trial < 20; ++trial) {
    const SearchSettings settings = testing::randomIvSearchSettings(random_);
    const Date date{settings.startYear, settings.startMonth, settings.startDay};
    const int dayOfWeek = weekday(date);
    BootMessage words = constantMessageWords(settings);
    words[8] = dateWord(date.year, date.month, date.day, dayOfWeek);
    const SeedDay day = prepareSeedDay(words);

    for (std::size_t count : counts()) {
      std::vector<BootMoment> moments(count);
      std::vector<std::uint32_t> timeWords(count), keyWords(count);
      for (std::size_t i = 0; i < count; ++i) {
        moments[i] = {date.year,
                      date.month,
                      date.day,
                      static_cast<int>(random_() % 24),
                      static_cast<int>(random_() % 60),
                      static_cast<int>(random_() % 60),
                      dayOfWeek,
                      static_cast<int>(random_() % (noKeysHeld + 1))};
        timeWords[i] = timeWord(moments[i].hour, moments[i].minute, moments[i].second, settings.is3ds);
        keyWords[i] = keyWord(moments[i].keyMask);
      }
      std::vector<InitialSeed> seeds(count + 1, 0xDEADBEEF);
      kernels().computeSeeds(day, timeWords.data(), keyWords.data(), count, seeds.data());
      for (std::size_t i = 0; i < count; ++i) {
        ASSERT_EQ(seeds[i], computeInitialSeed(settings, moments[i])) << "count " << count << ", lane " << i;
      }
      EXPECT_EQ(seeds[count], 0xDEADBEEFu) << "wrote past the end";
    }
  }
}

// The masks of a search's space, any run of them, after any time of the day.
TEST_P(Kernels, MaskSeedsMatchThePlainComputation) {
  for (int trial = 0; trial < 20; ++trial) {
    SearchSettings settings = testing::randomIvSearchSettings(random_);
    settings.keyInputEnabled = true;
    std::vector<int> masks;
    for (int mask = 0; mask <= noKeysHeld; ++mask) {
      if (random_() % 4 != 0) masks.push_back(mask);
    }
    std::vector<std::uint32_t> keyWords;
    for (const int mask : masks) keyWords.push_back(keyWord(mask));
    const KeySchedules keys(keyWords);
    const Date date{settings.startYear, settings.startMonth, settings.startDay};
    BootMessage words = constantMessageWords(settings);
    words[8] = dateWord(date.year, date.month, date.day, weekday(date));
    const SeedDay day = prepareSeedDay(words);
    BootMoment moment{date.year,
                      date.month,
                      date.day,
                      static_cast<int>(random_() % 24),
                      static_cast<int>(random_() % 60),
                      static_cast<int>(random_() % 60),
                      weekday(date),
                      0};
    const SeedTime time = prepareSeedTime(day, timeWord(moment.hour, moment.minute, moment.second, settings.is3ds));

    for (std::size_t count : counts()) {
      const std::size_t firstMask = count == 0 ? masks.size() : random_() % (masks.size() - count + 1);
      std::vector<InitialSeed> seeds(count + 1, 0xDEADBEEF);
      kernels().computeMaskSeeds(time, keys.words.data(), keys.stride, firstMask, count, seeds.data());
      for (std::size_t i = 0; i < count; ++i) {
        moment.keyMask = masks[firstMask + i];
        ASSERT_EQ(seeds[i], computeInitialSeed(settings, moment)) << "count " << count << ", lane " << i;
      }
      EXPECT_EQ(seeds[count], 0xDEADBEEFu) << "wrote past the end";
    }
  }
}

TEST_P(Kernels, MtWindowsMatchTheGenerator) {
  const std::vector<std::pair<int, int>> windows = {{0, 0}, {7, 12}, {0, 6}, {50, 60}, {0, 226}, {220, 226}};
  for (const auto& [first, last] : windows) {
    for (std::size_t count : counts()) {
      std::vector<std::uint32_t> seeds(count);
      for (auto& seed : seeds) seed = static_cast<std::uint32_t>(random_());
      const std::size_t rows = static_cast<std::size_t>(last - first + 1);
      std::vector<std::uint32_t> outputs(rows * count + 1, 0xDEADBEEF);
      kernels().mtSpan(seeds.data(), count, first, last, outputs.data());
      for (std::size_t i = 0; i < count; ++i) {
        Mt19937 generator(seeds[i]);
        for (int k = 0; k < first; ++k) generator.next();
        for (int k = first; k <= last; ++k) {
          ASSERT_EQ(outputs[static_cast<std::size_t>(k - first) * count + i], generator.next())
              << first << ".." << last << ", count " << count << ", lane " << i << ", position " << k;
        }
      }
      EXPECT_EQ(outputs[rows * count], 0xDEADBEEFu) << "wrote past the end";
    }
  }
}

TEST_P(Kernels, LcgOutputsMatchTheGenerator) {
  for (int length : {1, 2, 12, 161}) {
    for (std::size_t count : counts()) {
      std::vector<std::uint64_t> states(count);
      for (auto& state : states) state = random_();
      if (count > 0) states[0] = 0xFFFFFFFFFFFFFFFF;  // carries through every bit
      std::vector<std::uint32_t> outputs(static_cast<std::size_t>(length) * count + 1, 0xDEADBEEF);
      kernels().lcgOutputs(states.data(), count, length, outputs.data());
      for (std::size_t i = 0; i < count; ++i) {
        Lcg64 lcg(states[i]);
        for (int p = 0; p < length; ++p) {
          ASSERT_EQ(outputs[static_cast<std::size_t>(p) * count + i], lcg.next())
              << "length " << length << ", count " << count << ", lane " << i << ", step " << p;
        }
      }
      EXPECT_EQ(outputs[static_cast<std::size_t>(length) * count], 0xDEADBEEFu) << "wrote past the end";
    }
  }
}

// The scan against the sequences stepped one value at a time and every test applied to
// each start position.
void expectLcgScanMatches(const KernelSet& kernels, const std::vector<InitialSeed>& seeds, std::int64_t first,
                          int positions, const std::vector<RangeTest>& tests, const HalvesTest* halves) {
  const Lcg64::Jump toFirst = Lcg64::jump(static_cast<std::uint64_t>(first));
  const LcgScan scan{positions, tests.data(),       static_cast<int>(tests.size()),
                     halves,    toFirst.multiplier, toFirst.increment};
  std::vector<std::uint64_t> scratch(lcgScanScratchWords(scan));
  std::vector<RangeHit> hits(static_cast<std::size_t>(positions));
  const std::size_t hitCount = kernels.scanLcg(seeds.data(), seeds.size(), scan, scratch.data(), hits.data());

  const int rows = lcgScanRows(scan);
  std::vector<RangeHit> expected;
  for (int p = 0; p < positions; ++p) {
    RangeHit hit{p, {0, 0, 0, 0}};
    for (std::size_t i = 0; i < seeds.size(); ++i) {
      Lcg64 lcg(toFirst.apply(seeds[i]));
      std::vector<std::uint32_t> values;
      for (int k = 0; k < rows; ++k) values.push_back(lcg.next());
      bool passes =
          halves == nullptr || passesHalvesTest(*halves, values[static_cast<std::size_t>(p + halves->rowOffset)]);
      for (const RangeTest& test : tests) {
        const std::uint32_t value = values[static_cast<std::size_t>(p + test.rowOffset)];
        passes = passes && test.low <= value && value <= test.high;
      }
      if (passes) hit.seeds[i / 64] |= std::uint64_t{1} << (i % 64);
    }
    if ((hit.seeds[0] | hit.seeds[1] | hit.seeds[2] | hit.seeds[3]) != 0) expected.push_back(hit);
  }
  ASSERT_EQ(hitCount, expected.size()) << seeds.size() << " seeds, " << tests.size() << " tests";
  for (std::size_t h = 0; h < hitCount; ++h) {
    ASSERT_EQ(hits[h].position, expected[h].position) << "hit " << h;
    for (int w = 0; w < 4; ++w) ASSERT_EQ(hits[h].seeds[w], expected[h].seeds[w]) << "position " << hits[h].position;
  }
}

TEST_P(Kernels, LcgScansFindExactlyThePositionsWhereEveryTestHolds) {
  // Wide ranges, so that their conjunctions pass often enough to show every mistake; one
  // read at two offsets, a range next to zero and one at the top, where the shifted
  // states wrap.
  const std::vector<RangeTest> tests = {{0, 0x40000000, 0xDFFFFFFF},
                                        {3, 0, 0x9FFFFFFF},
                                        {2, 0x40000000, 0xDFFFFFFF},
                                        {1, 0x30000000, 0xFFFFFFFF},
                                        {5, 0x80000000, 0x80000000}};
  for (std::size_t count : counts()) {
    std::vector<InitialSeed> seeds(count);
    for (auto& seed : seeds) seed = random_();
    for (std::size_t testCount = 0; testCount <= tests.size(); ++testCount) {
      const std::vector<RangeTest> some(tests.begin(), tests.begin() + static_cast<std::ptrdiff_t>(testCount));
      expectLcgScanMatches(kernels(), seeds, 50, 30, some, nullptr);
    }
    // More distinct ranges than one pass takes.
    std::vector<RangeTest> many;
    for (int r = 0; r < lcgScanRangesAtOnce + 2; ++r) many.push_back({r % 4, 0x08000000u * r, 0xF0000000u + r});
    expectLcgScanMatches(kernels(), seeds, 7, 20, many, nullptr);
  }
}

TEST_P(Kernels, LcgScansApplyTheHalvesTest) {
  for (std::size_t count : counts()) {
    std::vector<InitialSeed> seeds(count);
    for (auto& seed : seeds) seed = random_();
    if (count == 0) continue;
    // A pattern taken from a value of the sequences, so that the test passes somewhere.
    const std::uint32_t value = Lcg64::output(Lcg64::jump(60 + count % 20).apply(seeds[count / 2]));
    for (const bool decrement : {false, true}) {
      for (const bool bit31FromBit0 : {false, true}) {
        HalvesTest halves{2, decrement, bit31FromBit0, 0};
        for (std::uint16_t pattern = 0; pattern < 0xFFFF; ++pattern) {
          halves.pattern = pattern;
          if (passesHalvesTest(halves, value)) break;
        }
        expectLcgScanMatches(kernels(), seeds, 40, 40, {}, &halves);
        expectLcgScanMatches(kernels(), seeds, 40, 40, {{1, 0, 0xBFFFFFFF}}, &halves);
      }
    }
  }
}

// Draws taken from a list that closes up behind each, as written.
bool drawsTakeAllPlainly(const std::uint32_t* rows, std::size_t count, std::size_t seed, int position,
                         const DrawScan& scan) {
  std::vector<int> list(scan.listSize);
  for (std::size_t e = 0; e < list.size(); ++e) list[e] = static_cast<int>(e);
  std::vector<int> drawn;
  for (int k = 0; k < scan.drawCount; ++k) {
    const std::uint64_t value = rows[static_cast<std::size_t>(position + k) * count + seed];
    const auto index = static_cast<std::ptrdiff_t>((value * (scan.listSize - static_cast<std::uint32_t>(k))) >> 32);
    drawn.push_back(list[static_cast<std::size_t>(index)]);
    list.erase(list.begin() + index);
  }
  return std::all_of(scan.wanted, scan.wanted + scan.wantedCount,
                     [&](int entry) { return std::find(drawn.begin(), drawn.end(), entry) != drawn.end(); });
}

TEST_P(Kernels, DrawScansMatchDrawingFromTheList) {
  // A short list, so that five or six wanted entries are drawn often enough, and the
  // dome's list of 52 with one or two.
  const std::vector<std::pair<std::uint32_t, int>> lists = {{8, 6}, {8, 4}, {8, 5}, {8, 6}, {52, 1}, {52, 2}, {8, 0}};
  for (std::size_t count : counts()) {
    const int positions = 24;
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(positions + 5) * count);
    for (auto& value : rows) value = static_cast<std::uint32_t>(random_());
    for (const auto& [listSize, wantedCount] : lists) {
      std::vector<int> entries(listSize);
      for (std::size_t e = 0; e < entries.size(); ++e) entries[e] = static_cast<int>(e);
      std::shuffle(entries.begin(), entries.end(), random_);
      const DrawScan scan{positions, listSize, 6, entries.data(), wantedCount};
      std::vector<std::uint64_t> matches(4 * static_cast<std::size_t>(positions) + 1, 0x5555);
      kernels().scanDraws(rows.data(), count, scan, matches.data());
      for (int p = 0; p < positions; ++p) {
        for (std::size_t i = 0; i < maxScanSeeds; ++i) {
          const bool expected = i < count && drawsTakeAllPlainly(rows.data(), count, i, p, scan);
          ASSERT_EQ((matches[static_cast<std::size_t>(p) * 4 + i / 64] >> (i % 64) & 1) != 0, expected)
              << "list " << listSize << ", " << wantedCount << " wanted, count " << count << ", position " << p
              << ", seed " << i;
        }
      }
      EXPECT_EQ(matches.back(), 0x5555u) << "wrote past the end";
    }
  }
}

std::vector<Isa> everyLevel() {
  std::vector<Isa> isas;
  for (const KernelLevel& level : kernelLevels()) isas.push_back(level.isa());
  return isas;
}

// A level's name as a test's name, which takes letters, digits and underscores only.
std::string testName(const ::testing::TestParamInfo<Isa>& level) {
  std::string name(isaName(level.param));
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

// Every level built for this architecture; those this CPU cannot run show as skipped.
INSTANTIATE_TEST_SUITE_P(EveryLevel, Kernels, ::testing::ValuesIn(everyLevel()), testName);

TEST(KernelLevels, EachLevelOnceBestFirstEndingWithScalar) {
  const auto levels = kernelLevels();
  ASSERT_FALSE(levels.empty());
  std::set<Isa> isas;
  std::set<std::string_view> names;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    EXPECT_TRUE(isas.insert(levels[i].isa()).second) << levels[i].name << " listed twice";
    EXPECT_TRUE(names.insert(levels[i].name).second) << levels[i].name << " named twice";
    EXPECT_EQ(&kernelLevel(levels[i].isa()), &levels[i]);
    EXPECT_FALSE(levels[i].cpuNeeds.empty()) << levels[i].name;
    // Best first, which bestKernels() relies on: wider vectors before narrower ones.
    if (i > 0) {
      EXPECT_LT(levels[i].kernels.lanes, levels[i - 1].kernels.lanes) << levels[i].name;
    }
  }
  // The enumerators count up from scalar: none is left without a record.
  for (std::size_t i = 0; i < levels.size(); ++i) EXPECT_TRUE(isas.contains(static_cast<Isa>(i))) << i;
  EXPECT_EQ(levels.back().isa(), Isa::Scalar);
  EXPECT_EQ(levels.back().kernels.lanes, 1u);
  EXPECT_TRUE(levels.back().cpuHasFeatures());
}

#ifdef HANABIRA_WASM_LEVELS
// A module that loaded runs SIMD128, so auto takes it.
TEST(KernelLevels, TheWebAssemblyBuildRunsSimd128First) {
  EXPECT_EQ(supportedIsas().front(), Isa::WasmSimd128);
  EXPECT_EQ(parseIsa("wasm-simd128"), Isa::WasmSimd128);
  EXPECT_EQ(&bestKernels(), &kernelLevel(Isa::WasmSimd128).kernels);
}
#endif

TEST(KernelDispatch, LevelsByName) {
  for (const KernelLevel& level : kernelLevels()) {
    EXPECT_EQ(parseIsa(level.name), level.isa());
    EXPECT_EQ(isaName(level.isa()), level.name);
  }
  EXPECT_EQ(parseIsa("scalar"), Isa::Scalar);
  EXPECT_FALSE(parseIsa("sse2"));
  EXPECT_FALSE(parseIsa("auto"));
  EXPECT_EQ(supportedIsas().back(), Isa::Scalar);
  EXPECT_EQ(bestKernels().isa, supportedIsas().front());
}

TEST(KernelDispatch, UnsupportedLevelsAreRefusedWithTheLevelsThatRun) {
  std::string running;
  for (Isa isa : supportedIsas()) running += (running.empty() ? "" : ", ") + std::string(isaName(isa));
  for (const KernelLevel& level : kernelLevels()) {
    if (level.cpuHasFeatures()) {
      EXPECT_EQ(&kernelsFor(level.isa()), &level.kernels);
      continue;
    }
    try {
      kernelsFor(level.isa());
      FAIL() << "no error for " << level.name;
    } catch (const UnsupportedIsaError& error) {
      EXPECT_EQ(error.what(), "this CPU cannot run the " + std::string(level.name) + " level; it runs: " + running);
    }
  }
}

}  // namespace
}  // namespace hanabira

namespace hanabira {
namespace {

TEST_P(Kernels, RangeScansFindExactlyThePositionsWhereEveryTestHolds) {
  for (std::size_t count : counts()) {
    const int positions = 40;
    const int rows = positions + 6;
    // Small values, so that ranges of them pass often enough to find every kind of mistake.
    std::vector<std::uint32_t> values(static_cast<std::size_t>(rows) * count);
    for (auto& value : values)
      value = static_cast<std::uint32_t>(random_() % 8) << 29 | static_cast<std::uint32_t>(random_() % 3);
    const std::vector<RangeTest> tests = {{0, 2u << 29, (6u << 29) + 1}, {3, 0, 5u << 29}, {6, 1u << 29, 0xFFFFFFFF}};
    for (int testCount = 0; testCount <= 3; ++testCount) {
      std::vector<RangeHit> hits(positions);
      const std::size_t hitCount =
          kernels().scanRanges(values.data(), count, positions, tests.data(), testCount, hits.data());
      std::size_t expectedHits = 0;
      std::size_t h = 0;
      for (int p = 0; p < positions; ++p) {
        std::vector<bool> expected(count, true);
        bool any = false;
        for (std::size_t i = 0; i < count; ++i) {
          for (int t = 0; t < testCount; ++t) {
            const std::uint32_t v = values[static_cast<std::size_t>(p + tests[t].rowOffset) * count + i];
            if (v < tests[t].low || v > tests[t].high) expected[i] = false;
          }
          any = any || expected[i];
        }
        if (!any) continue;
        ++expectedHits;
        ASSERT_LT(h, hitCount) << "count " << count << ", position " << p;
        ASSERT_EQ(hits[h].position, p);
        for (std::size_t i = 0; i < count; ++i)
          ASSERT_EQ(hits[h].has(i), expected[i]) << "position " << p << ", seed " << i;
        for (std::size_t i = count; i < maxScanSeeds; ++i) ASSERT_FALSE(hits[h].has(i)) << "a lane past the seeds";
        ++h;
      }
      EXPECT_EQ(hitCount, expectedHits);
    }
    // A test that nothing passes leaves no hit at all.
    const RangeTest impossible{2, 0xFFFFFFFF, 0xFFFFFFFF};
    std::vector<RangeHit> hits(positions);
    EXPECT_EQ(kernels().scanRanges(values.data(), count, positions, &impossible, 1, hits.data()), 0u);
  }
}

}  // namespace
}  // namespace hanabira

namespace hanabira {
namespace {

TEST_P(Kernels, RangeScansTakeMoreTestsThanFitInRegisters) {
  const std::size_t count = 100;
  const int positions = 5;
  std::vector<std::uint32_t> values(static_cast<std::size_t>(positions + 10) * count);
  for (auto& value : values) value = static_cast<std::uint32_t>(random_() % 4);
  std::vector<RangeTest> tests;
  for (int t = 0; t < 10; ++t) tests.push_back({t, 0, 2});  // each passes three values in four
  std::vector<RangeHit> hits(positions);
  const std::size_t hitCount = kernels().scanRanges(values.data(), count, positions, tests.data(), 10, hits.data());
  std::size_t h = 0;
  for (int p = 0; p < positions; ++p) {
    std::vector<bool> expected(count);
    bool any = false;
    for (std::size_t i = 0; i < count; ++i) {
      expected[i] = true;
      for (int t = 0; t < 10; ++t)
        expected[i] = expected[i] && values[static_cast<std::size_t>(p + t) * count + i] <= 2;
      any = any || expected[i];
    }
    if (!any) continue;
    ASSERT_LT(h, hitCount);
    ASSERT_EQ(hits[h].position, p);
    for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(hits[h].has(i), expected[i]) << p << ", " << i;
    ++h;
  }
  EXPECT_EQ(h, hitCount);
}

}  // namespace
}  // namespace hanabira
