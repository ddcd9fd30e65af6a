// The OpenCL backend against the CPU's: the same bytes for every mode and at the edges
// of its launches, every mode the backends' table says the device searches searched
// there (it launches), and a device failure mid-search that loses and repeats nothing.
// Runs on whatever OpenCL device comes first (PoCL on the host's cores in CI); skipped
// where there is none.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <string>

#include "engine/backends/backend_registry.h"
#include "engine/boot_moment_space.h"
#include "engine/opencl/opencl_backend.h"
#include "evaluate/search_modes.h"
#include "test_support.h"

namespace hanabira {
namespace {

// Null where the machine has no OpenCL device.
OpenClBackend* sharedBackend() {
  static const std::unique_ptr<OpenClBackend> backend = []() -> std::unique_ptr<OpenClBackend> {
    if (openClDevices().empty()) return nullptr;
    return std::make_unique<OpenClBackend>(0);
  }();
  return backend.get();
}

#define REQUIRE_OPENCL()                                                   \
  if (sharedBackend() == nullptr) GTEST_SKIP() << "no OpenCL device here"; \
  static_assert(true)

struct DeviceRun {
  std::string text;
  bool onDevice = false;  // as the summary says
  std::uint64_t launches = 0;
  std::uint64_t moments = 0;
};

DeviceRun runOn(const OpenClBackend& backend, const SearchSettings& settings, std::uint64_t chunkMoments,
                unsigned threads = 2, std::size_t pendingLineBytes = SearchOptions().pendingLineBytes) {
  SearchOptions options = testing::utf8();
  options.backend = &backend;
  options.chunkMoments = chunkMoments;
  options.threads = threads;
  options.pendingLineBytes = pendingLineBytes;
  StringSink sink;
  const std::uint64_t before = backend.launches();
  const SearchSummary summary = runSearch(settings, sink, options);
  return {sink.text(), summary.backend == backend.name(), backend.launches() - before, summary.momentsTotal};
}

// A search the device runs: it launches, and the summary names it.
std::string viaOpenCl(const SearchSettings& settings, const OpenClBackend& backend, std::uint64_t chunkMoments,
                      unsigned threads = 2, std::size_t pendingLineBytes = SearchOptions().pendingLineBytes) {
  const DeviceRun run = runOn(backend, settings, chunkMoments, threads, pendingLineBytes);
  EXPECT_TRUE(run.onDevice);
  EXPECT_GT(run.launches, 0u);
  if (&backend == sharedBackend()) {
    EXPECT_FALSE(sharedBackend()->fellBack());
  }
  return run.text;
}

std::string viaCpu(const SearchSettings& settings) {
  SearchOptions options = testing::utf8();
  options.threads = 1;
  return testing::fastResult(settings, options);
}

// Random settings of every mode: those the table says the device searches run there
// until three have launched (a draw whose positions or times are empty finds nothing),
// the others on the CPU without a launch; every one writes the CPU's bytes.
TEST(OpenClBackend, SearchesEveryModeTheTableServesOnTheDeviceAndTheOthersOnTheCpu) {
  REQUIRE_OPENCL();
  const BackendDefinition& opencl = *chooseBackend("opencl");
  std::mt19937_64 random(15);
  for (const SearchModeDefinition& mode : searchModes()) {
    const bool served = opencl.servesOnDevice(mode);
    int onDevice = 0;
    for (int draw = 0; draw < (served ? 12 : 3) && onDevice < 3; ++draw) {
      const SearchSettings settings = testing::randomSettings(random, mode.mode);
      const std::uint64_t chunkMoments = 1 + random() % 3000;
      const DeviceRun run = runOn(*sharedBackend(), settings, chunkMoments);
      EXPECT_EQ(run.text, viaCpu(settings)) << mode.name << ", draw " << draw << ", chunks of " << chunkMoments;
      EXPECT_EQ(run.launches > 0, run.onDevice && run.moments > 0) << mode.name << ", draw " << draw;
      onDevice += run.launches > 0 ? 1 : 0;
    }
    EXPECT_EQ(onDevice, served ? 3 : 0) << mode.name;
  }
}

// The front ends choose by name; auto takes a GPU, or the device a request names, and
// else the CPU, which is the engine's own.
TEST(BackendTable, ChoosesByNameAndAutoTakesAGpuOrTheNamedDevice) {
  for (const BackendDefinition& row : backends()) EXPECT_EQ(chooseBackend(row.name), &row);
  EXPECT_EQ(chooseBackend("cuda"), nullptr);
  const bool gpu = bestOpenClDevice(openClDevices()) >= 0;
  EXPECT_EQ(chooseBackend("auto")->name, gpu ? "opencl" : "cpu");
  EXPECT_EQ(chooseBackend("auto", {0, {}})->name, "opencl");
  EXPECT_EQ(cpuBackendRow().open({}).get(), &cpuBackend());
  try {
    chooseBackend("opencl")->open({1000, {}});
    ADD_FAILURE() << "device 1000 opened";
  } catch (const BackendError& error) {
    EXPECT_EQ(error.device(), 1000);
  }
}

// Blocks of one moment (one second, no keys) over many days, VCounts and Timer0s: a
// launch spans more blocks than it prepares at once, and every chunk edge is a block's.
TEST(OpenClBackend, WritesTheCpuBytesAcrossManySmallBlocksAndDays) {
  REQUIRE_OPENCL();
  SearchSettings settings = testing::workedExampleSettings();
  settings.startYear = 11;
  settings.startMonth = 1;
  settings.startDay = 1;
  settings.endYear = 11;
  settings.endMonth = 12;
  settings.endDay = 31;
  settings.vcountRange = ParameterRange{0x5F, 0x61};
  settings.timer0Range = ParameterRange{0xC78, 0xC7A};
  settings.ivMin = {20, 0, 0, 0, 0, 20};
  settings.ivConsumptionMin = 1;
  settings.ivConsumptionMax = 12;
  ASSERT_EQ(BootMomentSpace(settings).momentsPerBlock(), 1u);
  const std::string cpu = viaCpu(settings);
  ASSERT_NE(cpu.find('\n', cpu.find('\n') + 1), std::string::npos) << "the search should find something";
  for (const std::uint64_t chunk : {1ull, 9ull, 1024ull, 1025ull, 5000ull})
    EXPECT_EQ(viaOpenCl(settings, *sharedBackend(), chunk), cpu) << "chunks of " << chunk;
}

// Every key combination, the keys filtered, with and without X and Y; a day's boundary
// inside the chunks (the last ten seconds of two days: the hours, minutes and seconds are
// ranges within each day).
TEST(OpenClBackend, WritesTheCpuBytesWithKeysAcrossMidnight) {
  REQUIRE_OPENCL();
  SearchSettings settings = testing::workedExampleSettings();
  settings.startDay = 26;
  settings.startHour = settings.endHour = 23;
  settings.startMinute = settings.endMinute = 59;
  settings.startSecond = 50;
  settings.endSecond = 59;
  settings.keyInputEnabled = true;
  settings.ivMin = {25, 0, 25, 0, 0, 0};
  settings.ivConsumptionMin = 0;
  settings.ivConsumptionMax = 30;
  for (const bool xAndY : {false, true}) {  // the ten keys' masks, then the twelve's
    settings.keyXYEnabled = xAndY;
    const std::string cpu = viaCpu(settings);
    for (const std::uint64_t chunk : {777ull, 4096ull, 1ull << 20})
      EXPECT_EQ(viaOpenCl(settings, *sharedBackend(), chunk), cpu) << "chunks of " << chunk << ", X and Y " << xAndY;
  }
}

// The individual values up to position 226 come from the seeding alone; later ones need
// the twisted state. Windows that end on either side of it, and far past it.
TEST(OpenClBackend, WritesTheCpuBytesAroundTheTwistAt226) {
  REQUIRE_OPENCL();
  SearchSettings settings = testing::workedExampleSettings();
  settings.startSecond = 0;
  settings.endSecond = 59;
  settings.keyInputEnabled = true;
  settings.ivMin = {16, 16, 0, 0, 0, 0};
  for (const auto& [low, high] : {std::pair{215, 221}, std::pair{216, 222}, std::pair{217, 223}, std::pair{226, 240},
                                  std::pair{600, 640}, std::pair{1240, 1250}}) {
    settings.ivConsumptionMin = low;
    settings.ivConsumptionMax = high;
    EXPECT_EQ(viaOpenCl(settings, *sharedBackend(), 10000), viaCpu(settings)) << "positions " << low << "-" << high;
  }
}

// The personality-value sequence from its first position on, with finds in most chunks.
TEST(OpenClBackend, WritesTheCpuBytesOfThePersonalityValueModesWithManyFinds) {
  REQUIRE_OPENCL();
  SearchSettings settings = testing::workedExampleSettings();
  settings.startSecond = 0;
  settings.endSecond = 9;
  settings.keyInputEnabled = true;
  settings.cometShardSearch = true;
  for (const bool compoundEyes : {true, false}) {
    settings.compoundEyes = compoundEyes;
    settings.pidConsumptionMin = compoundEyes ? 0 : 50;
    settings.pidConsumptionMax = compoundEyes ? 120 : 150;
    const std::string cpu = viaCpu(settings);
    if (compoundEyes) {
      EXPECT_GT(std::count(cpu.begin(), cpu.end(), '\n'), 100);
    }
    EXPECT_EQ(viaOpenCl(settings, *sharedBackend(), 2000), cpu) << "compound eyes " << compoundEyes;
  }
  settings.cometShardSearch = false;
  settings.deliverymanSearch = true;
  settings.ivMin = {20, 0, 0, 0, 0, 25};
  settings.pidConsumptionMin = 1;
  settings.pidConsumptionMax = 60;
  EXPECT_EQ(viaOpenCl(settings, *sharedBackend(), 2000), viaCpu(settings));
  // A test on a row before the first test's.
  settings.ivMin = {0, 0, 0, 0, 0, 16};
  settings.deliveryNature = 3;
  settings.deliveryNaturePosition = 2;
  const std::string cpu = viaCpu(settings);
  EXPECT_GT(std::count(cpu.begin(), cpu.end(), '\n'), 10);
  EXPECT_EQ(viaOpenCl(settings, *sharedBackend(), 2000), cpu);
}

// A filter nearly everything passes: more candidates in one launch than the list first
// has room for.
TEST(OpenClBackend, WritesTheCpuBytesWhenMostMomentsAreCandidates) {
  REQUIRE_OPENCL();
  SearchSettings settings = testing::workedExampleSettings();
  settings.startSecond = 0;
  settings.endSecond = 59;
  settings.keyInputEnabled = true;
  settings.ivMin = {1, 0, 0, 0, 0, 0};
  settings.ivConsumptionMin = 0;
  settings.ivConsumptionMax = 2;
  const std::string cpu = viaCpu(settings);
  EXPECT_EQ(viaOpenCl(settings, *sharedBackend(), 1 << 16), cpu);
  // A tiny bound on the waiting lines: they are handed over while the listed moments are
  // evaluated.
  EXPECT_EQ(viaOpenCl(settings, *sharedBackend(), 1 << 16, 3, 5000), cpu);
}

TEST(OpenClBackend, CancellationLeavesAnExactPrefix) {
  REQUIRE_OPENCL();
  SearchSettings settings = testing::workedExampleSettings();
  settings.startSecond = 0;
  settings.endSecond = 59;
  settings.keyInputEnabled = true;
  settings.ivMin = {10, 10, 10, 0, 0, 0};
  settings.ivConsumptionMax = 40;
  const std::string cpu = viaCpu(settings);
  std::atomic<bool> cancel{false};
  SearchOptions options = testing::utf8();
  options.backend = sharedBackend();
  options.chunkMoments = 1500;
  options.threads = 2;
  options.cancel = &cancel;
  options.onProgress = [&](const SearchProgress& progress) {
    if (progress.momentsDone > 0) cancel = true;
  };
  StringSink sink;
  const SearchSummary summary = runSearch(settings, sink, options);
  EXPECT_TRUE(summary.cancelled);
  EXPECT_LT(summary.momentsDone, summary.momentsTotal);
  EXPECT_EQ(cpu.compare(0, sink.text().size(), sink.text()), 0);
}

TEST(OpenClBackend, ADeviceFailureMidSearchHandsTheRestToTheCpuLosingNothing) {
  REQUIRE_OPENCL();
  SearchSettings settings = testing::workedExampleSettings();
  settings.startSecond = 0;
  settings.endSecond = 59;
  settings.keyInputEnabled = true;
  settings.ivMin = {10, 10, 10, 0, 0, 0};
  settings.ivConsumptionMax = 40;
  const std::string cpu = viaCpu(settings);
  for (const unsigned threads : {1u, 3u}) {
    int warnings = 0;
    OpenClBackend failing(0, [&](const std::string&) { ++warnings; });
    failing.failAfterLaunches(5);
    EXPECT_EQ(viaOpenCl(settings, failing, 3000, threads), cpu) << threads << " threads";
    EXPECT_GE(failing.launches(), 5u);  // before the failure; other threads may have launched meanwhile
    EXPECT_TRUE(failing.fellBack());
    EXPECT_EQ(warnings, 1);
  }
}

}  // namespace
}  // namespace hanabira
