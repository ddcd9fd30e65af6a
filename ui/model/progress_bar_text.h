// What the slim bar under the start button shows: the share of the search's work done
// and, once the pace is known, the time left ("42%  1:23 left", in Japanese "42%  残り 1:23"); at the end, how the
// search ended.
#pragma once

#include <string>

#include "engine/search_progress.h"

namespace hanabira {

// The bar runs from 0 to this many steps.
inline constexpr int progressBarSteps = 1000;

struct ProgressBarState {
  int value = 0;     // steps done
  std::string text;  // UTF-8; empty before a search
};

// "0:07", "12:34", "3:02:05".
std::string durationText(double seconds);

ProgressBarState runningProgressBar(const SearchProgress& progress, double elapsedSeconds);

enum class SearchEnd { Finished, Aborted, Failed };
// How the search ended, with the share it reached when it stopped early
// ("Aborted at 19%", "19%で中断").
ProgressBarState endedProgressBar(const SearchProgress& progress, SearchEnd end);

// The window's title while it searches: the date being searched and the candidates found
// ("11年9月27日計算中...(候補0個)").
std::string windowProgressTitle(const SearchProgress& progress);

}  // namespace hanabira
