#include "core/chunk_pipeline.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace hanabira {
namespace {

class Pipeline {
 public:
  Pipeline(const PreparedSearch& search, const ChunkPlan& plan, unsigned threads, const std::atomic<bool>* cancel)
      : search_(search), plan_(plan), cancel_(cancel), threads_(threads), slots_(2 * threads + 2) {}

  void run(const ChunkConsumer& consume) {
    std::vector<std::jthread> workers;
    workers.reserve(threads_);
    for (unsigned i = 0; i < threads_; ++i) workers.emplace_back([this] { work(); });
    try {
      consumeInOrder(consume);
    } catch (...) {
      stop();
      throw;  // the workers are joined on the way out
    }
    stop();
    for (auto& worker : workers) worker.join();
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  struct Slot {
    ChunkResult result;
    bool ready = false;
  };

  Slot& slotOf(std::uint64_t chunk) { return slots_[chunk % slots_.size()]; }

  void work() {
    try {
      // Each thread keeps its own evaluator scratch and prepared day.
      ChunkWorker worker(search_);
      for (;;) {
        const std::uint64_t chunk = nextChunk_.fetch_add(1, std::memory_order_relaxed);
        if (chunk >= plan_.chunkCount()) return;
        {
          // Wait until the chunk's slot is free: no more than the window ahead of the consumer.
          std::unique_lock lock(mutex_);
          slotFreed_.wait(lock, [&] { return stopped_ || chunk < committed_ + slots_.size(); });
          if (stopped_) return;
        }
        // The slot is this thread's alone until it is marked ready.
        Slot& slot = slotOf(chunk);
        worker.run(plan_.begin(chunk), plan_.end(chunk), cancel_, slot.result);
        // Read before handing the slot over: from then on the consumer, and after it the
        // worker of a later chunk, own it.
        const bool complete = slot.result.complete;
        {
          std::lock_guard lock(mutex_);
          slot.ready = true;
        }
        chunkReady_.notify_one();
        if (!complete) return;  // cancelled: later chunks are never consumed
      }
    } catch (...) {
      std::lock_guard lock(mutex_);
      if (!failure_) failure_ = std::current_exception();
      stopped_ = true;
      chunkReady_.notify_all();
      slotFreed_.notify_all();
    }
  }

  void consumeInOrder(const ChunkConsumer& consume) {
    for (std::uint64_t chunk = 0; chunk < plan_.chunkCount(); ++chunk) {
      Slot& slot = slotOf(chunk);
      {
        std::unique_lock lock(mutex_);
        chunkReady_.wait(lock, [&] { return slot.ready || failure_; });
        if (!slot.ready) return;  // a worker failed; run() rethrows its exception
      }
      // The slot is the consumer's alone until committed_ moves past it.
      const bool goOn = consume(chunk, slot.result) && slot.result.complete;
      {
        std::lock_guard lock(mutex_);
        slot.ready = false;
        committed_ = chunk + 1;
      }
      slotFreed_.notify_all();
      if (!goOn) return;
    }
  }

  void stop() {
    {
      std::lock_guard lock(mutex_);
      stopped_ = true;
    }
    slotFreed_.notify_all();
  }

  const PreparedSearch& search_;
  const ChunkPlan plan_;
  const std::atomic<bool>* cancel_;
  const unsigned threads_;

  std::atomic<std::uint64_t> nextChunk_{0};
  std::mutex mutex_;
  std::condition_variable chunkReady_;
  std::condition_variable slotFreed_;
  std::vector<Slot> slots_;
  std::uint64_t committed_ = 0;  // chunks consumed so far
  bool stopped_ = false;
  std::exception_ptr failure_;
};

}  // namespace

void runChunkPipeline(const PreparedSearch& search, const ChunkPlan& plan, unsigned threads,
                      const std::atomic<bool>* cancel, const ChunkConsumer& consume) {
  Pipeline(search, plan, threads, cancel).run(consume);
}

}  // namespace hanabira
