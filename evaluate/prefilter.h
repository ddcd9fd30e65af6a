// A mode's prefilter as data: which random sequence it reads, the rows of it that a
// batch of seeds needs, and tests on those rows that rule most positions out in bulk.
// The CPU's kernels scan it; another backend can take the same description.
#pragma once

#include <cstdint>
#include <optional>

#include "core/kernels.h"
#include "evaluate/range_filter.h"

namespace hanabira {

enum class RandomSequence {
  Individual,   // MT19937 seeded with the upper half of the initial seed
  Personality,  // the LCG from the initial seed itself
};

struct Prefilter {
  RandomSequence sequence = RandomSequence::Individual;
  // Row r holds position first + r of the sequence, for every seed of a batch.
  std::int64_t first = 0;
  // Start positions first to first + positions - 1 are scanned; 0: the mode finds nothing.
  int positions = 0;
  // Rows computed: the start positions and as far past them as the tests and the mode's
  // exact check read.
  int rowCount = 0;
  // Tests on the rows, offsets counted from a start position. An impossible filter passes
  // nothing.
  RangeFilter filter;
  // A test on the personality-value rows that no range expresses (the shiny test).
  std::optional<HalvesTest> halves;

  bool findsNothing() const { return positions == 0 || filter.impossible(); }
};

}  // namespace hanabira
