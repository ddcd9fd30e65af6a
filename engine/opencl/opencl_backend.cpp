#include "engine/opencl/opencl_backend.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <iterator>
#include <map>
#include <mutex>
#include <span>

#include <fmt/format.h>

#include "core/kernels.h"
#include "core/lcg64.h"
#include "engine/opencl/opencl_api.h"
#include "engine/opencl/search_kernels_source.h"
#include "engine/prepared_search.h"
#include "evaluate/mode_evaluator.h"

namespace hanabira {
namespace {

struct FoundDevice {
  cl_platform_id platform;
  cl_device_id id;
  OpenClDevice info;
};

std::string deviceString(const OpenClApi& cl, cl_device_id device, cl_device_info what) {
  std::size_t size = 0;
  if (cl.getDeviceInfo(device, what, 0, nullptr, &size) != CL_SUCCESS || size == 0) return {};
  std::string text(size, '\0');
  if (cl.getDeviceInfo(device, what, size, text.data(), nullptr) != CL_SUCCESS) return {};
  text.resize(text.find('\0') == std::string::npos ? size : text.find('\0'));
  return text;
}

std::string platformString(const OpenClApi& cl, cl_platform_id platform, cl_platform_info what) {
  std::size_t size = 0;
  if (cl.getPlatformInfo(platform, what, 0, nullptr, &size) != CL_SUCCESS || size == 0) return {};
  std::string text(size, '\0');
  if (cl.getPlatformInfo(platform, what, size, text.data(), nullptr) != CL_SUCCESS) return {};
  text.resize(text.find('\0') == std::string::npos ? size : text.find('\0'));
  return text;
}

// A platform or device that will not answer is left out, as if absent.
std::vector<FoundDevice> findDevices() {
  std::vector<FoundDevice> found;
  const OpenClApi* cl = openClApi();
  if (cl == nullptr) return found;
  cl_uint platformCount = 0;
  if (cl->getPlatformIDs(0, nullptr, &platformCount) != CL_SUCCESS || platformCount == 0) return found;
  std::vector<cl_platform_id> platforms(platformCount);
  if (cl->getPlatformIDs(platformCount, platforms.data(), nullptr) != CL_SUCCESS) return found;
  for (const cl_platform_id platform : platforms) {
    cl_uint deviceCount = 0;
    if (cl->getDeviceIDs(platform, CL_DEVICE_TYPE_ALL, 0, nullptr, &deviceCount) != CL_SUCCESS) continue;
    std::vector<cl_device_id> devices(deviceCount);
    if (cl->getDeviceIDs(platform, CL_DEVICE_TYPE_ALL, deviceCount, devices.data(), nullptr) != CL_SUCCESS) continue;
    for (const cl_device_id device : devices) {
      cl_device_type type = 0;
      cl_uint units = 0;
      cl->getDeviceInfo(device, CL_DEVICE_TYPE, sizeof type, &type, nullptr);
      cl->getDeviceInfo(device, CL_DEVICE_MAX_COMPUTE_UNITS, sizeof units, &units, nullptr);
      const bool gpu = (type & (CL_DEVICE_TYPE_GPU | CL_DEVICE_TYPE_ACCELERATOR)) != 0;
      found.push_back(
          {platform,
           device,
           {deviceString(*cl, device, CL_DEVICE_NAME), platformString(*cl, platform, CL_PLATFORM_NAME), gpu, units}});
    }
  }
  return found;
}

constexpr int dayWords = 85;  // SeedDay: schedule[80], afterRound8[5]
constexpr std::uint64_t maxLaunchBlocks = 1024;
constexpr std::uint64_t maxLaunchMoments = 1 << 24;  // a few milliseconds on a large GPU
constexpr int maxRows = 4096;                        // of MT19937 in one work item's memory

std::string hex64(std::uint64_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%016" PRIX64 "UL", value);
  return text;
}

std::string hex32(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08" PRIX32 "u", value);
  return text;
}

// SHA-1 rounds 9 to 79 as one statement each (see seedOf in the kernels): the schedule
// words that depend on W9 or W12 computed in the ring w0 to w15, the others the day's.
std::string roundsMacro() {
  std::string text = "#define ROUNDS_9_TO_79";
  for (int t = 0; t < 16; ++t) {
    if (t == 9 || t == 12) {
      fmt::format_to(std::back_inserter(text), " \\\n  uint w{} = {};", t, t == 9 ? "timeWord" : "keyWord");
    } else {
      fmt::format_to(std::back_inserter(text), " \\\n  uint w{} = day[{}];", t, t);
    }
  }
  for (int t = 9; t < 80; ++t) {
    if (t >= 16 && !scheduleVaries(t)) {
      fmt::format_to(std::back_inserter(text), " \\\n  w{} = day[{}];", t & 15, t);
    } else if (t >= 16) {
      fmt::format_to(std::back_inserter(text), " \\\n  w{0} = rotate(w{1} ^ w{2} ^ w{3} ^ w{0}, 1u);", t & 15,
                     (t - 3) & 15, (t - 8) & 15, (t - 14) & 15);
    }
    const char* round = t < 20   ? "CHOOSE, 0x5A827999u"
                        : t < 40 ? "PARITY, 0x6ED9EBA1u"
                        : t < 60 ? "MAJORITY, 0x8F1BBCDCu"
                                 : "PARITY, 0xCA62C1D6u";
    fmt::format_to(std::back_inserter(text), " \\\n  ROUND({}, w{})", round, t & 15);
  }
  return text + "\n";
}

// Value k of a start position on the LCG, its state s being that of row `from`.
std::string lcgValue(int k, int from) {
  const Lcg64::Jump jump = Lcg64::jump(static_cast<std::uint64_t>(k - from));  // back: nearly 2^64 steps
  return fmt::format("(uint)(((s) * {} + {}) >> 32)", hex64(jump.multiplier), hex64(jump.increment));
}

std::string inRange(const std::string& value, const RangeTest& range) {
  return fmt::format("({} - {} <= {})", value, hex32(range.low), hex32(range.high - range.low));
}

RangeTest scaledRange(std::uint32_t n, std::uint32_t low, std::uint32_t high) {
  RangeFilter filter;
  filter.requireScaled(0, n, low, high);
  return filter.tests()[0];
}

// The comet shard's other three tests (cometShardFound), which its prefilter leaves out:
// most of the positions that pass the prefilter fail them, and every moment listed costs
// the CPU a whole evaluation. The CPU still checks every listed moment in full.
std::string cometShardRest(int from) {
  const auto middleRoll = [&](int k) {
    const std::string value = lcgValue(k, from);
    return fmt::format("({} || {} || {})", inRange(value, scaledRange(1600, 0, 320)),
                       inRange(value, scaledRange(1600, 641, 800)), inRange(value, scaledRange(1600, 961, 1280)));
  };
  return fmt::format("{} && {} && {}", inRange(lcgValue(0, from), scaledRange(100, 0, 39)), middleRoll(1),
                     middleRoll(3));
}

// The defines that shape the kernels for one search, ahead of their source; empty when
// the search's prefilter does not suit the device.
std::string programSource(const PreparedSearch& search, const Prefilter& prefilter) {
  const BootMomentSpace& space = search.space;
  if (space.momentsPerBlock() >= (std::uint64_t{1} << 31)) return {};
  std::string defines = "#define MOMENTS_PER_BLOCK " + std::to_string(space.momentsPerBlock()) + "u\n";
  defines += "#define MASKS " + std::to_string(space.masksPerTime()) + "u\n";
  defines += roundsMacro();

  const RangeFilter& filter = prefilter.filter;
  const std::span tests(filter.tests(), static_cast<std::size_t>(filter.testCount()));
  if (!tests.empty()) {
    int maxOffset = 0;
    for (const RangeTest& test : tests) maxOffset = std::max(maxOffset, test.rowOffset);
    defines += "#define POSITIONS " + std::to_string(prefilter.positions) + "\n";
    std::string passes;
    for (const RangeTest& test : tests) {
      if (!passes.empty()) passes += " && ";
      const std::string span = hex32(test.high - test.low);
      if (prefilter.sequence == RandomSequence::Individual) {
        passes += "(r)[(p) + " + std::to_string(test.rowOffset) + "] - " + hex32(test.low) + " <= " + span;
      } else {
        passes += inRange(lcgValue(test.rowOffset, tests[0].rowOffset), test);
      }
    }
    if (search.mode.mode == SearchMode::CometShardSearch) passes += " && " + cometShardRest(tests[0].rowOffset);
    if (prefilter.sequence == RandomSequence::Individual) {
      const int rows = prefilter.positions + maxOffset;
      if (prefilter.first + rows > maxRows) return {};
      defines += "#define SEQUENCE_MT\n#define FIRST " + std::to_string(prefilter.first) + "\n#define ROWS " +
                 std::to_string(rows) + "\n#define PASSES_MT(r, p) (" + passes + ")\n";
    } else {
      // The state steps along at the first test's row; the others jump from it, and only
      // when the tests before them pass.
      const Lcg64::Jump toFirst = Lcg64::jump(static_cast<std::uint64_t>(prefilter.first + tests[0].rowOffset));
      defines += "#define SEQUENCE_LCG\n#define FIRST_MUL " + hex64(toFirst.multiplier) + "\n#define FIRST_ADD " +
                 hex64(toFirst.increment) + "\n#define PASSES_LCG(s) (" + passes + ")\n";
    }
  }
  return defines + "#line 1\n" + std::string(searchKernelsSource);
}

BootMoment blockCursor(const BootMomentSpace& space, const BootMomentSpace::Coordinates& at) {
  const Date date = space.dateAt(at.day);
  BootMoment block;
  block.year = date.year;
  block.month = date.month;
  block.day = date.day;
  block.weekday = weekday(date);
  block.vcount = space.vcountAt(at.vcount);
  block.timer0 = space.timer0At(at.timer0);
  return block;
}

void appendDay(const SeedDay& day, std::vector<std::uint32_t>& words) {
  words.insert(words.end(), std::begin(day.schedule), std::end(day.schedule));
  words.insert(words.end(), std::begin(day.afterRound8), std::end(day.afterRound8));
}

}  // namespace

struct OpenClBackend::Impl {
  const OpenClApi& cl;
  FoundDevice device;
  cl_context context = nullptr;
  std::mutex mutex;
  std::map<std::string, cl_program> programs;  // by source: one build per search shape

  Impl(const OpenClApi& api, const FoundDevice& found) : cl(api), device(found) {
    const cl_context_properties properties[] = {CL_CONTEXT_PLATFORM,
                                                reinterpret_cast<cl_context_properties>(device.platform), 0};
    cl_int status = CL_SUCCESS;
    context = cl.createContext(properties, 1, &device.id, nullptr, nullptr, &status);
    checkCl(status, "clCreateContext");
  }

  ~Impl() {
    for (auto& [source, program] : programs) cl.releaseProgram(program);
    cl.releaseContext(context);
  }

  cl_program program(const std::string& source) {
    std::lock_guard lock(mutex);
    if (const auto found = programs.find(source); found != programs.end()) return found->second;
    const char* text = source.c_str();
    const std::size_t length = source.size();
    cl_int status = CL_SUCCESS;
    cl_program built = cl.createProgramWithSource(context, 1, &text, &length, &status);
    checkCl(status, "clCreateProgramWithSource");
    // -w: a driver's compiler must not print on the program's error stream.
    status = cl.buildProgram(built, 1, &device.id, "-cl-std=CL1.2 -w", nullptr, nullptr);
    if (status != CL_SUCCESS) {
      std::size_t size = 0;
      cl.getProgramBuildInfo(built, device.id, CL_PROGRAM_BUILD_LOG, 0, nullptr, &size);
      std::string log(size, '\0');
      cl.getProgramBuildInfo(built, device.id, CL_PROGRAM_BUILD_LOG, size, log.data(), nullptr);
      cl.releaseProgram(built);
      throw OpenClError("the kernels did not build: " + log.substr(0, log.find('\0')));
    }
    programs.emplace(source, built);
    return built;
  }
};

// One thread's queue, kernel and buffers; the mode's exact evaluation for the moments the
// device lists; the CPU backend's worker for whatever the device cannot do.
class OpenClChunkEvaluator final : public ChunkEvaluator {
 public:
  OpenClChunkEvaluator(const OpenClBackend& backend, const PreparedSearch& search, const std::string& source,
                       const char* kernelName)
      : backend_(backend),
        impl_(*backend.impl_),
        cl_(impl_.cl),
        search_(search),
        exact_(search.mode.makeEvaluator(search.settings, search.text, search.kernels)) {
    cl_int status = CL_SUCCESS;
    const cl_program program = impl_.program(source);
    queue_ = cl_.createCommandQueue(impl_.context, impl_.device.id, 0, &status);
    checkCl(status, "clCreateCommandQueue");
    kernel_ = cl_.createKernel(program, kernelName, &status);
    checkCl(status, "clCreateKernel");

    const BootMomentSpace& space = search.space;
    std::vector<std::uint32_t> timeWords(static_cast<std::size_t>(space.timesPerDay()));
    for (int t = 0; t < space.timesPerDay(); ++t) timeWords[static_cast<std::size_t>(t)] = search.timeWordAt(t);
    timeWords_ = buffer(CL_MEM_READ_ONLY, timeWords.size() * 4, timeWords.data());
    keyWords_ = buffer(CL_MEM_READ_ONLY, search.keyWords.size() * 4, search.keyWords.data());
    days_ = buffer(CL_MEM_READ_ONLY, maxLaunchBlocks * dayWords * 4, nullptr);
    count_ = buffer(CL_MEM_READ_WRITE, 4, nullptr);
    resizeOutput(1 << 12);
  }

  ~OpenClChunkEvaluator() override {
    for (cl_mem memory : {timeWords_, keyWords_, days_, count_, out_}) {
      if (memory != nullptr) cl_.releaseMemObject(memory);
    }
    if (kernel_ != nullptr) cl_.releaseKernel(kernel_);
    if (queue_ != nullptr) cl_.releaseCommandQueue(queue_);
  }

  void run(std::uint64_t begin, std::uint64_t end, const std::atomic<bool>* cancel, ChunkResult& result) override {
    if (!backend_.fellBack_) {
      try {
        runOnDevice(begin, end, cancel, result);
        return;
      } catch (const OpenClError& error) {
        backend_.fallBack(error.what());
      }
    }
    cpu().run(begin, end, cancel, result);
  }

  // Seconds the hash-only kernel takes over moments [0, moments).
  double timeHashOnly(std::uint64_t moments) {
    const auto start = std::chrono::steady_clock::now();
    for (std::uint64_t begin = 0; begin < moments;) {
      begin = launch(begin, moments, [&](cl_kernel kernel) {
        const cl_ulong target = 0;  // no moment of a real search has it
        checkCl(cl_.setKernelArg(kernel, 8, sizeof target, &target), "clSetKernelArg");
      });
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

 private:
  ChunkEvaluator& cpu() {
    if (!cpu_) cpu_ = cpuBackend().makeChunkEvaluator(search_);
    return *cpu_;
  }

  cl_mem buffer(cl_mem_flags flags, std::size_t bytes, const void* data) {
    cl_int status = CL_SUCCESS;
    cl_mem memory = cl_.createBuffer(impl_.context, flags | (data != nullptr ? CL_MEM_COPY_HOST_PTR : 0),
                                     std::max<std::size_t>(bytes, 4), const_cast<void*>(data), &status);
    checkCl(status, "clCreateBuffer");
    return memory;
  }

  void resizeOutput(std::size_t pairs) {
    if (out_ != nullptr) cl_.releaseMemObject(out_);
    out_ = nullptr;
    out_ = buffer(CL_MEM_WRITE_ONLY, pairs * 8, nullptr);
    capacity_ = pairs;
  }

  // Runs the kernel over the moments from `begin` on that one launch takes (those of at
  // most maxLaunchBlocks blocks), their candidates into found_; returns where it stopped.
  template <class ExtraArguments>
  std::uint64_t launch(std::uint64_t begin, std::uint64_t end, ExtraArguments&& extra) {
    const BootMomentSpace& space = search_.space;
    const std::uint64_t perBlock = space.momentsPerBlock();
    const std::uint64_t firstBlock = begin / perBlock;
    const std::uint64_t stop = std::min({end, begin + maxLaunchMoments, (firstBlock + maxLaunchBlocks) * perBlock});
    const auto firstWithin = static_cast<cl_uint>(begin - firstBlock * perBlock);
    const auto count = static_cast<cl_uint>(stop - begin);
    const std::uint64_t blocks = (firstWithin + count - 1) / perBlock + 1;

    dayWords_.clear();
    BootMomentSpace::Coordinates at = space.coordinatesOf(firstBlock * perBlock);
    for (std::uint64_t b = 0; b < blocks; ++b, at = space.nextBlock(at))
      appendDay(prepareSeedDay(search_.messageOfBlock(blockCursor(space, at))), dayWords_);

    if (backend_.launchesBeforeFailure_.load() >= 0 && backend_.launchesBeforeFailure_.fetch_sub(1) == 0)
      throw OpenClError("a simulated device failure");

    for (;;) {
      static const cl_uint zero = 0;  // read by the device after this call returns
      checkCl(cl_.enqueueWriteBuffer(queue_, days_, CL_FALSE, 0, dayWords_.size() * 4, dayWords_.data(), 0, nullptr,
                                     nullptr),
              "clEnqueueWriteBuffer");
      checkCl(cl_.enqueueWriteBuffer(queue_, count_, CL_FALSE, 0, 4, &zero, 0, nullptr, nullptr),
              "clEnqueueWriteBuffer");
      const auto capacity = static_cast<cl_uint>(capacity_);
      const cl_mem arguments[] = {days_, timeWords_, keyWords_, out_, count_};
      checkCl(cl_.setKernelArg(kernel_, 0, sizeof firstWithin, &firstWithin), "clSetKernelArg");
      checkCl(cl_.setKernelArg(kernel_, 1, sizeof count, &count), "clSetKernelArg");
      for (cl_uint i = 0; i < 5; ++i)
        checkCl(cl_.setKernelArg(kernel_, 2 + i, sizeof(cl_mem), &arguments[i]), "clSetKernelArg");
      checkCl(cl_.setKernelArg(kernel_, 7, sizeof capacity, &capacity), "clSetKernelArg");
      extra(kernel_);
      const std::size_t group = 64;
      const std::size_t global = (count + group - 1) / group * group;
      checkCl(cl_.enqueueNDRangeKernel(queue_, kernel_, 1, nullptr, &global, &group, 0, nullptr, nullptr),
              "clEnqueueNDRangeKernel");
      cl_uint listed = 0;
      checkCl(cl_.enqueueReadBuffer(queue_, count_, CL_TRUE, 0, 4, &listed, 0, nullptr, nullptr),
              "clEnqueueReadBuffer");
      if (listed > capacity_) {
        // More candidates than room: the launch again, with room for all of them.
        resizeOutput(listed);
        continue;
      }
      pairs_.resize(listed);
      if (listed > 0) {
        checkCl(cl_.enqueueReadBuffer(queue_, out_, CL_TRUE, 0, listed * sizeof(cl_uint2), pairs_.data(), 0, nullptr,
                                      nullptr),
                "clEnqueueReadBuffer");
      }
      for (const cl_uint2& pair : pairs_) found_.push_back(begin + pair.s[0]);
      return stop;
    }
  }

  // Every launch comes before the first line, so a device error never leaves lines of
  // the chunk handed over that the CPU would write again.
  void runOnDevice(std::uint64_t begin, std::uint64_t end, const std::atomic<bool>* cancel, ChunkResult& result) {
    result.lines.clear();
    result.momentsDone = 0;
    result.complete = true;
    found_.clear();
    std::uint64_t done = begin;
    while (done < end) {
      if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
        result.complete = false;
        break;
      }
      done = launch(done, end, [](cl_kernel) {});
    }
    evaluateFound(result);
    result.momentsDone = done - begin;
  }

  // The moments the device listed, each once and in order, through the mode's exact
  // evaluation with seeds computed here: a batch at a time, each batch of one block.
  void evaluateFound(ChunkResult& result) {
    std::sort(found_.begin(), found_.end());
    found_.erase(std::unique(found_.begin(), found_.end()), found_.end());
    const BootMomentSpace& space = search_.space;
    const std::uint64_t perBlock = space.momentsPerBlock();
    std::size_t i = 0;
    while (i < found_.size()) {
      const std::uint64_t block = found_[i] / perBlock;
      const SeedDay day = prepareSeedDay(search_.messageOfBlock(blockCursor(space, space.coordinatesOf(found_[i]))));
      std::size_t n = 0;
      for (; i < found_.size() && n < maxEvaluationBatch && found_[i] / perBlock == block; ++i, ++n) {
        const BootMomentSpace::Coordinates at = space.coordinatesOf(found_[i]);
        batchTimeWords_[n] = search_.timeWordAt(at.time);
        batchKeyWords_[n] = search_.keyWords[static_cast<std::size_t>(at.mask)];
        cursors_[n] = space.momentAt(found_[i]);
      }
      search_.kernels.computeSeeds(day, batchTimeWords_.data(), batchKeyWords_.data(), n, seeds_.data());
      exact_->evaluate(MomentList(std::span(cursors_.data(), n)), std::span(seeds_.data(), n), result.lines);
    }
  }

  const OpenClBackend& backend_;
  OpenClBackend::Impl& impl_;
  const OpenClApi& cl_;
  const PreparedSearch& search_;
  std::unique_ptr<ModeEvaluator> exact_;
  std::unique_ptr<ChunkEvaluator> cpu_;
  cl_command_queue queue_ = nullptr;
  cl_kernel kernel_ = nullptr;
  cl_mem timeWords_ = nullptr, keyWords_ = nullptr, days_ = nullptr, count_ = nullptr, out_ = nullptr;
  std::size_t capacity_ = 0;
  std::vector<std::uint32_t> dayWords_;
  std::vector<cl_uint2> pairs_;
  std::vector<std::uint64_t> found_;  // moments listed by the device
  std::array<std::uint32_t, maxEvaluationBatch> batchTimeWords_{}, batchKeyWords_{};
  std::array<InitialSeed, maxEvaluationBatch> seeds_{};
  std::array<BootMoment, maxEvaluationBatch> cursors_{};
};

std::vector<OpenClDevice> openClDevices() {
  std::vector<OpenClDevice> devices;
  for (const FoundDevice& found : findDevices()) devices.push_back(found.info);
  return devices;
}

int bestOpenClDevice(const std::vector<OpenClDevice>& devices) {
  for (std::size_t i = 0; i < devices.size(); ++i) {
    if (devices[i].gpu) return static_cast<int>(i);
  }
  return -1;
}

OpenClBackend::OpenClBackend(int deviceIndex, std::function<void(const std::string&)> warn) : warn_(std::move(warn)) {
  const OpenClApi* cl = openClApi();
  if (cl == nullptr) throw OpenClError("no OpenCL loader (libOpenCL) on this machine");
  const std::vector<FoundDevice> devices = findDevices();
  if (deviceIndex < 0 || static_cast<std::size_t>(deviceIndex) >= devices.size()) {
    throw OpenClError("no OpenCL device " + std::to_string(deviceIndex) + " (there are " +
                      std::to_string(devices.size()) + ")");
  }
  impl_ = std::make_unique<Impl>(*cl, devices[static_cast<std::size_t>(deviceIndex)]);
}

OpenClBackend::~OpenClBackend() = default;

const OpenClDevice& OpenClBackend::device() const { return impl_->device.info; }

void OpenClBackend::fallBack(const std::string& why) const {
  if (!fellBack_.exchange(true) && warn_) warn_(why);
}

std::unique_ptr<ChunkEvaluator> OpenClBackend::makeChunkEvaluator(const PreparedSearch& search) const {
  const std::optional<Prefilter> prefilter = search.mode.prefilter(search.settings);
  std::string source;
  if (prefilter && !prefilter->findsNothing()) source = programSource(search, *prefilter);
  if (!fellBack_ && !source.empty()) {
    try {
      return std::make_unique<OpenClChunkEvaluator>(*this, search, source, "findCandidates");
    } catch (const OpenClError& error) {
      fallBack(error.what());
    }
  }
  return cpuBackend().makeChunkEvaluator(search);
}

std::uint64_t OpenClBackend::chunkMoments(const PreparedSearch&) const {
  // Enough work for every compute unit in one launch, and few enough moments that the
  // candidates of a chunk stay small when the filter lets most through.
  const std::uint64_t units = std::max(1u, impl_->device.info.computeUnits);
  return std::clamp<std::uint64_t>(units << 16, 1 << 16, maxLaunchMoments);
}

double OpenClBackend::hashRate(const PreparedSearch& search, std::uint64_t moments) const {
  moments = std::min(moments, search.space.size());
  Prefilter none;
  OpenClChunkEvaluator evaluator(*this, search, programSource(search, none), "hashOnly");
  evaluator.timeHashOnly(std::min<std::uint64_t>(moments, 1 << 16));  // warm up
  return static_cast<double>(moments) / evaluator.timeHashOnly(moments);
}

}  // namespace hanabira
