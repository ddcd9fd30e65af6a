#include "ui/model/search_runner.h"

#include <utility>

#include "evaluate/result_text.h"

namespace hanabira {

namespace {

// The first GPU, or none; a GPU that cannot be opened leaves the search on the CPU.
std::unique_ptr<OpenClBackend> firstGpu() {
  const int device = bestOpenClDevice(openClDevices());
  if (device < 0) return nullptr;
  try {
    return std::make_unique<OpenClBackend>(device);
  } catch (const OpenClError&) {
    return nullptr;
  }
}

}  // namespace

SearchRunner::SearchRunner(Post post, ProgressHandler progressed, FinishHandler finished)
    : post_(std::move(post)), progressed_(std::move(progressed)), finished_(std::move(finished)) {}

SearchRunner::~SearchRunner() {
  cancel_.store(true);
  if (thread_.joinable()) thread_.join();
}

void SearchRunner::start(const SearchSettings& snapshot, std::unique_ptr<FileSink> sink) {
  if (isBusy()) abortAndWait();
  // Looked for at the first search, so that a window opens at once whatever the drivers.
  if (!gpuLookedFor_) {
    gpu_ = firstGpu();
    gpuLookedFor_ = true;
  }
  cancel_.store(false);
  std::uint64_t generation = 0;
  {
    const std::lock_guard lock(mutex_);
    generation = ++generation_;
    latest_ = {};
    progressPosted_ = false;
    outcome_.reset();
  }
  startedAt_ = std::chrono::steady_clock::now();
  thread_ = std::thread(&SearchRunner::work, this, generation, snapshot, std::move(sink));
}

void SearchRunner::abort() { cancel_.store(true); }

void SearchRunner::abortAndWait() {
  abort();
  std::uint64_t generation = 0;
  {
    const std::lock_guard lock(mutex_);
    generation = generation_;
  }
  complete(generation);
}

double SearchRunner::elapsedSeconds() const {
  if (!startedAt_) return 0.0;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - *startedAt_).count();
}

void SearchRunner::work(std::uint64_t generation, SearchSettings snapshot, std::unique_ptr<FileSink> sink) {
  SearchOutcome outcome;
  SearchOptions options;
  options.cancel = &cancel_;
  options.backend = gpu_.get();
  options.encoding = defaultEncoding(snapshot.resultLanguage);  // English names in UTF-8
  options.onProgress = [this, generation](const SearchProgress& progress) { report(generation, progress); };
  try {
    outcome.summary = runSearch(snapshot, *sink, options);
    sink->close();
  } catch (const ResultWriteError& error) {
    outcome.failure = SearchOutcome::Failure::ResultWrite;
    outcome.detail = error.what();
    outcome.systemError = error.systemError();
  } catch (const std::exception& error) {
    // Nothing may escape the thread.
    outcome.failure = SearchOutcome::Failure::Other;
    outcome.detail = error.what();
  }
  sink.reset();
  {
    const std::lock_guard lock(mutex_);
    outcome_ = std::move(outcome);
  }
  post_([this, generation] { complete(generation); });
}

void SearchRunner::report(std::uint64_t generation, const SearchProgress& progress) {
  const std::lock_guard lock(mutex_);
  latest_ = progress;
  if (progressPosted_) return;
  progressPosted_ = true;
  post_([this, generation] { deliverProgress(generation); });
}

void SearchRunner::deliverProgress(std::uint64_t generation) {
  SearchProgress progress;
  {
    const std::lock_guard lock(mutex_);
    if (generation != generation_) return;
    progress = latest_;
    progressPosted_ = false;
  }
  if (thread_.joinable()) progressed_(progress);
}

void SearchRunner::complete(std::uint64_t generation) {
  {
    const std::lock_guard lock(mutex_);
    if (generation != generation_) return;
  }
  if (!thread_.joinable()) return;  // completed already, by abortAndWait
  thread_.join();
  SearchOutcome outcome;
  {
    const std::lock_guard lock(mutex_);
    outcome = std::move(*outcome_);
    outcome_.reset();
  }
  finished_(outcome);
}

}  // namespace hanabira
