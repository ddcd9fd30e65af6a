// The initial-seed computation of a search, prepared: words W0 to W8 are the same for
// every second of a day, so rounds 0 to 8 of SHA-1 run once per day and each boot moment
// only forms W9 (the time) and W12 (the keys) and runs the remaining rounds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/initial_seed.h"

namespace hanabira {

class SeedHasher {
 public:
  struct Day {
    BootMessage words;    // W0 to W15 with W8 of the day; W9 and W12 are filled per moment
    Sha1Digest afterRound8;  // working variables a to e after rounds 0 to 8
  };

  explicit SeedHasher(const SearchSettings& settings);

  Day prepareDay(int year, int month, int day, int weekday) const;
  InitialSeed seed(const Day& day, std::uint32_t timeWord, std::uint32_t keyWord) const;

  std::uint32_t timeWordOf(int hour, int minute, int second) const {
    return timeWord(hour, minute, second, is3ds_);
  }

 private:
  BootMessage constantWords_;
  bool is3ds_;
};

}  // namespace hanabira
