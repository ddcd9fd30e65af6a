// Every level's kernels against the plain computations, on random inputs and on counts
// around the lane and group sizes, every lane with its own input so that swapped lanes show.
#include "core/kernels.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/calendar.h"
#include "core/lcg64.h"
#include "core/mt19937.h"
#include "test_support.h"

namespace hanabira {
namespace {

class Kernels : public ::testing::TestWithParam<Isa> {
 protected:
  void SetUp() override {
    if (!cpuSupports(GetParam())) GTEST_SKIP() << isaName(GetParam()) << ": not supported by this CPU";
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
      std::vector<SearchCursor> moments(count);
      std::vector<std::uint32_t> timeWords(count), keyWords(count);
      for (std::size_t i = 0; i < count; ++i) {
        moments[i] = {date.year, date.month, date.day, static_cast<int>(random_() % 24),
                      static_cast<int>(random_() % 60), static_cast<int>(random_() % 60), dayOfWeek,
                      static_cast<int>(random_() % 1024)};
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

TEST_P(Kernels, MtWindowsMatchTheGenerator) {
  const std::vector<std::pair<int, int>> windows = {{0, 0}, {7, 12}, {0, 6}, {50, 60}, {0, 226}, {220, 226}};
  for (const auto& [first, last] : windows) {
    for (std::size_t count : counts()) {
      std::vector<std::uint32_t> seeds(count);
      for (auto& seed : seeds) seed = static_cast<std::uint32_t>(random_());
      const std::size_t rows = static_cast<std::size_t>(last - first + 1);
      std::vector<std::uint32_t> outputs(rows * count + 1, 0xDEADBEEF);
      kernels().mtWindow(seeds.data(), count, first, last, outputs.data());
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

INSTANTIATE_TEST_SUITE_P(EveryLevel, Kernels, ::testing::Values(Isa::Scalar, Isa::Avx2, Isa::Avx512),
                         [](const ::testing::TestParamInfo<Isa>& level) { return std::string(isaName(level.param)); });

TEST(KernelDispatch, LevelsByName) {
  EXPECT_EQ(parseIsa("avx2"), Isa::Avx2);
  EXPECT_EQ(parseIsa("avx512"), Isa::Avx512);
  EXPECT_EQ(parseIsa("scalar"), Isa::Scalar);
  EXPECT_FALSE(parseIsa("sse2"));
  EXPECT_FALSE(parseIsa("auto"));
  EXPECT_EQ(supportedIsas().back(), Isa::Scalar);
  EXPECT_EQ(bestKernels().isa, supportedIsas().front());
}

TEST(KernelDispatch, UnsupportedLevelsAreRefusedWithTheLevelsThatRun) {
  for (Isa isa : {Isa::Avx2, Isa::Avx512}) {
    if (cpuSupports(isa)) continue;
    try {
      kernelsFor(isa);
      FAIL() << "no error for " << isaName(isa);
    } catch (const UnsupportedIsaError& error) {
      EXPECT_NE(std::string(error.what()).find("it runs: "), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace hanabira
