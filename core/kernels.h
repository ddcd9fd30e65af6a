// The seven hot computations of a search, in one version per instruction-set level: the
// initial seeds of many boot moments of one day and of the key masks of one second, the
// MT19937 outputs and the LCG's outputs of many seeds, and three scans that keep only
// the seeds that pass a mode's filters: ranges over stored rows, ranges over LCG values
// still in registers, and the dome's draws without replacement. Evaluations call them
// through a KernelSet and never know which level runs; every level gives the same numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/initial_seed.h"
#include "core/isa.h"

namespace hanabira {

// Whether SHA-1 message word W[t] depends on W9 (the time) or W12 (the keys); the others
// are the same for every boot moment of a day.
constexpr bool scheduleVaries(int t) {
  if (t == 9 || t == 12) return true;
  if (t < 16) return false;
  return scheduleVaries(t - 3) || scheduleVaries(t - 8) || scheduleVaries(t - 14) || scheduleVaries(t - 16);
}

// What every boot moment of a day shares: the message words that do not vary (W0 to W8,
// the padding, and the schedule words computed from them alone) and the working
// variables after rounds 0 to 8, which read only W0 to W8.
// Plain arrays: the kernels compiled for wide instruction sets call no shared inline code.
struct SeedDay {
  std::uint32_t schedule[80];  // W[t] where !scheduleVaries(t); 0 elsewhere
  std::uint32_t afterRound8[5];
};

// `words` is the day's message with W9 and W12 left as they are (they are not read).
SeedDay prepareSeedDay(const BootMessage& words);

// seeds[i] = the initial seed of the day's message with W9 = timeWords[i], W12 = keyWords[i].
using ComputeSeedsKernel = void (*)(const SeedDay& day, const std::uint32_t* timeWords, const std::uint32_t* keyWords,
                                    std::size_t count, InitialSeed* seeds);

// Whether message word W[t] depends on W12 (the keys).
constexpr bool scheduleReadsKeys(int t) {
  if (t < 16) return t == 12;
  return scheduleReadsKeys(t - 3) || scheduleReadsKeys(t - 8) || scheduleReadsKeys(t - 14) || scheduleReadsKeys(t - 16);
}

// What the boot moments of one second of a day share: the working variables after
// rounds 9 to 11, which read W9 to W11 only, and the message schedule with W12 zero. The
// schedule is linear over XOR, so a moment's W[t] is this one's XOR the keys' share.
struct SeedTime {
  std::uint32_t schedule[80];
  std::uint32_t afterRound11[5];
};

SeedTime prepareSeedTime(const SeedDay& day, std::uint32_t timeWord);

// The keys' share of the message schedule for the key masks of a search: W[t] (t >= 12)
// of a message that is zero but for W12, the mask's key word, at
// words[(t - 12) * stride + mask]. Each row reads on for keyScheduleMargin zeros past the
// last mask, so that the kernels read whole groups of lanes.
struct KeySchedules {
  explicit KeySchedules(const std::vector<std::uint32_t>& keyWords);

  std::size_t stride;
  std::vector<std::uint32_t> words;
};
inline constexpr std::size_t keyScheduleMargin = 64;

// seeds[i] = the initial seed of the moment of `time` held with key mask firstMask + i
// of `keys` (firstMask + count <= the masks of `keys`).
using ComputeMaskSeedsKernel = void (*)(const SeedTime& time, const std::uint32_t* keys, std::size_t stride,
                                        std::size_t firstMask, std::size_t count, InitialSeed* seeds);

// The MT19937 outputs at positions first to last (last <= mtKernelLastPosition) of the
// sequence seeded with mtSeeds[i], for i < count: output k of seed i goes to
// outputs[(k - first) * count + i].
using MtSpanKernel = void (*)(const std::uint32_t* mtSeeds, std::size_t count, int first, int last,
                              std::uint32_t* outputs);
// The farthest position whose output needs no word that the twist has rewritten.
inline constexpr int mtKernelLastPosition = 226;

// The upper halves of states[i] and of the `length - 1` LCG states after it:
// outputs[p * count + i] = upper half of states[i] stepped p times.
using LcgOutputsKernel = void (*)(const std::uint64_t* states, std::size_t count, int length, std::uint32_t* outputs);

// A filter on the rows the kernels above write: value (of row position + rowOffset) in
// [low, high]. Individual values, scaled random numbers and most game rolls are such
// ranges of the raw 32-bit value.
struct RangeTest {
  int rowOffset;
  std::uint32_t low;
  std::uint32_t high;
};

// The seeds (bit i: seed i) that pass every test at one position.
struct RangeHit {
  int position;
  std::uint64_t seeds[4];

  bool has(std::size_t seed) const { return (seeds[seed / 64] >> (seed % 64) & 1) != 0; }
};

// The most seeds the range scan takes at once.
inline constexpr std::size_t maxScanSeeds = 256;

// For every position p < positions, in ascending order, the seeds i < count
// (count <= maxScanSeeds) for which every test holds on rows[(p + offset) * count + i];
// writes one RangeHit per position with any such seed and returns how many it wrote.
using ScanRangesKernel = std::size_t (*)(const std::uint32_t* rows, std::size_t count, int positions,
                                         const RangeTest* tests, int testCount, RangeHit* hits);

// A test on the value v of a row that no range expresses: the word w, which is v - 1
// (0 for v = 0) when `decrement` and v otherwise, with bit 31 replaced by bit 0 when
// `bit31FromBit0`, passes when its two halves XOR `pattern` to at most 7. The shiny test
// of every kind of encounter, with or without ID correction, is one of these.
struct HalvesTest {
  int rowOffset;
  bool decrement;
  bool bit31FromBit0;
  std::uint16_t pattern;
};

// The plain definition, which every level's kernel matches.
constexpr bool passesHalvesTest(const HalvesTest& test, std::uint32_t value) {
  std::uint32_t word = test.decrement && value != 0 ? value - 1 : value;
  if (test.bit31FromBit0) word = (word & 0x7FFFFFFFu) | (word << 31);
  return ((word >> 16) ^ (word & 0xFFFFu) ^ test.pattern) <= 7;
}

// What the LCG scan tests at each start position p < positions: every range test (at
// most maxLcgScanTests) and, if there is one, the halves test, on the values of rows
// p + rowOffset (offsets >= 0). Row 0 is the state the affine map `toFirst` (a jump:
// s -> s * multiplier + increment) makes of a seed.
struct LcgScan {
  int positions;
  const RangeTest* tests;
  int testCount;
  const HalvesTest* halves;  // or nullptr
  std::uint64_t toFirstMultiplier;
  std::uint64_t toFirstIncrement;
};
inline constexpr int maxLcgScanTests = 64;
// The distinct ranges one pass over the sequences notes; more take further passes.
inline constexpr int lcgScanRangesAtOnce = 8;

// The rows the scan reads (positions and as far past them as the furthest offset), and
// the scratch words it needs.
int lcgScanRows(const LcgScan& scan);
std::size_t lcgScanScratchWords(const LcgScan& scan);

// The LCG sequences of seeds[i], i < count <= maxScanSeeds (row k: the upper half of the
// seed's row-0 state stepped k times), tested while the values are in registers and
// never stored: for every start position, in ascending order, the seeds that pass every
// test; one RangeHit per position with any such seed, in `hits` (room for
// scan.positions). Returns how many it wrote. `scratch` holds lcgScanScratchWords(scan)
// words.
using ScanLcgKernel = std::size_t (*)(const std::uint64_t* seeds, std::size_t count, const LcgScan& scan,
                                      std::uint64_t* scratch, RangeHit* hits);

// Draws without replacement from a list of listSize entries, the dome's trainers: draw k
// from a start position p takes entry scaledRandom(row p + k, listSize - k) of the
// entries left, which close up behind it.
struct DrawScan {
  int positions;
  std::uint32_t listSize;
  int drawCount;      // at most maxDraws
  const int* wanted;  // places in the full list, distinct
  int wantedCount;    // at most maxDrawsWanted
};
inline constexpr int maxDraws = 8;
inline constexpr int maxDrawsWanted = 6;

// Over rows laid out as LcgOutputsKernel writes them (row r: rows[r * count + i]), for
// every start position p < scan.positions and seed i < count <= maxScanSeeds: bit i % 64
// of matches[p * 4 + i / 64] is set when the seed's draws from p take every wanted entry.
using ScanDrawsKernel = void (*)(const std::uint32_t* rows, std::size_t count, const DrawScan& scan,
                                 std::uint64_t* matches);

struct KernelSet {
  Isa isa;
  std::size_t lanes;  // 32-bit lanes of one vector
  ComputeSeedsKernel computeSeeds;
  ComputeMaskSeedsKernel computeMaskSeeds;
  MtSpanKernel mtSpan;
  LcgOutputsKernel lcgOutputs;
  ScanRangesKernel scanRanges;
  ScanLcgKernel scanLcg;
  ScanDrawsKernel scanDraws;
};

class UnsupportedIsaError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The kernels of a level; throws UnsupportedIsaError, naming the levels this CPU runs,
// when the CPU lacks the level's instructions.
const KernelSet& kernelsFor(Isa isa);
// The best level this CPU runs.
const KernelSet& bestKernels();

}  // namespace hanabira
