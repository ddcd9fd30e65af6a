#include "cli/progress_line.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

#include "i18n/translate.h"

namespace hanabira {

std::string formatCount(std::uint64_t count, std::string_view one, std::string_view many) {
  return fmt::format("{} {}", count, count == 1 ? one : many);
}

std::string formatDuration(double seconds) {
  const auto total = static_cast<long long>(std::llround(std::max(0.0, seconds)));
  const long long hours = total / 3600;
  const long long minutes = total / 60 % 60;
  const long long secs = total % 60;
  if (hours > 0) return fmt::format("{}:{:02}:{:02}", hours, minutes, secs);
  return fmt::format("{}:{:02}", minutes, secs);
}

ProgressLine::ProgressLine(std::ostream& err, bool live) : err_(err), live_(live) {}

double ProgressLine::elapsedSeconds() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

void ProgressLine::update(const SearchProgress& progress) {
  if (!live_) return;
  const Clock::time_point now = Clock::now();
  if (drawn_ && now - lastDraw_ < std::chrono::milliseconds(100)) return;
  lastDraw_ = now;

  const double elapsed = elapsedSeconds();
  const double share = progress.shareDone();
  // Stage one of the two-stage plan counts MT seeds; the boot moments follow.
  const bool scanning = progress.seedsToScan > 0 && progress.momentsDone == 0;
  const double done = static_cast<double>(scanning ? progress.seedsScanned : progress.momentsDone);
  const double rate = elapsed > 0 ? done / elapsed : 0;
  std::string line =
      fmt::format("\r\x1b[K{}  {:5.1f}%  {}{}", progressTitle(progress), share * 100, scanning ? tr("stage one: ") : "",
                  formatRate(rate, scanning ? tr("MT seeds") : tr("seeds")));
  if (share > 0 && share < 1) line += "  " + trf("{} left", formatDuration(elapsed / share * (1 - share)));
  err_ << line << std::flush;
  drawn_ = true;
}

void ProgressLine::finish() {
  if (drawn_) err_ << "\r\x1b[K" << std::flush;
  drawn_ = false;
}

}  // namespace hanabira
