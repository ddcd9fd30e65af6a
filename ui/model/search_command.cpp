#include "ui/model/search_command.h"

#include <memory>
#include <utility>

#include "core/utf8_path.h"
#include "engine/settings_validation.h"
#include "engine/settings_warnings.h"
#include "i18n/translate.h"
#include "ui/model/main_window_layout.h"
#include "ui/model/problem_messages.h"
#include "ui/model/profile_search_message.h"
#include "ui/model/progress_bar_text.h"

namespace hanabira {
namespace {

// The start button's captions: while no search runs, and while one runs.
std::string_view startCaption() { return tr("Start search"); }
std::string_view abortCaption() { return tr("Abort"); }

SearchEnd searchEnd(const SearchOutcome& outcome) {
  if (outcome.failure != SearchOutcome::Failure::None) return SearchEnd::Failed;
  return outcome.summary.cancelled ? SearchEnd::Aborted : SearchEnd::Finished;
}

// The warnings about the window's own fields, in one message. The dialogs show the others
// as notes: the console dialog those of the edition, the shiny dialog that of the
// encounter the game corrects.
std::string warningsToldAtStart(const std::vector<SettingsWarning>& warnings) {
  std::string told;
  for (const SettingsWarning& warning : warnings) {
    switch (warning.kind) {
      case SettingsWarning::Kind::UncertainEditionWords:
      case SettingsWarning::Kind::FirstGamesRules:
      case SettingsWarning::Kind::ConsoleContradictsIs3ds:
      case SettingsWarning::Kind::StationaryWithoutIdCorrection:
        continue;
      default:
        break;
    }
    if (!told.empty()) told += "\n\n";
    told += settingsWarningMessage(warning);
  }
  return told;
}

}  // namespace

SearchCommand::SearchCommand(SearchView& view, SearchRunner::Post post)
    : view_(view),
      runner_(
          std::move(post), [this](const SearchProgress& progress) { showProgress(progress); },
          [this](const SearchOutcome& outcome) { finished(outcome); },
          [this](std::string_view bytes) {
            table_.add(bytes);
            return !table_.isCut();
          }) {}

void SearchCommand::startOrAbort(const WindowFields& fields, SearchSettings& settings,
                                 const std::filesystem::path& resultPath, const ConsoleProfiles* everyProfile) {
  if (runner_.isBusy()) {
    if (!runner_.isAborting()) {
      view_.showStartCaption(startCaption());
      runner_.abort();
      return;
    }
    // Clicked again while the aborted search winds down: it has to let go of the
    // result file before a new search creates it anew.
    runner_.abortAndWait();
  }

  readStartFields(fields, settings);
  // Over every profile, the window's console fields give way to each profile's.
  if (everyProfile == nullptr) {
    if (const std::optional<SettingsProblem> problem = findSettingsProblem(settings)) {
      view_.showMessage(settingsProblemMessage(*problem));
      return;
    }
  }
  const std::vector<SettingsWarning> warnings = findSettingsWarnings(settings);
  clampPidConsumption(settings);
  std::vector<ProfilePart> parts;
  if (everyProfile != nullptr) {
    std::optional<std::vector<ProfilePart>> found = profilePartsToSearch(settings, *everyProfile);
    if (!found) return;
    parts = std::move(*found);
  }

  resultPath_ = resultPath;
  std::unique_ptr<FileSink> sink;
  try {
    sink = std::make_unique<FileSink>(resultPath_);
  } catch (const ResultWriteError& error) {
    view_.showMessage(
        resultFileCreateMessage(utf8FromPath(resultPath_), fileProblem(resultPath_, error.systemError())));
    return;
  }

  view_.showStartCaption(abortCaption());
  view_.showProgressBar({});
  // As the search encodes its lines; the game (the first profile's) numbers its positions
  // and advances.
  const SearchSettings& numbered = parts.empty() ? settings : parts.front().settings;
  table_.start(defaultEncoding(settings.resultLanguage), resultColumnChoices(numbered).game);
  searched_ = SearchedLines{settings, parts};
  runner_.start(settings, std::move(sink), std::move(parts));
  if (const std::string told = warningsToldAtStart(warnings); !told.empty()) view_.showMessage(told);
}

std::optional<std::vector<ProfilePart>> SearchCommand::profilePartsToSearch(const SearchSettings& settings,
                                                                            const ConsoleProfiles& profiles) {
  std::vector<ProfilePart> parts = profileParts(settings, profiles);
  const TextEncoding encoding = defaultEncoding(settings.resultLanguage);
  if (const std::optional<ProfileSearchProblem> problem = findProfileSearchProblem(parts, encoding)) {
    view_.showMessage(profileSearchProblemMessage(*problem));
    return std::nullopt;
  }
  return parts;
}

void SearchCommand::showCaption() {
  view_.showStartCaption(runner_.isBusy() && !runner_.isAborting() ? abortCaption() : startCaption());
}

void SearchCommand::abortForClosing() {
  if (!runner_.isBusy()) return;
  closing_ = true;
  runner_.abortAndWait();
}

void SearchCommand::showProgress(const SearchProgress& progress) {
  // The GPU's name follows the progress while it searches; without one the title is as it was.
  const std::string gpu = runner_.gpuName();
  view_.showTitle(gpu.empty() ? windowProgressTitle(progress) : windowProgressTitle(progress) + " [GPU: " + gpu + "]");
  view_.showProgressBar(runningProgressBar(progress, runner_.elapsedSeconds()));
}

void SearchCommand::finished(const SearchOutcome& outcome) {
  view_.showStartCaption(startCaption());
  view_.showTitle(mainWindowTitle());
  const SearchProgress reached{
      {}, outcome.summary.candidates, outcome.summary.momentsDone, outcome.summary.momentsTotal};
  view_.showProgressBar(endedProgressBar(reached, searchEnd(outcome)));
  if (closing_) return;
  switch (outcome.failure) {
    case SearchOutcome::Failure::None:
      view_.resultFileWritten(resultPath_);
      if (viewer_ && !viewer_(resultPath_)) view_.showMessage(resultFileNotOpenedMessage(utf8FromPath(resultPath_)));
      break;
    case SearchOutcome::Failure::ResultWrite:
      view_.showMessage(
          resultFileWriteMessage(utf8FromPath(resultPath_), fileProblem(resultPath_, outcome.systemError)));
      break;
    case SearchOutcome::Failure::Other:
      view_.showMessage(searchFailureMessage(outcome.detail));
      break;
  }
}

}  // namespace hanabira
