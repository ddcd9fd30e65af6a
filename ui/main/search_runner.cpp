#include "ui/main/search_runner.h"

#include <QMetaObject>

#include <utility>

namespace hanabira {

SearchRunner::SearchRunner(QObject* parent) : QObject(parent) {}

SearchRunner::~SearchRunner() {
  cancel_.store(true);
  if (thread_.joinable()) thread_.join();
}

void SearchRunner::start(const SearchSettings& snapshot, std::unique_ptr<FileSink> sink) {
  if (isBusy()) abortAndWait();
  cancel_.store(false);
  std::uint64_t generation = 0;
  {
    const std::lock_guard lock(mutex_);
    generation = ++generation_;
    latest_ = {};
    progressPosted_ = false;
    outcome_.reset();
  }
  clock_.start();
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
  return clock_.isValid() ? static_cast<double>(clock_.nsecsElapsed()) / 1e9 : 0.0;
}

void SearchRunner::work(std::uint64_t generation, SearchSettings snapshot, std::unique_ptr<FileSink> sink) {
  SearchOutcome outcome;
  SearchOptions options;
  options.cancel = &cancel_;
  options.onProgress = [this, generation](const SearchProgress& progress) { report(generation, progress); };
  try {
    outcome.summary = runSearch(snapshot, *sink, options);
    sink->close();
  } catch (const ResultWriteError& error) {
    outcome.failure = SearchOutcome::Failure::ResultWrite;
    outcome.detail = QString::fromUtf8(error.what());
  } catch (const std::exception& error) {
    // Nothing may escape the thread.
    outcome.failure = SearchOutcome::Failure::Other;
    outcome.detail = QString::fromUtf8(error.what());
  }
  sink.reset();
  {
    const std::lock_guard lock(mutex_);
    outcome_ = std::move(outcome);
  }
  QMetaObject::invokeMethod(this, [this, generation] { complete(generation); }, Qt::QueuedConnection);
}

void SearchRunner::report(std::uint64_t generation, const SearchProgress& progress) {
  const std::lock_guard lock(mutex_);
  latest_ = progress;
  if (progressPosted_) return;
  progressPosted_ = true;
  QMetaObject::invokeMethod(this, [this, generation] { deliverProgress(generation); }, Qt::QueuedConnection);
}

void SearchRunner::deliverProgress(std::uint64_t generation) {
  SearchProgress progress;
  {
    const std::lock_guard lock(mutex_);
    if (generation != generation_) return;
    progress = latest_;
    progressPosted_ = false;
  }
  if (thread_.joinable()) emit progressed(progress);
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
  emit finished(outcome);
}

}  // namespace hanabira
