#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/lcg64.h"
#include "core/mt19937.h"
#include "core/mt_span.h"
#include "core/pid_span.h"

namespace hanabira {
namespace {

TEST(Lcg64, Steps) {
  EXPECT_EQ(Lcg64::step(0), 0x269EC3u);
  EXPECT_EQ(Lcg64::step(0xFFFFFFFFFFFFFFFF), 0xA2A7749A941F155Eu);
}

TEST(Lcg64, PersonalityValueSequenceOfTheWorkedExample) {
  Lcg64 lcg(0x9D76553EC8C0FA7A);  // element 0 is the upper half of the seed itself
  const std::vector<std::uint32_t> expected = {0x9D76553E, 0xACCA3248, 0xF4267793, 0x78181F04, 0x91BB7DAA};
  for (std::uint32_t value : expected) EXPECT_EQ(lcg.next(), value);
}

TEST(Lcg64, JumpsEqualSteps) {
  std::mt19937_64 random(1);
  for (std::uint64_t steps : {0ull, 1ull, 2ull, 7ull, 150ull, 100000ull}) {
    const std::uint64_t start = random();
    std::uint64_t state = start;
    for (std::uint64_t k = 0; k < steps; ++k) state = Lcg64::step(state);
    EXPECT_EQ(Lcg64::jump(steps).apply(start), state) << steps;
  }
  // The generator runs through all 2^64 states: 2^64 - n steps undo n.
  const std::uint64_t start = random();
  EXPECT_EQ(Lcg64::jump(0 - std::uint64_t{12345}).apply(Lcg64::jump(12345).apply(start)), start);
  EXPECT_EQ(Lcg64::jump(std::uint64_t{1} << 63).apply(Lcg64::jump(std::uint64_t{1} << 63).apply(start)), start);
}

TEST(PidSpan, HoldsTheSequenceFromItsFirstPositionAndGrowsOnDemand) {
  for (std::int64_t first : {0, 1, 50, 100003}) {
    PidSpan span(first, 20);
    for (std::uint64_t seed : {std::uint64_t{0}, std::uint64_t{0x9D76553EC8C0FA7A}}) {
      span.fill(seed);
      EXPECT_EQ(span.end(), first + 20);
      span.reach(first + 300);  // more than twice the storage
      EXPECT_GE(span.end(), first + 301);
      Lcg64 lcg(seed);
      for (std::int64_t k = 0; k < first; ++k) lcg.next();
      for (std::int64_t k = first; k <= first + 300; ++k) ASSERT_EQ(span[k], lcg.next()) << first << " at " << k;
    }
    span.fill(1);  // a new seed starts over at the first length
    EXPECT_EQ(span.end(), first + 20);
  }
}

TEST(Mt19937, ReferenceSequenceForSeed5489) {
  Mt19937 generator(5489);
  EXPECT_EQ(generator.next(), 3499211612u);
}

TEST(Mt19937, WorkedExample) {
  Mt19937 generator(0x9D76553E);
  std::vector<std::uint32_t> outputs(13);
  for (auto& output : outputs) output = generator.next();
  EXPECT_EQ(outputs[0], 0xDA746F34u);
  EXPECT_EQ(outputs[1], 0x13FAC93Cu);
  EXPECT_EQ(outputs[2], 0x92281077u);
  EXPECT_EQ(outputs[3], 0x4D5396E7u);
  const std::vector<std::uint32_t> ivs0to5 = {27, 2, 18, 9, 16, 9};
  const std::vector<std::uint32_t> ivs7to12 = {4, 21, 9, 26, 18, 11};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(outputs[k] >> 27, ivs0to5[k]);
    EXPECT_EQ(outputs[7 + k] >> 27, ivs7to12[k]);
  }
}

// The standard library's generator is an independent implementation of the same
// algorithm, further twists included.
TEST(Mt19937, AgreesWithTheStandardLibraryPastSeveralTwists) {
  for (std::uint32_t seed : {0u, 1u, 5489u, 0x9D76553Eu, 0xFFFFFFFFu}) {
    Mt19937 ours(seed);
    std::mt19937 standard(seed);
    for (int k = 0; k < 3 * Mt19937::stateSize + 5; ++k) ASSERT_EQ(ours.next(), standard()) << seed << " at " << k;
  }
}

TEST(Mt19937, SeedZeroStartsWithWordsZeroAndOne) {
  EXPECT_EQ(Mt19937::seedWord(0, 1), 1u);
  Mt19937 ours(0);
  std::mt19937 standard(0);
  EXPECT_EQ(ours.next(), standard());
}

TEST(MtOutputSpan, MatchesTheFullGeneratorOnEveryKindOfSpan) {
  // Spans inside the shortcut's reach, across its edge at 226/227, and past 623.
  const std::vector<std::pair<int, int>> spans = {{0, 0},     {7, 12},    {0, 226},   {220, 227},
                                                  {226, 226}, {227, 230}, {600, 700}, {1240, 1260}};
  std::mt19937 random(7);
  for (const auto& [first, last] : spans) {
    const MtOutputSpan span(first, last);
    std::vector<std::uint32_t> outputs(static_cast<std::size_t>(span.size()));
    for (int trial = 0; trial < 20; ++trial) {
      const auto seed = static_cast<std::uint32_t>(random());
      span.fill(seed, outputs.data());
      Mt19937 full(seed);
      for (int k = 0; k < first; ++k) full.next();
      for (int k = first; k <= last; ++k)
        ASSERT_EQ(outputs[k - first], full.next()) << first << ".." << last << " at " << k;
    }
  }
}

}  // namespace
}  // namespace hanabira
