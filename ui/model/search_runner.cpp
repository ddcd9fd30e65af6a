#include "ui/model/search_runner.h"

#include <utility>

#include "evaluate/result_text.h"

namespace hanabira {

namespace {

// The backend the machine chooses; a device that cannot be opened leaves the searches on
// the CPU.
std::shared_ptr<const SearchBackend> automaticChoice() {
  const BackendRequest request;
  try {
    return chooseBackend(automaticBackendName, request)->open(request);
  } catch (const BackendError&) {
    return cpuBackendRow().open(request);
  }
}

// Writes to the result file, and hands what it wrote on.
class CopyingSink final : public ResultSink {
 public:
  CopyingSink(ResultSink& file, std::function<void(std::string_view)> copy) : file_(file), copy_(std::move(copy)) {}

  void write(std::string_view bytes) override {
    file_.write(bytes);
    copy_(bytes);
  }

 private:
  ResultSink& file_;
  std::function<void(std::string_view)> copy_;
};

}  // namespace

SearchRunner::SearchRunner(Post post, ProgressHandler progressed, FinishHandler finished, LinesHandler lines)
    : post_(std::move(post)),
      progressed_(std::move(progressed)),
      finished_(std::move(finished)),
      lines_(std::move(lines)) {}

SearchRunner::~SearchRunner() {
  cancel_.store(true);
  if (thread_.joinable()) thread_.join();
}

void SearchRunner::start(const SearchSettings& snapshot, std::unique_ptr<FileSink> sink,
                         std::vector<ProfilePart> profiles) {
  if (isBusy()) abortAndWait();
  // Looked for at the first search, so that a window opens at once whatever the drivers.
  if (!backend_) backend_ = automaticChoice();
  cancel_.store(false);
  copying_.store(static_cast<bool>(lines_));
  onDevice_ = false;
  std::uint64_t generation = 0;
  {
    const std::lock_guard lock(mutex_);
    generation = ++generation_;
    latest_ = {};
    progressPosted_ = false;
    copied_.clear();
    outcome_.reset();
  }
  startedAt_ = std::chrono::steady_clock::now();
  thread_ = std::thread(&SearchRunner::work, this, generation, snapshot, std::move(profiles), std::move(sink));
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

std::string SearchRunner::gpuName() const {
  return onDevice_ && backend_->device() != nullptr ? backend_->device()->name : std::string();
}

double SearchRunner::elapsedSeconds() const {
  if (!startedAt_) return 0.0;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - *startedAt_).count();
}

void SearchRunner::work(std::uint64_t generation, SearchSettings snapshot, std::vector<ProfilePart> profiles,
                        std::unique_ptr<FileSink> sink) {
  SearchOutcome outcome;
  SearchOptions options;
  options.cancel = &cancel_;
  options.backend = backend_.get();
  options.encoding = defaultEncoding(snapshot.resultLanguage);  // English names in UTF-8
  options.onProgress = [this, generation](const SearchProgress& progress) { report(generation, progress); };
  CopyingSink copying(*sink, [this](std::string_view bytes) { copy(bytes); });
  try {
    if (profiles.empty()) {
      outcome.summary = runSearch(snapshot, copying, options);
    } else {
      outcome.summary = runProfileSearch(profiles, copying, {.search = options}).total;
    }
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

void SearchRunner::copy(std::string_view bytes) {
  if (!copying_.load()) return;
  const std::lock_guard lock(mutex_);
  copied_ += bytes;
}

void SearchRunner::deliverLines() {
  std::string bytes;
  {
    const std::lock_guard lock(mutex_);
    bytes.swap(copied_);
  }
  if (!bytes.empty() && !lines_(bytes)) copying_.store(false);
}

void SearchRunner::deliverProgress(std::uint64_t generation) {
  SearchProgress progress;
  {
    const std::lock_guard lock(mutex_);
    if (generation != generation_) return;
    progress = latest_;
    progressPosted_ = false;
  }
  onDevice_ = progress.backend == backend_->name() && backend_->device() != nullptr;
  if (!thread_.joinable()) return;
  deliverLines();
  progressed_(progress);
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
  deliverLines();
  finished_(outcome);
}

}  // namespace hanabira
