#include "engine/search_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <random>
#include <stdexcept>

#include "engine/boot_moment_space.h"
#include "engine/search_backend.h"
#include "engine/settings_validation.h"
#include "test_support.h"
#include "vocab/cp932.h"

namespace hanabira {
namespace {

using testing::fastResult;
using testing::referenceResult;
using testing::utf8;

const std::string ivHeader = "年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed";

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    result.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return result;
}

TEST(SearchEngine, WorkedExampleEndToEnd) {
  SearchSettings settings = testing::workedExampleSettings();
  settings.keyInputEnabled = true;
  settings.ivMin = {4, 21, 9, 26, 18, 11};
  settings.ivMax = settings.ivMin;
  const std::string expected =
      ivHeader + ",キー入力\r\n11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,A\r\n";
  EXPECT_EQ(fastResult(settings, utf8()), expected);
  EXPECT_EQ(referenceResult(settings, utf8()), expected);
  EXPECT_EQ(fastResult(settings), utf8ToCp932(expected));
}

// With X and Y and no exclusion a second is 4,096 boot moments: a line for each, every
// key mask once, each named in the key column, the fast and the reference path alike.
TEST(SearchEngine, ASecondWithXAndYHoldsEveryOneOfTheTwelveBitMasks) {
  SearchSettings settings = testing::workedExampleSettings();
  settings.keyInputEnabled = true;
  settings.keyXYEnabled = true;
  settings.excludeOppositeAndReset = false;
  const std::string result = fastResult(settings, utf8());
  EXPECT_EQ(result, referenceResult(settings, utf8()));
  std::vector<std::string> keyFields;
  for (const std::string& line : lines(result)) keyFields.push_back(line.substr(line.rfind(',') + 1));
  ASSERT_EQ(keyFields.size(), 1u + 4096);
  EXPECT_EQ(keyFields.back(), "");  // no key held comes last
  EXPECT_EQ(keyFields[1], "ABSeSt→←↑↓RLXY");
  std::sort(keyFields.begin() + 1, keyFields.end());
  EXPECT_EQ(std::unique(keyFields.begin() + 1, keyFields.end()), keyFields.end());
  // The worked example's A: the line of 0xFFE as ever, X or Y held beside it another seed.
  const std::vector<std::string> all = lines(result);
  EXPECT_EQ(all[1 + 0xFFE], "11,9,27,13,47,35,7,4,21,9,26,18,11,じめん,65,9D76553EC8C0FA7A,A");
  EXPECT_EQ(all[1 + 0xBFE].substr(0, 17), "11,9,27,13,47,35,");
  EXPECT_TRUE(all[1 + 0xBFE].ends_with(",AX"));
  EXPECT_EQ(all[1 + 0xBFE].find("9D76553EC8C0FA7A"), std::string::npos);
}

TEST(SearchEngine, NoMatchesLeavesTheHeaderOnly) {
  SearchSettings settings = testing::workedExampleSettings();
  settings.ivMin.fill(31);
  settings.ivMax.fill(0);
  EXPECT_EQ(fastResult(settings, utf8()), ivHeader + "\r\n");
}

// With filters that let every seed through, the lines list the boot moments in order.
SearchSettings everything(Date start, Date end) {
  SearchSettings settings = testing::workedExampleSettings();
  settings.startYear = start.year;
  settings.startMonth = start.month;
  settings.startDay = start.day;
  settings.endYear = end.year;
  settings.endMonth = end.month;
  settings.endDay = end.day;
  settings.startHour = settings.endHour = 12;
  settings.startMinute = settings.endMinute = 0;
  settings.startSecond = settings.endSecond = 0;
  return settings;
}

std::vector<std::string> visitedDates(const SearchSettings& settings) {
  std::vector<std::string> dates;
  for (const std::string& line : lines(fastResult(settings, utf8()))) {
    if (line.starts_with("年")) continue;
    dates.push_back(line.substr(0, line.find(",12,0,0,")));
  }
  return dates;
}

TEST(SearchEngine, VisitsFebruary29InLeapYears) {
  EXPECT_EQ(visitedDates(everything({12, 2, 28}, {12, 3, 1})),
            (std::vector<std::string>{"12,2,28", "12,2,29", "12,3,1"}));
  EXPECT_EQ(visitedDates(everything({11, 2, 28}, {11, 3, 1})), (std::vector<std::string>{"11,2,28", "11,3,1"}));
  EXPECT_EQ(visitedDates(everything({0, 2, 29}, {0, 2, 29})), (std::vector<std::string>{"0,2,29"}));
  EXPECT_EQ(visitedDates(everything({99, 12, 31}, {99, 1, 1})), (std::vector<std::string>{"99,12,31"}));
  // The reference path walks the dates with the console's own advance rule.
  const SearchSettings leap = everything({96, 2, 27}, {96, 3, 2});
  EXPECT_EQ(fastResult(leap), referenceResult(leap));
}

TEST(SearchEngine, FastPathAgreesWithTheReferenceOnRandomSettings) {
  std::mt19937_64 random(3);
  std::uint64_t totalLines = 0;
  for (int trial = 0; trial < 60; ++trial) {
    const SearchSettings settings = testing::randomIvSearchSettings(random);
    const std::string reference = referenceResult(settings);
    ASSERT_EQ(fastResult(settings), reference) << "trial " << trial;
    totalLines += lines(reference).size() - 1;
  }
  EXPECT_GT(totalLines, 1000u);
}

TEST(SearchEngine, ProgressReportsDatesCountsAndTotals) {
  SearchSettings settings = everything({11, 9, 27}, {11, 9, 28});
  settings.startHour = 0;
  settings.endHour = 23;
  std::vector<SearchProgress> reports;
  SearchOptions options;
  options.onProgress = [&](const SearchProgress& progress) { reports.push_back(progress); };
  StringSink sink;
  const SearchSummary summary = runSearch(settings, sink, options);

  EXPECT_EQ(summary.momentsTotal, 48u);
  EXPECT_EQ(summary.momentsDone, 48u);
  EXPECT_EQ(summary.candidates, 48u);
  EXPECT_FALSE(summary.cancelled);
  ASSERT_GE(reports.size(), 2u);
  EXPECT_EQ(progressTitle(reports.front()), "11年9月27日計算中...(候補0個)");
  EXPECT_EQ(reports.back().momentsDone, 48u);
  EXPECT_EQ(progressTitle(reports.back()), "11年9月28日計算中...(候補48個)");
}

// Cancels once the sink has received `after` writes.
class CancellingSink final : public ResultSink {
 public:
  CancellingSink(std::atomic<bool>& cancel, int after) : cancel_(cancel), after_(after) {}
  void write(std::string_view bytes) override {
    text += bytes;
    if (--after_ == 0) cancel_ = true;
  }
  std::string text;

 private:
  std::atomic<bool>& cancel_;
  int after_;
};

TEST(SearchEngine, CancellationLeavesAnExactPrefixOfWholeLines) {
  SearchSettings settings = everything({11, 1, 1}, {11, 1, 2});
  settings.startHour = 0;
  settings.endHour = 23;
  settings.endMinute = 59;  // 2 × 86,400 moments: several chunks
  settings.endSecond = 59;
  const std::string full = fastResult(settings);

  for (int after : {1, 2, 3}) {
    std::atomic<bool> cancel{false};
    CancellingSink sink(cancel, after);
    SearchOptions options;
    options.cancel = &cancel;
    const SearchSummary summary = runSearch(settings, sink, options);
    EXPECT_TRUE(summary.cancelled);
    EXPECT_LT(sink.text.size(), full.size());
    EXPECT_EQ(full.substr(0, sink.text.size()), sink.text);
    EXPECT_TRUE(sink.text.ends_with("\r\n"));
    EXPECT_EQ(summary.candidates + 1, lines(sink.text).size());  // the header is the one extra line
  }
}

TEST(SearchEngine, ReferenceCancellationLeavesAPrefixToo) {
  SearchSettings settings = everything({11, 1, 1}, {11, 1, 1});
  settings.endSecond = 59;
  const std::string full = referenceResult(settings);
  std::atomic<bool> cancel{false};
  CancellingSink sink(cancel, 10);
  SearchOptions options;
  options.cancel = &cancel;
  const SearchSummary summary = runReferenceSearch(settings, sink, options);
  EXPECT_TRUE(summary.cancelled);
  EXPECT_EQ(full.substr(0, sink.text.size()), sink.text);
  EXPECT_EQ(summary.candidates + 1, lines(sink.text).size());
}

class FailingSink final : public ResultSink {
 public:
  void write(std::string_view bytes) override {
    if (bytes.empty()) return;
    if (++writes_ == 3) throw ResultWriteError("disk full");
    text += bytes;
  }
  std::string text;

 private:
  int writes_ = 0;
};

TEST(SearchEngine, AFailingSinkStopsTheSearchWithItsError) {
  SearchSettings settings = everything({11, 1, 1}, {11, 1, 3});
  settings.startHour = 0;
  settings.endHour = 23;
  settings.endMinute = 59;
  settings.endSecond = 59;
  FailingSink sink;
  EXPECT_THROW(runSearch(settings, sink), ResultWriteError);
  EXPECT_EQ(fastResult(settings).substr(0, sink.text.size()), sink.text);
}

}  // namespace
}  // namespace hanabira

namespace hanabira {
namespace {

// A backend that hands the chunks to the CPU's workers and counts them, or refuses the
// search outright.
class CountingBackend final : public SearchBackend {
 public:
  explicit CountingBackend(bool refuses = false) : refuses_(refuses) {}

  std::string_view name() const override { return "counting"; }
  std::unique_ptr<ChunkEvaluator> makeChunkEvaluator(const PreparedSearch& search) const override {
    if (refuses_) throw std::runtime_error("no device");
    return std::make_unique<Counting>(cpuBackend().makeChunkEvaluator(search), chunks);
  }

  mutable std::atomic<int> chunks{0};

 private:
  struct Counting final : ChunkEvaluator {
    Counting(std::unique_ptr<ChunkEvaluator> worker, std::atomic<int>& counter)
        : inner(std::move(worker)), count(counter) {}
    void run(std::uint64_t begin, std::uint64_t end, const std::atomic<bool>* cancel, ChunkResult& result) override {
      ++count;
      inner->run(begin, end, cancel, result);
    }
    std::unique_ptr<ChunkEvaluator> inner;
    std::atomic<int>& count;
  };

  bool refuses_;
};

TEST(SearchBackendSeam, TheChosenBackendEvaluatesEveryChunkAndARefusalWritesNothing) {
  std::mt19937_64 random(12);
  const SearchSettings settings = testing::randomSettings(random, SearchMode::ShinyPidSearch);
  CountingBackend backend;
  SearchOptions options;
  options.backend = &backend;
  options.threads = 3;
  options.chunkMoments = 97;
  const std::string viaBackend = fastResult(settings, options);
  EXPECT_EQ(viaBackend, referenceResult(settings));
  const std::uint64_t moments = BootMomentSpace(settings).size();
  EXPECT_EQ(static_cast<std::uint64_t>(backend.chunks), (moments + 96) / 97);

  CountingBackend refusing(true);
  options.backend = &refusing;
  StringSink sink;
  EXPECT_THROW(runSearch(settings, sink, options), std::runtime_error);
  EXPECT_EQ(sink.text(), "");
}

}  // namespace
}  // namespace hanabira
