#include "cli/result_format_option.h"

#include <fmt/format.h>

#include "i18n/translate.h"

namespace hanabira {

std::string ResultFormatOption::defaultOutputPath() const { return fmt::format("result.{}", name); }

void ResultFormatOption::refuseOtherEncoding(const ResultTextOptions& text) const {
  const bool encodingGiven = text.encodingOption != nullptr && text.encodingOption->count() > 0;
  if (converts() && encodingGiven && text.encoding != "utf-8") {
    throw CLI::ValidationError("--format",
                               trf("--format {} writes UTF-8; --encoding {} is for --format txt", name, text.encoding));
  }
}

TextEncoding ResultFormatOption::searchEncoding(const ResultTextOptions& text, ResultLanguage language) const {
  return converts() ? TextEncoding::Utf8 : text.encodingFor(language);
}

CLI::Option* addResultFormatOption(CLI::App& parser, ResultFormatOption& option) {
  std::vector<std::string> names;
  for (ResultFormat format : resultFormats) names.emplace_back(resultFormatName(format));
  return parser
      .add_option("--format", option.name,
                  std::string(tr("Format of the result file: txt (comma-separated, as always), csv (UTF-8 with a "
                                 "byte-order mark), tsv (UTF-8) or jsonl (JSON Lines, one object per match); every "
                                 "format but txt is written in utf-8 into result.csv, result.tsv or result.jsonl "
                                 "unless -o says otherwise")))
      ->check(CLI::IsMember(names))
      ->capture_default_str();
}

}  // namespace hanabira
