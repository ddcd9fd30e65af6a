#include "engine/passing_seeds.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <vector>

#include "engine/mt_seed_filter.h"
#include "engine/thread_team.h"

namespace hanabira {
namespace {

// The threads take the buckets of the space in turn; each bucket goes whole into the set
// from the thread that scanned it, so the set needs no lock but a counter.
class Scan {
 public:
  Scan(const Prefilter& prefilter, const KernelSet& kernels, const MtSeedSpace& space, const std::atomic<bool>* cancel,
       const std::function<void(std::uint64_t)>& scanned, std::uint64_t capacity)
      : prefilter_(prefilter),
        kernels_(kernels),
        space_(space),
        cancel_(cancel),
        scanned_(scanned),
        set_(std::make_unique<MtSeedSet>(std::min(capacity, space.size()))) {}

  PassingSeeds run(unsigned threads) {
    runThreadTeam(
        threads, [this](unsigned index) { work(index == 0); }, [this] { stop_ = true; });
    if (failure_) std::rethrow_exception(failure_);
    if (tooMany_) return {PassingSeeds::Outcome::TooMany, nullptr};
    // Cancelled after the last bucket, the set is whole all the same.
    if (filled_.load() < space_.buckets().size()) return {PassingSeeds::Outcome::Cancelled, nullptr};
    set_->seal();
    return {PassingSeeds::Outcome::Found, std::move(set_)};
  }

 private:
  bool cancelled() const { return cancel_ != nullptr && cancel_->load(std::memory_order_relaxed); }

  void work(bool reports) {
    try {
      MtSeedFilter filter(prefilter_, kernels_);
      std::vector<std::uint16_t> lows;
      lows.reserve(MtSeedSet::bucketCount);
      const std::vector<std::uint32_t>& buckets = space_.buckets();
      for (;;) {
        const std::size_t task = next_.fetch_add(1, std::memory_order_relaxed);
        if (task >= buckets.size()) return;
        lows.clear();
        for (const MtSeedRange& range : space_.rangesIn(buckets[task])) {
          for (std::uint64_t first = range.first; first < range.end; first += maxScanSeeds) {
            if (stop_.load(std::memory_order_relaxed) || cancelled()) return;
            const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(maxScanSeeds, range.end - first));
            filter.scan(static_cast<std::uint32_t>(first), count,
                        [&](std::uint32_t seed) { lows.push_back(static_cast<std::uint16_t>(seed)); });
          }
          done_.fetch_add(range.end - range.first, std::memory_order_relaxed);
        }
        if (!set_->fillBucket(buckets[task], lows)) {
          tooMany_ = true;
          stop_ = true;
          return;
        }
        filled_.fetch_add(1, std::memory_order_relaxed);
        if (reports && scanned_) scanned_(done_.load(std::memory_order_relaxed));
      }
    } catch (...) {
      std::lock_guard lock(mutex_);
      if (!failure_) failure_ = std::current_exception();
      stop_ = true;
    }
  }

  const Prefilter& prefilter_;
  const KernelSet& kernels_;
  const MtSeedSpace& space_;
  const std::atomic<bool>* cancel_;
  const std::function<void(std::uint64_t)>& scanned_;
  std::unique_ptr<MtSeedSet> set_;

  std::atomic<std::size_t> next_{0};
  std::atomic<std::uint64_t> done_{0};
  std::atomic<std::size_t> filled_{0};  // buckets
  std::atomic<bool> stop_{false};
  std::atomic<bool> tooMany_{false};
  std::mutex mutex_;
  std::exception_ptr failure_;
};

}  // namespace

PassingSeeds findPassingSeeds(const Prefilter& prefilter, const KernelSet& kernels, const MtSeedSpace& space,
                              unsigned threads, const std::atomic<bool>* cancel,
                              const std::function<void(std::uint64_t seeds)>& scanned, std::uint64_t capacity) {
  return Scan(prefilter, kernels, space, cancel, scanned, capacity).run(std::max(1u, threads));
}

}  // namespace hanabira
