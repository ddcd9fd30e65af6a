// The game's initial seed: at boot it lays the console parameters, the clock and the
// keys held out as one 13-word message, takes its SHA-1 digest and steps the first eight
// digest bytes once through the 64-bit generator.
#pragma once

#include <cstdint>

#include "core/boot_moment.h"
#include "core/edition.h"
#include "core/lcg64.h"
#include "core/search_settings.h"
#include "core/sha1.h"

namespace hanabira {

using InitialSeed = std::uint64_t;
using BootMessage = Sha1Block;

// Packed BCD of 0 to 99 (47 becomes 0x47). Larger or negative values spill into the
// neighbouring bits, as the game's own conversion does.
constexpr std::uint32_t bcd(int value) { return static_cast<std::uint32_t>(value + 6 * (value / 10)); }

// The console adds 0x40 to the hour byte in the afternoon; the 3DS does not.
constexpr std::uint32_t hourByte(int hour, bool is3ds) { return bcd(hour) + (hour >= 12 && !is3ds ? 0x40u : 0u); }

constexpr std::uint32_t dateWord(int year, int month, int day, int weekday) {
  return (bcd(year) << 24) | (bcd(month) << 16) | (bcd(day) << 8) | static_cast<std::uint32_t>(weekday);
}

constexpr std::uint32_t timeWord(int hour, int minute, int second, bool is3ds) {
  return (hourByte(hour, is3ds) << 24) | (bcd(minute) << 16) | (bcd(second) << 8);
}

// W12: the twelve bits of the key mask with bit 13 set beside them (0x2FFF with no key
// held), as the game lays the word out in memory.
constexpr std::uint32_t keyWord(int keyMask) { return byteSwap32(static_cast<std::uint32_t>(keyMask) ^ 0x2000u); }

constexpr std::uint32_t parameterWord(std::uint32_t vcount, std::uint32_t timer0) {
  return byteSwap32((vcount << 16) | timer0);
}

// W0 to W4: the edition's, or Black and White's rule applied to versionWord.
EditionWords editionWordsOf(const SearchSettings& settings);

// Words W0 to W7 and the padding: what stays fixed for a whole search.
BootMessage constantMessageWords(const SearchSettings& settings);

BootMessage buildBootMessage(const SearchSettings& settings, const BootMoment& moment);

// The first eight digest bytes read as a little-endian number, stepped once.
constexpr InitialSeed initialSeedFromDigest(std::uint32_t h0, std::uint32_t h1) {
  const std::uint64_t digestValue = (std::uint64_t{byteSwap32(h1)} << 32) | byteSwap32(h0);
  return Lcg64::step(digestValue);
}

// The initial seed of one boot moment, straight from the game's rules.
InitialSeed computeInitialSeed(const SearchSettings& settings, const BootMoment& moment);

}  // namespace hanabira
