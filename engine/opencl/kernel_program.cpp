#include "engine/opencl/kernel_program.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <iterator>
#include <optional>
#include <vector>

#include <fmt/format.h>

#include "core/kernels.h"
#include "core/lcg64.h"
#include "engine/opencl/search_kernels_source.h"

namespace hanabira {
namespace {

constexpr int maxRows = 4096;  // of MT19937 in one work item's memory

std::string hex64(std::uint64_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%016" PRIX64 "UL", value);
  return text;
}

std::string hex32(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08" PRIX32 "u", value);
  return text;
}

// SHA-1 rounds 9 to 79 as one statement each (see seedOf in the kernels): the schedule
// words that depend on W9 or W12 computed in the ring w0 to w15, the others the day's.
std::string roundsMacro() {
  std::string text = "#define ROUNDS_9_TO_79";
  for (int t = 0; t < 16; ++t) {
    if (t == 9 || t == 12) {
      fmt::format_to(std::back_inserter(text), " \\\n  uint w{} = {};", t, t == 9 ? "timeWord" : "keyWord");
    } else {
      fmt::format_to(std::back_inserter(text), " \\\n  uint w{} = day[{}];", t, t);
    }
  }
  for (int t = 9; t < 80; ++t) {
    if (t >= 16 && !scheduleVaries(t)) {
      fmt::format_to(std::back_inserter(text), " \\\n  w{} = day[{}];", t & 15, t);
    } else if (t >= 16) {
      fmt::format_to(std::back_inserter(text), " \\\n  w{0} = rotate(w{1} ^ w{2} ^ w{3} ^ w{0}, 1u);", t & 15,
                     (t - 3) & 15, (t - 8) & 15, (t - 14) & 15);
    }
    const char* round = t < 20   ? "CHOOSE, 0x5A827999u"
                        : t < 40 ? "PARITY, 0x6ED9EBA1u"
                        : t < 60 ? "MAJORITY, 0x8F1BBCDCu"
                                 : "PARITY, 0xCA62C1D6u";
    fmt::format_to(std::back_inserter(text), " \\\n  ROUND({}, w{})", round, t & 15);
  }
  return text + "\n";
}

// The tests of a prefilter as the device applies them, each a choice of ranges of one
// row: its range tests first, then the choices it leaves to the exact check.
std::vector<RangeChoice> deviceTests(const RangeFilter& filter) {
  std::vector<RangeChoice> tests;
  for (int i = 0; i < filter.testCount(); ++i) tests.push_back({{filter.tests()[i]}});
  tests.insert(tests.end(), filter.choices().begin(), filter.choices().end());
  return tests;
}

// The C expression of the value of row p + rowOffset. On the LCG the state s is that of
// row p + `anchor`, and the value is a jump from it (back: nearly 2^64 steps).
std::string valueText(RandomSequence sequence, int rowOffset, int anchor) {
  if (sequence == RandomSequence::Individual) return fmt::format("(r)[(p) + {}]", rowOffset);
  const Lcg64::Jump jump = Lcg64::jump(static_cast<std::uint64_t>(rowOffset - anchor));
  return fmt::format("(uint)(((s) * {} + {}) >> 32)", hex64(jump.multiplier), hex64(jump.increment));
}

std::string choiceText(RandomSequence sequence, const RangeChoice& choice, int anchor) {
  std::string text;
  for (const RangeTest& range : choice.anyOf) {
    if (!text.empty()) text += " || ";
    text += fmt::format("({} - {} <= {})", valueText(sequence, range.rowOffset, anchor), hex32(range.low),
                        hex32(range.high - range.low));
  }
  return choice.anyOf.size() == 1 ? text : "(" + text + ")";
}

// The tests joined in order, the rare range tests first: && stops at the first that fails.
std::string passesText(RandomSequence sequence, const std::vector<RangeChoice>& tests) {
  const int anchor = tests.front().anyOf.front().rowOffset;
  std::string text;
  for (const RangeChoice& test : tests) {
    if (!text.empty()) text += " && ";
    text += choiceText(sequence, test, anchor);
  }
  return text;
}

// The defines of the sequence and the tests (none without tests); nothing when the
// device cannot hold the rows.
std::optional<std::string> sequenceDefines(const Prefilter& prefilter) {
  const std::vector<RangeChoice> tests = deviceTests(prefilter.filter);
  if (tests.empty()) return "";
  std::string defines = "#define POSITIONS " + std::to_string(prefilter.positions) + "\n";
  const std::string passes = passesText(prefilter.sequence, tests);
  if (prefilter.sequence == RandomSequence::Individual) {
    int maxOffset = 0;
    for (const RangeChoice& test : tests) {
      for (const RangeTest& range : test.anyOf) maxOffset = std::max(maxOffset, range.rowOffset);
    }
    const int rows = prefilter.positions + maxOffset;
    if (prefilter.first + rows > maxRows) return std::nullopt;
    return defines + "#define SEQUENCE_MT\n#define FIRST " + std::to_string(prefilter.first) + "\n#define ROWS " +
           std::to_string(rows) + "\n#define PASSES_MT(r, p) (" + passes + ")\n";
  }
  // The state steps along at the first test's row; the others jump from it, and only
  // when the tests before them pass.
  const int anchor = tests.front().anyOf.front().rowOffset;
  const Lcg64::Jump toFirst = Lcg64::jump(static_cast<std::uint64_t>(prefilter.first + anchor));
  return defines + "#define SEQUENCE_LCG\n#define FIRST_MUL " + hex64(toFirst.multiplier) + "\n#define FIRST_ADD " +
         hex64(toFirst.increment) + "\n#define PASSES_LCG(s) (" + passes + ")\n";
}

}  // namespace

std::string kernelProgram(const PreparedSearch& search, const Prefilter& prefilter) {
  const BootMomentSpace& space = search.space;
  if (space.momentsPerBlock() >= (std::uint64_t{1} << 31)) return {};
  const std::optional<std::string> sequence = sequenceDefines(prefilter);
  if (!sequence) return {};
  return "#define MOMENTS_PER_BLOCK " + std::to_string(space.momentsPerBlock()) + "u\n#define MASKS " +
         std::to_string(space.masksPerTime()) + "u\n" + roundsMacro() + *sequence + "#line 1\n" +
         std::string(searchKernelsSource);
}

}  // namespace hanabira
