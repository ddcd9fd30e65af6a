// --format of a command that writes a search's result file: txt (the file as it has
// always been) or a format other tools read, always UTF-8, into result.csv, result.tsv or
// result.jsonl unless -o says otherwise; over the settings file's "resultFormat".
#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

#include "cli/shared_options.h"
#include "evaluate/result_formats.h"

namespace hanabira {

struct ResultFormatOption {
  std::string name;  // empty: not given
  CLI::Option* option = nullptr;

  // --format, else the settings file's, else txt.
  ResultFormat chosen(std::optional<ResultFormat> fromSettings) const;
};

CLI::Option* addResultFormatOption(CLI::App& parser, ResultFormatOption& option);

// The result file unless -o names one: result.txt, result.csv, ...
std::string defaultOutputPath(ResultFormat format);
// Every format but txt is UTF-8; throws CliError (invalid input) for --encoding cp932 with one.
void refuseOtherEncoding(ResultFormat format, const ResultTextOptions& text);
// The encoding of the lines the search writes: UTF-8 for a format to convert them to.
TextEncoding searchEncoding(ResultFormat format, const ResultTextOptions& text, ResultLanguage language);

}  // namespace hanabira
