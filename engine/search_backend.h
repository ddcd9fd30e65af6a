// Where the chunks of a search are evaluated. The engine cuts a search into chunks of
// consecutive boot moments, has each of its threads evaluate chunks through a worker of
// the backend, and commits their lines in order; a backend decides only how the lines of
// one chunk are found. The CPU backend runs the kernels of the prepared search's level;
// a device's backend hands it the searches its device does not run.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
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

// A device a backend searches on, such as a GPU.
struct BackendDevice {
  std::string name;
  std::string platform;
  bool gpu = false;  // a GPU or another accelerator, not the host's own cores
  unsigned computeUnits = 0;
};

class SearchBackend {
 public:
  virtual ~SearchBackend() = default;

  // As --backend takes it and messages write it: "cpu", "opencl".
  virtual std::string_view name() const = 0;
  // The device it searches on; none for the CPU's own threads.
  virtual const BackendDevice* device() const { return nullptr; }
  // The backend that searches `search`: this one, or the CPU's for a search its device
  // does not run (its mode, or settings past what the device holds).
  virtual const SearchBackend& forSearch(const PreparedSearch&) const { return *this; }
  // Whether a device error has sent the rest of the work to the CPU.
  virtual bool fellBack() const { return false; }
  // A worker for one thread of `search`, which outlives it.
  virtual std::unique_ptr<ChunkEvaluator> makeChunkEvaluator(const PreparedSearch& search) const = 0;
  // Boot moments per chunk when the search leaves the choice to the engine; 0: the
  // engine's own, which suits the CPU.
  virtual std::uint64_t chunkMoments(const PreparedSearch&) const { return 0; }
};

// The kernels of the search's instruction-set level on the CPU's threads.
const SearchBackend& cpuBackend();

}  // namespace hanabira
