// Where the chunks of a search are evaluated. The engine cuts a search into chunks of
// consecutive boot moments, has each of its threads evaluate chunks through a worker of
// the backend, and commits their lines in order; a backend decides only how the lines of
// one chunk are found. The CPU backend runs the kernels of the prepared search's level.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string_view>

#include "evaluate/line_output.h"

namespace hanabira {

struct PreparedSearch;

struct ChunkResult {
  // Bounded by the engine: lines that reach the bound are handed over before the chunk
  // ends, and the output holds only those found since.
  LineOutput lines;
  // The rest is set when the chunk ends.
  std::uint64_t momentsDone = 0;
  // False when cancellation stopped the range early; the lines are then those of the
  // first momentsDone moments.
  bool complete = true;
};

// One per thread: it may keep scratch space between chunks.
class ChunkEvaluator {
 public:
  virtual ~ChunkEvaluator() = default;

  // The lines of moments [begin, end) of the search's space, in order, into `result`
  // (whose previous content it replaces, keeping the lines' bound). The bound's drain
  // may throw, which ends the chunk there.
  virtual void run(std::uint64_t begin, std::uint64_t end, const std::atomic<bool>* cancel, ChunkResult& result) = 0;
};

class SearchBackend {
 public:
  virtual ~SearchBackend() = default;

  virtual std::string_view name() const = 0;
  // A worker for one thread of `search`, which outlives it.
  virtual std::unique_ptr<ChunkEvaluator> makeChunkEvaluator(const PreparedSearch& search) const = 0;
  // Boot moments per chunk when the search leaves the choice to the engine; 0: the
  // engine's own, which suits the CPU.
  virtual std::uint64_t chunkMoments(const PreparedSearch&) const { return 0; }
};

// The kernels of the search's instruction-set level on the CPU's threads.
const SearchBackend& cpuBackend();

}  // namespace hanabira
