// The six kinds of search. Several mode flags may be set; the first in the order
// dome, comet shard, deliveryman, inheritance, shiny decides, and with none set the
// plain individual-value search runs.
#pragma once

#include "core/search_settings.h"

namespace hanabira {

enum class SearchMode {
  IvSearch,
  ShinyPidSearch,
  InheritanceSearch,
  DeliverymanSearch,
  CometShardSearch,
  DomeSearch,
};

constexpr SearchMode selectSearchMode(const SearchSettings& settings) {
  if (settings.domeSearch) return SearchMode::DomeSearch;
  if (settings.cometShardSearch) return SearchMode::CometShardSearch;
  if (settings.deliverymanSearch) return SearchMode::DeliverymanSearch;
  if (settings.inheritanceSearch) return SearchMode::InheritanceSearch;  // shinyPidSearch adds a filter
  if (settings.shinyPidSearch) return SearchMode::ShinyPidSearch;
  return SearchMode::IvSearch;
}

}  // namespace hanabira
