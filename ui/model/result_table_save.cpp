#include "ui/model/result_table_save.h"

#include <fmt/format.h>

#include <numeric>

#include "core/utf8_path.h"
#include "core/whole_file.h"
#include "i18n/translate.h"
#include "vocab/cp932.h"

namespace hanabira {

namespace {

std::string labelOf(ResultFormat format) {
  switch (format) {
    case ResultFormat::Txt:
      return std::string(tr("Text"));
    case ResultFormat::Csv:
      return "CSV";
    case ResultFormat::Tsv:
      return "TSV";
    case ResultFormat::Jsonl:
      return "JSON Lines";
  }
  return {};
}

}  // namespace

std::vector<SaveFileType> saveFileTypes() {
  std::vector<SaveFileType> types;
  for (ResultFormat format : resultFormats) {
    const std::string pattern = fmt::format("*.{}", resultFormatName(format));
    types.push_back({format, fmt::format("{} ({})", labelOf(format), pattern), pattern});
  }
  return types;
}

ResultFormat formatToSave(const std::filesystem::path& path, ResultFormat chosen) {
  std::string extension = utf8FromPath(path.extension());
  if (extension.starts_with('.')) extension.erase(0, 1);
  for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return resultFormatFromName(extension).value_or(chosen);
}

std::string savedTableText(const ResultTable& table, ResultFormat format) {
  std::string header;
  for (const std::string& column : table.columns()) header += (header.empty() ? "" : ",") + column;
  if (header.empty()) return {};
  std::vector<std::size_t> rows(table.rowCount());
  std::iota(rows.begin(), rows.end(), std::size_t{0});
  const std::string lines = table.copyText(rows);

  const ResultConverter converter(format, header);
  std::string text = converter.start();
  for (std::size_t start = 0, end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1) {
    converter.appendLine(text, std::string_view(lines).substr(start, end + 1 - start));
  }
  const bool cp932 = format == ResultFormat::Txt && table.encoding() == TextEncoding::Cp932;
  return cp932 ? utf8ToCp932(text) : text;
}

std::optional<std::string> saveTable(const ResultTable& table, ResultFormat format, const std::filesystem::path& path) {
  const std::error_code error = replaceWholeFile(path, savedTableText(table, format));
  if (!error) return std::nullopt;
  return trf("cannot write result file '{}': {}", utf8FromPath(path), error.message());
}

}  // namespace hanabira
