#include "engine/chunk_pipeline.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <vector>

#include "engine/thread_team.h"

namespace hanabira {
namespace {

// Every thread works on chunks, the calling thread too. A thread that finishes the chunk
// whose turn it is to be consumed consumes it, and any finished ones after it: the
// consumer is whoever holds the turn, so nobody sleeps and wakes per chunk. A worker
// whose lines fill its share takes the turn for them as soon as its chunk's turn comes.
class Pipeline {
 public:
  Pipeline(const PreparedSearch& search, const SearchBackend& backend, const ChunkPlan& plan, unsigned threads,
           const std::atomic<bool>* cancel, const ChunkConsumer& consume)
      : search_(search), backend_(backend), plan_(plan), cancel_(cancel), consume_(consume), slots_(2 * threads + 2) {
    // A string holds up to twice what it has had appended, so each slot's share is half
    // its part of the bound.
    const std::size_t share = std::max<std::size_t>(1, plan.lineBytes / (2 * slots_.size()));
    for (Slot& slot : slots_) slot.result.lines.setBound(share, [this, &slot] { handOver(slot); });
  }

  std::size_t run(unsigned threads) {
    // A thread that cannot be started stops the others before its error is rethrown.
    runThreadTeam(
        threads, [this](unsigned) { work(); }, [this] { fail(nullptr); });
    if (failure_) std::rethrow_exception(failure_);
    // The strings never give memory back, so what they hold now is the most they held.
    std::size_t held = 0;
    for (const Slot& slot : slots_) held += slot.result.lines.text().capacity();
    return held;
  }

 private:
  struct Slot {
    ChunkResult result;
    std::uint64_t chunk = 0;
    bool ready = false;
  };

  // Thrown out of a worker's evaluation when the pipeline stops while the worker hands
  // lines over: nothing more is consumed, so its chunk ends there.
  struct Stopped {};

  Slot& slotOf(std::uint64_t chunk) { return slots_[chunk % slots_.size()]; }

  void work() {
    try {
      // Each thread keeps its own worker, with its scratch space.
      const std::unique_ptr<ChunkEvaluator> worker = backend_.makeChunkEvaluator(search_);
      for (;;) {
        const std::uint64_t chunk = nextChunk_.fetch_add(1, std::memory_order_relaxed);
        if (chunk >= plan_.chunkCount()) return;
        {
          // No more than the window ahead of the chunk being consumed.
          std::unique_lock lock(mutex_);
          changed_.wait(lock, [&] { return stopped_ || chunk < committed_ + slots_.size(); });
          if (stopped_) return;
        }
        // The slot is this thread's alone until it is marked ready.
        Slot& slot = slotOf(chunk);
        slot.chunk = chunk;
        worker->run(plan_.begin(chunk), plan_.end(chunk), cancel_, slot.result);
        // Read before handing the slot over: from then on it belongs to the consumer.
        const bool complete = slot.result.complete;
        publish(slot);
        if (!complete) return;  // cancelled: later chunks are never consumed
      }
    } catch (const Stopped&) {
      // Another thread stopped the pipeline, and said why if anything failed.
    } catch (...) {
      fail(std::current_exception());
    }
  }

  // The drain of a slot's lines before its chunk ends, on the slot's worker: once the
  // chunk's turn has come and nobody is consuming, the worker consumes them itself.
  void handOver(Slot& slot) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || (committed_ == slot.chunk && !consuming_); });
    if (stopped_) throw Stopped{};
    consuming_ = true;
    lock.unlock();
    const bool goOn = consume(slot.chunk, slot.result);
    lock.lock();
    consuming_ = false;
    if (!goOn) stopped_ = true;
    changed_.notify_all();
    if (stopped_) throw Stopped{};
    slot.result.lines.clear();
  }

  // Marks the slot ready and, unless another thread holds the turn, consumes every ready
  // chunk from the one whose turn it is.
  void publish(Slot& slot) {
    std::unique_lock lock(mutex_);
    slot.ready = true;
    if (consuming_) return;  // the thread that holds the turn will take it
    consuming_ = true;
    while (!stopped_ && committed_ < plan_.chunkCount() && slotOf(committed_).ready) {
      Slot& next = slotOf(committed_);
      lock.unlock();
      // No other thread touches a ready slot, so it is read without the lock.
      const bool goOn = consume(committed_, next.result) && next.result.complete;
      lock.lock();
      next.ready = false;
      ++committed_;
      if (!goOn) stopped_ = true;
      changed_.notify_all();
    }
    consuming_ = false;
    changed_.notify_all();  // a worker may wait to hand lines over
  }

  // The consumer's answer; false, with the failure kept, when it throws.
  bool consume(std::uint64_t chunk, const ChunkResult& result) {
    try {
      return consume_(chunk, result);
    } catch (...) {
      fail(std::current_exception());
      return false;
    }
  }

  void fail(std::exception_ptr error) {
    std::lock_guard lock(mutex_);
    if (!failure_) failure_ = error;  // null: stopped without an error of its own
    stopped_ = true;
    changed_.notify_all();
  }

  const PreparedSearch& search_;
  const SearchBackend& backend_;
  const ChunkPlan plan_;
  const std::atomic<bool>* cancel_;
  const ChunkConsumer& consume_;

  std::atomic<std::uint64_t> nextChunk_{0};
  std::mutex mutex_;
  std::condition_variable changed_;  // a chunk consumed, the turn released, or a stop
  std::vector<Slot> slots_;
  std::uint64_t committed_ = 0;  // chunks consumed so far
  bool consuming_ = false;       // a thread holds the turn
  bool stopped_ = false;
  std::exception_ptr failure_;
};

}  // namespace

std::size_t runChunkPipeline(const PreparedSearch& search, const SearchBackend& backend, const ChunkPlan& plan,
                             unsigned threads, const std::atomic<bool>* cancel, const ChunkConsumer& consume) {
  return Pipeline(search, backend, plan, threads, cancel, consume).run(threads);
}

}  // namespace hanabira
