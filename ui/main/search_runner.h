// One search at a time on a thread of its own, so that the window stays responsive.
// Progress and the end of the search arrive as signals on the thread that owns the
// runner (the window's).
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "engine/result_sink.h"
#include "engine/search_engine.h"
#include "engine/search_progress.h"
#include "core/search_settings.h"

namespace hanabira {

struct SearchOutcome {
  enum class Failure {
    None,
    ResultWrite,  // the result file could not be written (a full disk, say)
    Other,
  };

  SearchSummary summary;
  Failure failure = Failure::None;
  QString detail;  // the error's own text, when the search failed
};

class SearchRunner : public QObject {
  Q_OBJECT

 public:
  explicit SearchRunner(QObject* parent = nullptr);
  // Aborts a running search and waits for it.
  ~SearchRunner() override;

  // Searches `snapshot` into `sink`, which the runner closes at the end. The settings
  // must be valid (findSettingsProblem). A search that is still stopping is finished
  // first.
  void start(const SearchSettings& snapshot, std::unique_ptr<FileSink> sink);
  // Asks the search to stop; returns at once. The search stops at its next batch of
  // boot moments and reports `finished`.
  void abort();
  // Aborts and waits for the thread; `finished` is emitted before this returns.
  void abortAndWait();

  // From start until `finished` was emitted, aborted or not.
  bool isBusy() const { return thread_.joinable(); }
  bool isAborting() const { return cancel_.load(); }
  double elapsedSeconds() const;

 signals:
  // The latest state of the search. Reports that come faster than the window takes them
  // are merged: the window always sees the newest.
  void progressed(const hanabira::SearchProgress& progress);
  void finished(const hanabira::SearchOutcome& outcome);

 private:
  void work(std::uint64_t generation, SearchSettings snapshot, std::unique_ptr<FileSink> sink);
  void report(std::uint64_t generation, const SearchProgress& progress);
  // The window's side of a report or of the end. Posted events of an earlier search
  // (the generation tells) are dropped.
  void deliverProgress(std::uint64_t generation);
  // Joins the thread and emits `finished`, once per search.
  void complete(std::uint64_t generation);

  std::thread thread_;
  std::atomic<bool> cancel_{false};
  QElapsedTimer clock_;

  std::mutex mutex_;  // guards the four below, shared with the searching thread
  std::uint64_t generation_ = 0;
  SearchProgress latest_;
  bool progressPosted_ = false;
  std::optional<SearchOutcome> outcome_;
};

}  // namespace hanabira
