// Ranges ("chunks") of boot moments worked on by several threads and handed over in
// their order: chunk k is consumed only after every chunk before it. At most a window of
// chunks is in flight, and their lines take a bounded amount of memory: a worker whose
// lines reach its share hands them over before its chunk ends, once the chunk's turn has
// come. So memory stays bounded however long the search runs and however many lines a
// single boot moment makes.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "engine/moment_range.h"
#include "engine/prepared_search.h"
#include "engine/search_backend.h"

namespace hanabira {

struct ChunkPlan {
  MomentRange moments;      // those searched; chunk 0 starts at the first of them
  std::uint64_t chunkSize;  // moments per chunk; the last one may hold fewer
  // The most memory the lines waiting to be consumed may take, all threads together
  // (give or take a line per chunk in flight).
  std::size_t lineBytes;

  std::uint64_t chunkCount() const { return (moments.size() + chunkSize - 1) / chunkSize; }
  std::uint64_t begin(std::uint64_t chunk) const { return moments.first + chunk * chunkSize; }
  std::uint64_t end(std::uint64_t chunk) const { return std::min(moments.end, begin(chunk) + chunkSize); }
};

// Called in chunk order, one call at a time, on whichever of the search's threads holds
// the turn, with the lines of a chunk: those that reached the worker's share before the
// chunk ended, each time they do, then the rest with the chunk's momentsDone and
// complete (before that, 0 and true). Returning false stops the pipeline; so does a
// chunk that cancellation cut short, after it was consumed.
using ChunkConsumer = std::function<bool(std::uint64_t chunk, const ChunkResult& result)>;

// Runs the chunks of `plan` on `threads` threads, the calling thread one of them, each
// with a worker of `backend`. An exception in a worker or in the consumer stops every
// thread and is rethrown here. Returns the memory the waiting lines took at most.
std::size_t runChunkPipeline(const PreparedSearch& search, const SearchBackend& backend, const ChunkPlan& plan,
                             unsigned threads, const std::atomic<bool>* cancel, const ChunkConsumer& consume);

}  // namespace hanabira
