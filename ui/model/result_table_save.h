// The table's lines saved to a file of the user's choice, as shown (sorted, rewritten by
// the display's choices), in any result format: txt in the result file's encoding, the
// others as their search writes them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "evaluate/result_formats.h"
#include "ui/model/result_table.h"

namespace hanabira {

// A save dialog's file type: "CSV (*.csv)" and its pattern, txt first.
struct SaveFileType {
  ResultFormat format;
  std::string label;    // in the language of the messages
  std::string pattern;  // "*.csv"
};
std::vector<SaveFileType> saveFileTypes();

// The format a file name's extension names; else the dialog's chosen one.
ResultFormat formatToSave(const std::filesystem::path& path, ResultFormat chosen);

// The header and every row in the shown order, in `format`.
std::string savedTableText(const ResultTable& table, ResultFormat format);

// Replaces the file at `path` whole; the message to show where it cannot.
std::optional<std::string> saveTable(const ResultTable& table, ResultFormat format, const std::filesystem::path& path);

}  // namespace hanabira
