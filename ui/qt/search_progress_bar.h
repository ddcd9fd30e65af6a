// The slim bar under the start button (its texts: ui/model/progress_bar_text.h). It
// never takes the focus.
#pragma once

#include <QProgressBar>

#include "ui/model/progress_bar_text.h"

namespace hanabira {

class SearchProgressBar : public QProgressBar {
  Q_OBJECT

 public:
  explicit SearchProgressBar(QWidget* parent);

  void display(const ProgressBarState& state);
};

}  // namespace hanabira
