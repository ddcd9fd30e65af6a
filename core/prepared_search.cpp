#include "core/prepared_search.h"

#include "core/settings_validation.h"

namespace hanabira {
namespace {

SearchSettings checkedSnapshot(const SearchSettings& settings) {
  if (auto problem = findSettingsProblem(settings)) throw InvalidSettingsError(*problem);
  SearchSettings snapshot = settings;
  clampPidConsumption(snapshot);
  return snapshot;
}

}  // namespace

PreparedSearch::PreparedSearch(const SearchSettings& source, TextEncoding encoding)
    : settings(checkedSnapshot(source)),
      formatter(selectSearchMode(settings), settings.keyInputEnabled, encoding),
      space(settings),
      hasher(settings) {}

}  // namespace hanabira
