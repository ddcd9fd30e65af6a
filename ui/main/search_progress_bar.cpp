#include "ui/main/search_progress_bar.h"

#include <algorithm>
#include <cmath>

namespace hanabira {
namespace {

constexpr int steps = 1000;

double shareDone(const SearchProgress& progress) {
  if (progress.momentsTotal == 0) return 1.0;
  return static_cast<double>(progress.momentsDone) / static_cast<double>(progress.momentsTotal);
}

QString shareText(const SearchProgress& progress) {
  return QStringLiteral("%1%").arg(static_cast<int>(shareDone(progress) * 100));
}

int barValue(const SearchProgress& progress) { return static_cast<int>(std::lround(shareDone(progress) * steps)); }

}  // namespace

QString durationText(double seconds) {
  const auto total = static_cast<long long>(std::llround(std::max(0.0, seconds)));
  const QString minutesAndSeconds = QStringLiteral("%1:%2").arg(total / 60 % 60).arg(total % 60, 2, 10, QLatin1Char('0'));
  if (total < 3600) return minutesAndSeconds;
  return QStringLiteral("%1:%2").arg(total / 3600).arg(minutesAndSeconds.rightJustified(5, QLatin1Char('0')));
}

QString progressBarText(const SearchProgress& progress, double elapsedSeconds) {
  const double share = shareDone(progress);
  if (progress.momentsDone == 0 || share >= 1.0) return shareText(progress);
  return shareText(progress) + QStringLiteral("  残り ") + durationText(elapsedSeconds / share * (1.0 - share));
}

SearchProgressBar::SearchProgressBar(QWidget* parent) : QProgressBar(parent) {
  setFocusPolicy(Qt::NoFocus);
  setRange(0, steps);
  QFont smaller = font();
  smaller.setPixelSize(10);
  setFont(smaller);
  clear();
}

void SearchProgressBar::clear() {
  setValue(0);
  setFormat(QString());
}

void SearchProgressBar::showRunning(const SearchProgress& progress, double elapsedSeconds) {
  setValue(barValue(progress));
  setFormat(progressBarText(progress, elapsedSeconds));
}

void SearchProgressBar::showEnded(const SearchProgress& progress) {
  setValue(barValue(progress));
  setFormat(shareText(progress));
}

}  // namespace hanabira
