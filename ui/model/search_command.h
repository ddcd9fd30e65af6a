// The start button's command, whatever draws the window: a click starts a search from
// the window's fields or aborts the running one, and the window (a SearchView) is told
// what to show while the search runs and when it ends.
//
// Each start reads the fields into the window's one SearchSettings and searches a
// snapshot of it, so that whatever changes during a search (fields, option dialogs, a
// save) counts from the next start.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/search_settings.h"
#include "engine/console_profiles.h"
#include "ui/model/progress_bar_text.h"
#include "ui/model/result_table.h"
#include "ui/model/search_runner.h"
#include "ui/model/searched_lines.h"
#include "ui/model/window_fields.h"

namespace hanabira {

// The result file, in the working directory.
inline constexpr char resultFileName[] = "result.txt";

class SearchView {
 public:
  virtual void showStartCaption(std::string_view caption) = 0;  // UTF-8, as every text here
  virtual void showTitle(std::string_view title) = 0;
  virtual void showProgressBar(const ProgressBarState& bar) = 0;
  virtual void showMessage(const std::string& text) = 0;  // a warning the user closes
  // A search has ended, completed or aborted, and its result file is closed and whole.
  virtual void resultFileWritten(const std::filesystem::path& path) = 0;

 protected:
  ~SearchView() = default;
};

class SearchCommand {
 public:
  // `post` runs the search's reports on the window's thread (SearchRunner::Post).
  SearchCommand(SearchView& view, SearchRunner::Post post);

  // Aborts the running search; or, when none runs (or the aborted one is still winding
  // down), reads `fields` into `settings` and searches them into `resultPath`. Settings
  // the search refuses and a result file that cannot be created are told as messages.
  // With `everyProfile`, the search runs over those profiles instead, each with its own
  // console (runProfileSearch); one that is refused is named in the message.
  void startOrAbort(const WindowFields& fields, SearchSettings& settings, const std::filesystem::path& resultPath,
                    const ConsoleProfiles* everyProfile = nullptr);
  // The window closes: a running search is aborted and waited for, and its end shows no
  // message and hands no file on.
  void abortForClosing();

  bool isRunning() const { return runner_.isBusy(); }
  // The last search's lines, filled as it runs; kept when a search is refused.
  ResultTable& resultTable() { return table_; }
  // What the table's lines were searched with; none before the first search.
  const std::optional<SearchedLines>& searched() const { return searched_; }
  // Shows the start button's caption again, as in a language just chosen.
  void showCaption();

  // Opens a finished result file in the user's viewer; false when none could, which is
  // told as a message. Without one (tests, HANABIRA_NO_VIEWER=1) nothing opens and
  // nothing is said.
  using ResultViewer = std::function<bool(const std::filesystem::path& path)>;
  void setResultViewer(ResultViewer viewer) { viewer_ = std::move(viewer); }

 private:
  // The profiles' parts of a search over them, or the message refusing it.
  std::optional<std::vector<ProfilePart>> profilePartsToSearch(const SearchSettings& settings,
                                                               const ConsoleProfiles& profiles);
  void showProgress(const SearchProgress& progress);
  void finished(const SearchOutcome& outcome);

  SearchView& view_;
  ResultTable table_;
  std::optional<SearchedLines> searched_;
  SearchRunner runner_;
  ResultViewer viewer_;
  std::filesystem::path resultPath_;
  bool closing_ = false;
};

}  // namespace hanabira
