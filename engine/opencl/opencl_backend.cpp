#include "engine/opencl/opencl_backend.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <span>

#include "core/kernels.h"
#include "engine/opencl/kernel_program.h"
#include "engine/opencl/opencl_api.h"
#include "engine/opencl/opencl_devices.h"
#include "engine/prepared_search.h"
#include "evaluate/mode_evaluator.h"

namespace hanabira {
namespace {

constexpr int dayWords = 85;  // SeedDay: schedule[80], afterRound8[5]
constexpr std::uint64_t maxLaunchBlocks = 1024;
constexpr std::uint64_t maxLaunchMoments = 1 << 24;  // a few milliseconds on a large GPU

// The program of `search` on the device; empty when the device does not run the search:
// a mode without a prefilter, a prefilter that finds nothing, or one past what the
// device holds.
std::string programFor(const PreparedSearch& search) {
  if (search.mode.prefilter == nullptr) return {};
  const std::optional<Prefilter> prefilter = search.mode.prefilter(search.settings);
  if (!prefilter || prefilter->findsNothing()) return {};
  return kernelProgram(search, *prefilter);
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
    const std::uint64_t perBlock = search_.space.momentsPerBlock();
    const std::uint64_t firstBlock = begin / perBlock;
    const std::uint64_t stop = std::min({end, begin + maxLaunchMoments, (firstBlock + maxLaunchBlocks) * perBlock});
    const auto firstWithin = static_cast<cl_uint>(begin - firstBlock * perBlock);
    const auto count = static_cast<cl_uint>(stop - begin);
    prepareDays(firstBlock, (firstWithin + count - 1) / perBlock + 1);

    if (backend_.launchesBeforeFailure_.load() >= 0 && backend_.launchesBeforeFailure_.fetch_sub(1) == 0)
      throw OpenClError("a simulated device failure");
    cl_uint listed = 0;
    // More candidates than room: the launch again, with room for all of them.
    while ((listed = runKernel(firstWithin, count, extra)) > capacity_) resizeOutput(listed);
    pairs_.resize(listed);
    if (listed > 0) {
      checkCl(cl_.enqueueReadBuffer(queue_, out_, CL_TRUE, 0, listed * sizeof(cl_uint2), pairs_.data(), 0, nullptr,
                                    nullptr),
              "clEnqueueReadBuffer");
    }
    for (const cl_uint2& pair : pairs_) found_.push_back(begin + pair.s[0]);
    return stop;
  }

  // The prepared SHA-1 state of `blocks` blocks from `firstBlock` on, for the device.
  void prepareDays(std::uint64_t firstBlock, std::uint64_t blocks) {
    const BootMomentSpace& space = search_.space;
    dayWords_.clear();
    BootMomentSpace::Coordinates at = space.coordinatesOf(firstBlock * space.momentsPerBlock());
    for (std::uint64_t b = 0; b < blocks; ++b, at = space.nextBlock(at))
      appendDay(prepareSeedDay(search_.messageOfBlock(space.blockMomentAt(at))), dayWords_);
  }

  // One run of the kernel over `count` moments from `firstWithin` of the prepared days;
  // returns the candidates it found, which may be more than the output holds.
  template <class ExtraArguments>
  cl_uint runKernel(cl_uint firstWithin, cl_uint count, ExtraArguments& extra) {
    static const cl_uint zero = 0;  // read by the device after this call returns
    checkCl(
        cl_.enqueueWriteBuffer(queue_, days_, CL_FALSE, 0, dayWords_.size() * 4, dayWords_.data(), 0, nullptr, nullptr),
        "clEnqueueWriteBuffer");
    checkCl(cl_.enqueueWriteBuffer(queue_, count_, CL_FALSE, 0, 4, &zero, 0, nullptr, nullptr), "clEnqueueWriteBuffer");
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
    ++backend_.launches_;
    cl_uint listed = 0;
    checkCl(cl_.enqueueReadBuffer(queue_, count_, CL_TRUE, 0, 4, &listed, 0, nullptr, nullptr), "clEnqueueReadBuffer");
    return listed;
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
      const SeedDay day = prepareSeedDay(search_.messageOfBlock(space.blockMomentAt(space.coordinatesOf(found_[i]))));
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

bool openClServes(const SearchModeDefinition& mode) { return mode.prefilter != nullptr; }

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

const BackendDevice* OpenClBackend::device() const { return &impl_->device.info; }

const SearchBackend& OpenClBackend::forSearch(const PreparedSearch& search) const {
  if (fellBack_ || programFor(search).empty()) return cpuBackend();
  return *this;
}

void OpenClBackend::fallBack(const std::string& why) const {
  if (!fellBack_.exchange(true) && warn_) warn_(why);
}

std::unique_ptr<ChunkEvaluator> OpenClBackend::makeChunkEvaluator(const PreparedSearch& search) const {
  const std::string source = programFor(search);
  if (source.empty()) throw std::logic_error("a search the OpenCL device does not run: ask forSearch() first");
  if (!fellBack_) {
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
  OpenClChunkEvaluator evaluator(*this, search, kernelProgram(search, Prefilter{}), "hashOnly");
  evaluator.timeHashOnly(std::min<std::uint64_t>(moments, 1 << 16));  // warm up
  return static_cast<double>(moments) / evaluator.timeHashOnly(moments);
}

}  // namespace hanabira
