// The search on several threads: the same bytes as on one, an exact prefix when stopped,
// and the lines waiting to be written within their bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

#include "core/kernel_levels.h"
#include "engine/chunk_pipeline.h"
#include "engine/search_engine.h"
#include "engine/thread_team.h"
#include "test_support.h"

namespace hanabira {
namespace {

SearchOptions withThreads(unsigned threads, std::uint64_t chunkMoments) {
  SearchOptions options;
  options.threads = threads;
  options.chunkMoments = chunkMoments;
  return options;
}

std::size_t lineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(ParallelSearch, EveryThreadCountWritesTheSameBytes) {
  std::mt19937_64 random(4);
  for (int trial = 0; trial < 40; ++trial) {
    const SearchSettings settings = testing::randomIvSearchSettings(random);
    const std::string reference = testing::fastResult(settings, withThreads(1, 1 << 13));
    // Tiny chunks make many of them, so that workers overtake each other; a tiny bound
    // on the waiting lines has workers hand theirs over before their chunks end.
    const std::uint64_t chunkMoments = 1 + random() % 40;
    for (unsigned threads : {1u, 2u, 3u, 8u}) {
      SearchOptions options = withThreads(threads, chunkMoments);
      if (trial % 2 == 1) options.pendingLineBytes = 1 + random() % 2000;
      ASSERT_EQ(testing::fastResult(settings, options), reference)
          << "trial " << trial << ", " << threads << " threads, chunks of " << chunkMoments << ", bound "
          << options.pendingLineBytes;
    }
  }
}

// Every position of the individual values passes: each boot moment makes 300 lines, any
// chunk far more than the bound below holds.
SearchSettings manyLinesPerMoment() {
  SearchSettings settings = testing::workedExampleSettings();
  settings.ivMin.fill(0);
  settings.ivMax.fill(31);
  settings.ivConsumptionMin = 0;
  settings.ivConsumptionMax = 299;
  settings.startSecond = 30;
  settings.endSecond = 39;
  return settings;
}

TEST(ParallelSearch, WaitingLinesStayWithinTheirBound) {
  const SearchSettings settings = manyLinesPerMoment();
  const std::string whole = testing::referenceResult(settings, testing::utf8());
  const PreparedSearch search(settings, TextEncoding::Utf8);
  const std::size_t header = whole.find('\n') + 1;
  constexpr std::size_t bound = 4096;
  for (const unsigned threads : {1u, 3u}) {
    for (const std::uint64_t chunkMoments : {1u, 4u}) {
      std::string lines;
      std::size_t longest = 0;
      const ChunkPlan plan{MomentRange{}.within(search.space.size()), chunkMoments, bound};
      const std::size_t held =
          runChunkPipeline(search, cpuBackend(), plan, threads, nullptr, [&](std::uint64_t, const ChunkResult& result) {
            lines += result.lines.text();
            return true;
          });
      ASSERT_EQ(lines, whole.substr(header)) << threads << " threads, chunks of " << chunkMoments;
      for (std::size_t start = 0, end; start < lines.size(); start = end + 1) {
        end = lines.find('\n', start);
        longest = std::max(longest, end + 1 - start);
      }
      // Each chunk in flight holds its share and the line that passed it, in a string
      // that may have doubled on the way.
      const std::size_t inFlight = 2 * threads + 2;
      EXPECT_LE(held, bound + 2 * inFlight * longest) << threads << " threads, chunks of " << chunkMoments;
    }
  }
}

// A year of boot moments with every key: far more work than a test waits for.
SearchSettings endlessSearch() {
  SearchSettings settings = testing::workedExampleSettings();
  settings.startMonth = settings.startDay = 1;
  settings.endMonth = 12;
  settings.endDay = 31;
  settings.startHour = settings.startMinute = settings.startSecond = 0;
  settings.endHour = 23;
  settings.endMinute = settings.endSecond = 59;
  settings.keyInputEnabled = true;
  settings.hiddenPowerMinPower = 50;  // some lines, not one per moment
  return settings;
}

// An hour of boot moments with every key (1,944,000), and its whole result.
SearchSettings hourWithKeys() {
  SearchSettings settings = endlessSearch();
  settings.endMonth = settings.endDay = 1;
  settings.startHour = settings.endHour = 13;
  return settings;
}

const std::string& wholeHourResult() {
  static const std::string text = testing::fastResult(hourWithKeys(), withThreads(2, 0));
  return text;
}

TEST(ParallelSearch, CancellationAtRandomMomentsLeavesAPrefix) {
  std::mt19937_64 random(5);
  for (int trial = 0; trial < 20; ++trial) {
    const unsigned threads = 1 + static_cast<unsigned>(random() % 4);
    std::atomic<bool> cancel{false};
    testing::CancelAfterWrites sink(cancel, 1 + static_cast<int>(random() % 30));
    SearchOptions options = withThreads(threads, 64 + random() % 4000);
    if (trial % 2 == 1) options.pendingLineBytes = 1 + random() % 2000;
    options.cancel = &cancel;
    options.isa = supportedIsas()[static_cast<std::size_t>(trial) % supportedIsas().size()];
    const SearchSummary summary = runSearch(hourWithKeys(), sink, options);
    ASSERT_TRUE(summary.cancelled) << "trial " << trial;
    ASSERT_TRUE(sink.text.ends_with("\r\n"));
    EXPECT_EQ(summary.candidates + 1, lineCount(sink.text));  // the header is the one more
    ASSERT_LT(sink.text.size(), wholeHourResult().size());
    EXPECT_EQ(wholeHourResult().substr(0, sink.text.size()), sink.text) << "trial " << trial;
  }
}

TEST(ParallelSearch, CancellationFromAnotherThreadStopsEveryWorkerSoon) {
  const SearchSettings settings = endlessSearch();
  std::atomic<bool> cancel{false};
  StringSink sink;
  SearchOptions options = withThreads(4, 0);
  options.cancel = &cancel;
  std::jthread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    cancel = true;
  });
  const auto start = std::chrono::steady_clock::now();
  const SearchSummary summary = runSearch(settings, sink, options);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_TRUE(summary.cancelled);
  EXPECT_LT(summary.momentsDone, summary.momentsTotal);
  // Generous: what matters is that the search does not run on to the year's end.
  EXPECT_LT(elapsed, std::chrono::seconds(10));
}

class FailAfterWrites final : public ResultSink {
 public:
  explicit FailAfterWrites(int writes) : writesLeft_(writes) {}
  void write(std::string_view bytes) override {
    if (--writesLeft_ == 0) throw ResultWriteError("disk full");
    text += bytes;
  }
  std::string text;

 private:
  int writesLeft_;
};

TEST(ParallelSearch, ASinkFailureStopsEveryThreadAndIsReported) {
  // With a tiny bound on the waiting lines, workers wait to hand theirs over when it fails.
  for (const std::size_t bound : {std::size_t{64} << 20, std::size_t{300}}) {
    FailAfterWrites sink(20);
    SearchOptions options = withThreads(3, 500);
    options.pendingLineBytes = bound;
    EXPECT_THROW(runSearch(hourWithKeys(), sink, options), ResultWriteError);
    EXPECT_TRUE(sink.text.ends_with("\r\n"));
    EXPECT_EQ(wholeHourResult().substr(0, sink.text.size()), sink.text);
  }
}

// A worker's failure reaches the caller once every thread has ended, and asks the others
// to stop rather than letting them finish their share.
TEST(ParallelSearch, ATeamRethrowsItsFirstFailureAfterStoppingTheOthers) {
  std::atomic<bool> stop{false};
  std::atomic<unsigned> finished{0};
  const auto work = [&](unsigned index) {
    if (index == 2) throw std::runtime_error("worker 2");
    while (!stop) std::this_thread::yield();
    ++finished;
  };
  EXPECT_THROW(runThreadTeam(4, work, [&] { stop = true; }), std::runtime_error);
  EXPECT_EQ(finished, 3u);
}

TEST(ParallelSearch, ThreadCountDefaultsToTheHardware) {
  EXPECT_GE(resolveThreadCount(0), 1u);
  EXPECT_EQ(resolveThreadCount(3), 3u);
}

}  // namespace
}  // namespace hanabira
