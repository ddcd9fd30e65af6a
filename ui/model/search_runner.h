// One search at a time on a thread of its own, so that the window stays responsive.
// Progress and the end of the search reach the callbacks on the window's thread: the
// searching thread hands them to `post`, which the front end implements (a queued call,
// a posted message).
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/search_settings.h"
#include "engine/backends/backend_registry.h"
#include "engine/profile_search.h"
#include "engine/result_sink.h"
#include "engine/search_engine.h"
#include "engine/search_progress.h"

namespace hanabira {

struct SearchOutcome {
  enum class Failure {
    None,
    ResultWrite,  // the result file could not be written (a full disk, say)
    Other,
  };

  SearchSummary summary;
  Failure failure = Failure::None;
  std::string detail;   // the error's own text, when the search failed
  int systemError = 0;  // for ResultWrite: the C library's error number
};

class SearchRunner {
 public:
  // Runs a task later on the window's thread. Called from the searching thread; tasks
  // still waiting when the runner is destroyed must be dropped (Qt: the window as the
  // queued call's context, the runner being part of the window).
  using Post = std::function<void(std::function<void()> task)>;
  // Reports that come faster than the window takes them are merged: the window always
  // sees the newest.
  using ProgressHandler = std::function<void(const SearchProgress&)>;
  using FinishHandler = std::function<void(const SearchOutcome&)>;
  // The bytes the search wrote to the result file since the last call: before each
  // progress report and, the last of them, before the end. Returns whether it wants
  // more of this search's lines.
  using LinesHandler = std::function<bool(std::string_view bytes)>;

  SearchRunner(Post post, ProgressHandler progressed, FinishHandler finished, LinesHandler lines = {});
  // Aborts a running search and waits for it, without reporting its end.
  ~SearchRunner();
  SearchRunner(const SearchRunner&) = delete;
  SearchRunner& operator=(const SearchRunner&) = delete;

  // Searches `snapshot` into `sink`, which the runner closes at the end. The settings
  // must be valid (findSettingsProblem). A search that is still stopping is finished
  // first. With `profiles`, their search in turn instead (runProfileSearch), which must
  // be valid too (findProfileSearchProblem); the progress is that of the whole.
  void start(const SearchSettings& snapshot, std::unique_ptr<FileSink> sink, std::vector<ProfilePart> profiles = {});
  // Asks the search to stop; returns at once. The search stops at its next batch of
  // boot moments and reports its end.
  void abort();
  // Aborts and waits for the thread; the end is reported before this returns.
  void abortAndWait();

  // The GPU the running search runs on: the backend `auto` takes (looked for at the first
  // start), when its device runs the search; empty while the search runs on the CPU. A
  // GPU that fails hands the rest of the search to the CPU.
  std::string gpuName() const;

  // From start until the end was reported, aborted or not.
  bool isBusy() const { return thread_.joinable(); }
  bool isAborting() const { return cancel_.load(); }
  double elapsedSeconds() const;

 private:
  void work(std::uint64_t generation, SearchSettings snapshot, std::vector<ProfilePart> profiles,
            std::unique_ptr<FileSink> sink);
  void report(std::uint64_t generation, const SearchProgress& progress);
  void copy(std::string_view bytes);
  void deliverLines();
  // The window's side of a report or of the end. Posted tasks of an earlier search (the
  // generation tells) are dropped.
  void deliverProgress(std::uint64_t generation);
  // Joins the thread and reports the end, once per search.
  void complete(std::uint64_t generation);

  Post post_;
  ProgressHandler progressed_;
  FinishHandler finished_;
  LinesHandler lines_;

  std::shared_ptr<const SearchBackend> backend_;
  bool onDevice_ = false;  // as the latest report delivered says
  std::thread thread_;
  std::atomic<bool> cancel_{false};
  std::atomic<bool> copying_{false};  // the lines handler wants the search's lines
  std::optional<std::chrono::steady_clock::time_point> startedAt_;

  std::mutex mutex_;  // guards the five below, shared with the searching thread
  std::uint64_t generation_ = 0;
  SearchProgress latest_;
  std::string copied_;  // written since the last delivery
  bool progressPosted_ = false;
  std::optional<SearchOutcome> outcome_;
};

}  // namespace hanabira
