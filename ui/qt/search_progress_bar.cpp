#include "ui/qt/search_progress_bar.h"

#include "ui/qt/qt_strings.h"

namespace hanabira {

SearchProgressBar::SearchProgressBar(QWidget* parent) : QProgressBar(parent) {
  setFocusPolicy(Qt::NoFocus);
  setRange(0, progressBarSteps);
  QFont smaller = font();
  smaller.setPixelSize(10);
  setFont(smaller);
  display({});
}

void SearchProgressBar::display(const ProgressBarState& state) {
  setValue(state.value);
  setFormat(toQString(state.text));
}

}  // namespace hanabira
