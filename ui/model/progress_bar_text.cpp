#include "ui/model/progress_bar_text.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

#include "i18n/translate.h"

namespace hanabira {
namespace {

std::string shareText(double share) { return fmt::format("{}%", static_cast<int>(share * 100)); }

int barValue(double share) { return static_cast<int>(std::lround(share * progressBarSteps)); }

}  // namespace

std::string durationText(double seconds) {
  const auto total = static_cast<long long>(std::llround(std::max(0.0, seconds)));
  const std::string minutesAndSeconds = fmt::format("{}:{:02}", total / 60 % 60, total % 60);
  if (total < 3600) return minutesAndSeconds;
  return fmt::format("{}:{:0>5}", total / 3600, minutesAndSeconds);
}

ProgressBarState runningProgressBar(const SearchProgress& progress, double elapsedSeconds) {
  const double share = progress.shareDone();
  if (share <= 0.0 || share >= 1.0) return {barValue(share), shareText(share)};
  return {barValue(share), trf("{}  {} left", shareText(share), durationText(elapsedSeconds / share * (1.0 - share)))};
}

ProgressBarState endedProgressBar(const SearchProgress& progress, SearchEnd end) {
  const double share = progress.shareDone();
  switch (end) {
    case SearchEnd::Finished:
      break;
    case SearchEnd::Aborted:
      return {barValue(share), trf("Aborted at {}", shareText(share))};
    case SearchEnd::Failed:
      return {barValue(share), trf("Stopped at {}", shareText(share))};
  }
  return {progressBarSteps, std::string(tr("Search complete"))};
}

std::string windowProgressTitle(const SearchProgress& progress) {
  const Date& date = progress.date;
  return trnf("Searching {}/{}/{}... ({} candidate)", "Searching {}/{}/{}... ({} candidates)", progress.candidates,
              date.year, date.month, date.day, progress.candidates);
}

}  // namespace hanabira
