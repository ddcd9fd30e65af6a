// The slim bar under the start button: the share of the boot moments searched and, once
// the pace is known, the time left ("42%  残り 1:23"). It never takes the focus.
#pragma once

#include <QProgressBar>
#include <QString>

#include "engine/search_progress.h"

namespace hanabira {

// "0:07", "12:34", "3:02:05".
QString durationText(double seconds);
QString progressBarText(const SearchProgress& progress, double elapsedSeconds);

class SearchProgressBar : public QProgressBar {
  Q_OBJECT

 public:
  explicit SearchProgressBar(QWidget* parent);

  void clear();
  void showRunning(const SearchProgress& progress, double elapsedSeconds);
  // The share reached when the search ended, without a time.
  void showEnded(const SearchProgress& progress);
};

}  // namespace hanabira
