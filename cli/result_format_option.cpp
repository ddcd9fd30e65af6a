#include "cli/result_format_option.h"

#include <fmt/format.h>

#include "cli/cli_app.h"
#include "i18n/translate.h"

namespace hanabira {

ResultFormat ResultFormatOption::chosen(std::optional<ResultFormat> fromSettings) const {
  if (!name.empty()) return *resultFormatFromName(name);
  return fromSettings.value_or(ResultFormat::Txt);
}

CLI::Option* addResultFormatOption(CLI::App& parser, ResultFormatOption& option) {
  std::vector<std::string> names;
  for (ResultFormat format : resultFormats) names.emplace_back(resultFormatName(format));
  option.option =
      parser
          .add_option("--format", option.name,
                      std::string(tr("Format of the result file: txt (comma-separated, as always), csv (UTF-8 with a "
                                     "byte-order mark), tsv (UTF-8) or jsonl (JSON Lines, one object per match); "
                                     "every format but txt is written in utf-8 into result.csv, result.tsv or "
                                     "result.jsonl unless -o says otherwise")))
          ->check(CLI::IsMember(names));
  return option.option;
}

std::string defaultOutputPath(ResultFormat format) { return fmt::format("result.{}", resultFormatName(format)); }

void refuseOtherEncoding(ResultFormat format, const ResultTextOptions& text) {
  const bool encodingGiven = text.encodingOption != nullptr && text.encodingOption->count() > 0;
  if (format != ResultFormat::Txt && encodingGiven && text.encoding != "utf-8") {
    throw CliError(exitInvalidInput, trf("--format {} writes UTF-8; --encoding {} is for --format txt",
                                         resultFormatName(format), text.encoding));
  }
}

TextEncoding searchEncoding(ResultFormat format, const ResultTextOptions& text, ResultLanguage language) {
  return format != ResultFormat::Txt ? TextEncoding::Utf8 : text.encodingFor(language);
}

}  // namespace hanabira
