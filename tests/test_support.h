// Shared helpers of the tests: settings for the worked example, random settings, and
// running a search into a string.
#pragma once

#include <atomic>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "core/boot_moment.h"
#include "core/initial_seed.h"
#include "core/search_settings.h"
#include "engine/search_engine.h"
#include "evaluate/search_modes.h"

namespace hanabira::testing {

// The worked example's console (Black, VCount 0x60, Timer0 0xC79, GxStat 0x06000000,
// Frame 8, MAC 00-11-22-33-44-55), searching 2011-09-27 13:47:35 only, no keys.
SearchSettings workedExampleSettings();

// Its initial seed, and its boot moment with no keys held and with A held.
inline constexpr InitialSeed workedSeed = 0x9D76553EC8C0FA7A;
inline const BootMoment workedMoment{11, 9, 27, 13, 47, 35, 2, noKeysHeld};
inline const BootMoment workedMomentWithA{11, 9, 27, 13, 47, 35, 2, 0xFFE};

// Random settings of the individual-value search over a small range of boot moments
// (at most a few thousand), so that the reference path stays quick.
SearchSettings randomIvSearchSettings(std::mt19937_64& random);

// Random settings of the given mode, on the same small ranges, with its options drawn
// from their whole lists and their edges (flags of modes of lower priority are set now
// and then too), but never the hidden ability with a Ditto, which a search refuses.
// Personality-value ranges stay within about 150 positions.
SearchSettings randomSettings(std::mt19937_64& random, SearchMode mode);

// One boot moment through the fast evaluation of the settings' mode and through the
// reference, in UTF-8.
struct BothEvaluations {
  std::string fast;
  std::string reference;
  std::size_t fastLines;
  std::size_t referenceLines;
};
BothEvaluations evaluateBothWays(const SearchSettings& settings, const BootMoment& moment, InitialSeed seed);

// A trainer ID for which `pid` is shiny with the given secret ID (any of the eight).
std::uint16_t shinyTrainerId(std::uint32_t pid, std::uint16_t secretId, std::mt19937_64& random);

// A seed whose personality-value sequence passes the comet shard's five tests from
// position `first` on; found by trying states (about one in 2,000 passes with compound
// eyes, one in 100,000 without).
InitialSeed cometShardSeedAt(std::int64_t first, bool compoundEyes, std::mt19937_64& random);

// The PID of the egg at position c of a seed's sequence, for planting shiny eggs.
std::uint32_t eggPidAt(InitialSeed seed, int c, const SearchSettings& settings);

// A seed whose LCG state after `position` steps is `state`: the generator runs through
// all 2^64 states, so stepping 2^64 - position times from the state goes back.
InitialSeed seedWithStateAt(std::int64_t position, std::uint64_t state);

// A file of the source tree (`tests/...`, `docs/...`) by its path from the tree's root.
std::string sourceTreePath(std::string_view relative);

// The whole result of a search as bytes (UTF-8 unless asked otherwise).
std::string fastResult(const SearchSettings& settings, SearchOptions options = {});
std::string referenceResult(const SearchSettings& settings, SearchOptions options = {});

// Options for a result in UTF-8, which reads better in test expectations.
SearchOptions utf8();

// The threads a test asks of a search: `wanted`, or one where the tests run on a build
// that searches on one thread only (the WebAssembly module, whose threads are workers).
unsigned testThreads(unsigned wanted);

// Keeps what is written and sets `cancel` at the given write, so that a search stops at
// a point the test chose.
class CancelAfterWrites final : public ResultSink {
 public:
  CancelAfterWrites(std::atomic<bool>& cancel, int writes) : cancel_(cancel), writesLeft_(writes) {}
  void write(std::string_view bytes) override {
    text += bytes;
    if (--writesLeft_ == 0) cancel_ = true;
  }
  std::string text;

 private:
  std::atomic<bool>& cancel_;
  int writesLeft_;
};

}  // namespace hanabira::testing
