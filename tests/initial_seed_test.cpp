#include "core/initial_seed.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "core/calendar.h"
#include "core/kernel_levels.h"
#include "core/kernels.h"
#include "core/sha1_hasher.h"
#include "test_support.h"

namespace hanabira {
namespace {

BootMoment workedExampleMoment() {
  // 2011-09-27 is a Tuesday; 13:47:35 with A held.
  return BootMoment{11, 9, 27, 13, 47, 35, 2, 0xFFE};
}

TEST(Sha1, CompressesTheStandardOneBlockMessage) {
  // "abc" with its padding: the FIPS 180 example.
  Sha1Block block{};
  block[0] = 0x61626380;
  block[15] = 24;
  EXPECT_EQ(sha1Compress(block), (Sha1Digest{0xA9993E36, 0x4706816A, 0xBA3E2571, 0x7850C26C, 0x9CD0D89D}));
}

TEST(InitialSeed, WorkedExample) {
  const SearchSettings settings = testing::workedExampleSettings();
  const BootMessage w = buildBootMessage(settings, workedExampleMoment());
  EXPECT_EQ(w[0], 0x105F2102u);
  EXPECT_EQ(w[1], 0x0C602102u);
  EXPECT_EQ(w[2], 0x0C602102u);
  EXPECT_EQ(w[3], 0x58602102u);
  EXPECT_EQ(w[4], 0x58602102u);
  EXPECT_EQ(w[5], 0x790C6000u);
  EXPECT_EQ(w[6], 0x00004455u);
  EXPECT_EQ(w[7], 0x08112235u);
  EXPECT_EQ(w[8], 0x11092702u);
  EXPECT_EQ(w[9], 0x53473500u);
  EXPECT_EQ(w[12], 0xFE2F0000u);
  EXPECT_EQ(w[13], 0x80000000u);
  EXPECT_EQ(w[15], 0x1A0u);

  const Sha1Digest digest = sha1Compress(w);
  EXPECT_EQ(digest[0], 0xEB8C9CE1u);
  EXPECT_EQ(digest[1], 0xEBC45E68u);
  EXPECT_EQ(computeInitialSeed(settings, workedExampleMoment()), 0x9D76553EC8C0FA7Au);
}

TEST(InitialSeed, HourByteCarriesTheAfternoonFlagOnTheDsOnly) {
  EXPECT_EQ(hourByte(0, false), 0x00u);
  EXPECT_EQ(hourByte(11, false), 0x11u);
  EXPECT_EQ(hourByte(12, false), 0x52u);
  EXPECT_EQ(hourByte(13, false), 0x53u);
  EXPECT_EQ(hourByte(23, false), 0x63u);
  EXPECT_EQ(hourByte(13, true), 0x13u);
  EXPECT_EQ(hourByte(23, true), 0x23u);
}

TEST(InitialSeed, DateAndKeyWords) {
  EXPECT_EQ(dateWord(0, 1, 1, 6), 0x00010106u);  // year 2000 is byte 0x00
  EXPECT_EQ(dateWord(99, 12, 31, 4) >> 24, 0x99u);
  EXPECT_EQ(keyWord(noKeysHeld), 0xFF2F0000u);  // no key held
  EXPECT_EQ(keyWord(0xC00), 0x002C0000u);       // the key register's ten keys held
  // X and Y as a peer's table of the keys' shares of W12 has them: X takes 0x40000 off
  // the word of no key held, Y 0x80000.
  EXPECT_EQ(keyWord(noKeysHeld & ~(1 << keyX)), 0xFF2B0000u);
  EXPECT_EQ(keyWord(noKeysHeld & ~(1 << keyY)), 0xFF270000u);
  EXPECT_EQ(keyWord(0), 0x00200000u);  // all twelve
}

// The game lays the 16-bit key word out little-endian at bytes 48 and 49 of the message:
// bit 13 set, then the key mask's twelve bits, a 0 bit for a key held. A moment with X
// or Y held has the seed of that message, hashed here byte by byte, at every level.
TEST(InitialSeed, XAndYEnterTheKeyWordAsItsBits10And11) {
  const SearchSettings settings = testing::workedExampleSettings();
  std::mt19937_64 random(28);
  for (const int mask : {0xBFE, 0x7FE, 0x3FE, 0x3FF, 0x000, 0xFFE, static_cast<int>(random() % 4096)}) {
    BootMoment moment = workedExampleMoment();
    moment.keyMask = mask;
    const BootMessage words = buildBootMessage(settings, moment);
    std::string bytes;
    for (int k = 0; k < 12; ++k) {
      for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>(words[k] >> shift);
    }
    const int keyWord16 = 0x2000 | mask;
    bytes += {static_cast<char>(keyWord16 & 0xFF), static_cast<char>(keyWord16 >> 8), '\0', '\0'};
    const std::string digest = sha1Hex(bytes);
    std::uint64_t digestValue = 0;  // the digest's first eight bytes, little-endian
    for (int k = 7; k >= 0; --k) digestValue = digestValue << 8 | std::stoul(digest.substr(2 * k, 2), nullptr, 16);
    const InitialSeed expected = Lcg64::step(digestValue);
    EXPECT_EQ(computeInitialSeed(settings, moment), expected) << std::hex << mask;

    BootMessage dayWords = constantMessageWords(settings);
    dayWords[8] = words[8];
    const SeedDay day = prepareSeedDay(dayWords);
    const std::uint32_t keys = keyWord(mask);
    for (Isa isa : supportedIsas()) {
      InitialSeed seed = 0;
      kernelsFor(isa).computeSeeds(day, &words[9], &keys, 1, &seed);
      EXPECT_EQ(seed, expected) << isaName(isa) << ", mask " << std::hex << mask;
    }
  }
}

TEST(InitialSeed, VersionChangesOnlyTheFirstFiveWords) {
  SearchSettings black = testing::workedExampleSettings();
  SearchSettings white = black;
  white.versionWord = whiteVersionWord;
  const BootMessage b = buildBootMessage(black, workedExampleMoment());
  const BootMessage w = buildBootMessage(white, workedExampleMoment());
  for (int k = 0; k < 16; ++k) {
    if (k < 5) EXPECT_NE(b[k], w[k]) << "word " << k;
    else EXPECT_EQ(b[k], w[k]) << "word " << k;
  }
}

TEST(InitialSeed, NegativeFrameEntersAsItsTwosComplementPattern) {
  const MacAddress mac{0, 0, 0, 0, 0, 0};
  EXPECT_EQ(deriveMessageWords(mac, 0, -1).word7, 0xFFFFFFFFu);
  EXPECT_EQ(deriveMessageWords(mac, 0x06000000, -2).word7, byteSwap32(0x06000000u ^ 0xFFFFFFFEu));
}

// Seeds computed by an independent implementation of the game's computation.
struct SeedVector {
  std::string line;
  SearchSettings settings;
  BootMoment moment;
  InitialSeed seed;
};

std::vector<SeedVector> readSeedVectors() {
  std::ifstream in(testing::sourceTreePath("tests/data/initial-seeds.csv"));
  std::vector<SeedVector> vectors;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::stringstream row(line);
    for (std::string cell; std::getline(row, cell, ',');) cells.push_back(cell);
    if (cells.size() != 14) continue;
    SeedVector v{line, {}, {}, 0};
    v.settings.versionWord = cells[0] == "W" ? whiteVersionWord : blackVersionWord;
    MacAddress mac;
    for (int k = 0; k < 6; ++k) mac[k] = static_cast<std::uint8_t>(std::stoul(cells[1].substr(3 * k, 2), nullptr, 16));
    v.settings.vcount = static_cast<std::uint32_t>(std::stoul(cells[2], nullptr, 16));
    v.settings.timer0 = static_cast<std::uint32_t>(std::stoul(cells[3], nullptr, 16));
    v.settings.gxStat = static_cast<std::uint32_t>(std::stoul(cells[4], nullptr, 16));
    v.settings.frame = std::stoi(cells[5]);
    applyMacAddress(v.settings, mac);
    const Date date{std::stoi(cells[6]) - 2000, std::stoi(cells[7]), std::stoi(cells[8])};
    // The key register's ten bits; X and Y released.
    v.moment = {date.year,
                date.month,
                date.day,
                std::stoi(cells[9]),
                std::stoi(cells[10]),
                std::stoi(cells[11]),
                weekday(date),
                std::stoi(cells[12]) | (1 << keyX) | (1 << keyY)};
    v.seed = std::stoull(cells[13], nullptr, 16);
    vectors.push_back(v);
  }
  return vectors;
}

TEST(InitialSeed, AgreesWithIndependentVectors) {
  const std::vector<SeedVector> vectors = readSeedVectors();
  ASSERT_EQ(vectors.size(), 100u);
  int leapDays = 0;
  for (const SeedVector& v : vectors) {
    leapDays += v.moment.month == 2 && v.moment.day == 29;
    EXPECT_EQ(computeInitialSeed(v.settings, v.moment), v.seed) << v.line;
    // And every kernel level this CPU runs, from the day's prepared rounds.
    BootMessage words = constantMessageWords(v.settings);
    words[8] = dateWord(v.moment.year, v.moment.month, v.moment.day, v.moment.weekday);
    const SeedDay day = prepareSeedDay(words);
    const std::uint32_t time = timeWord(v.moment.hour, v.moment.minute, v.moment.second, false);
    const std::uint32_t keys = keyWord(v.moment.keyMask);
    for (Isa isa : supportedIsas()) {
      InitialSeed seed = 0;
      kernelsFor(isa).computeSeeds(day, &time, &keys, 1, &seed);
      EXPECT_EQ(seed, v.seed) << isaName(isa) << ": " << v.line;
    }
  }
  EXPECT_GT(leapDays, 0);
}

}  // namespace
}  // namespace hanabira
