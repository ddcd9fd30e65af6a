#include "ui/model/searched_lines.h"

#include "evaluate/result_text.h"

namespace hanabira {

std::size_t firstSearchColumn(const ResultTable& table) {
  if (table.columns().empty()) return 0;
  const std::string& first = table.columns().front();
  const bool profileColumn =
      first == profileColumnName(ResultLanguage::Japanese) || first == profileColumnName(ResultLanguage::English);
  return profileColumn ? 1 : 0;
}

const SearchSettings* SearchedLines::settingsOfRow(const ResultTable& table, std::size_t row) const {
  if (profiles.empty()) return &settings;
  if (row >= table.rowCount() || firstSearchColumn(table) == 0) return nullptr;
  const std::string_view name = table.cell(row, 0);
  for (const ProfilePart& part : profiles) {
    if (part.name == name) return &part.settings;
  }
  return nullptr;
}

}  // namespace hanabira
