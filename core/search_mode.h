// The kinds of search, one for each row of the mode table (evaluate/search_modes.cpp),
// in the order of its rows; the table says which one the settings ask for.
#pragma once

namespace hanabira {

enum class SearchMode {
  IvSearch,
  ShinyPidSearch,
  InheritanceSearch,
  DeliverymanSearch,
  CometShardSearch,
  DomeSearch,
};

}  // namespace hanabira
