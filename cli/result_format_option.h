// --format of a command that writes a search's result file: txt (the file as it has
// always been) or a format other tools read, always UTF-8, into result.csv, result.tsv or
// result.jsonl unless -o says otherwise.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

#include "cli/shared_options.h"
#include "engine/result_sink.h"
#include "evaluate/result_formats.h"

namespace hanabira {

struct ResultFormatOption {
  std::string name = "txt";

  ResultFormat format() const { return *resultFormatFromName(name); }
  bool converts() const { return format() != ResultFormat::Txt; }
  // The result file unless -o names one: result.txt, result.csv, ...
  std::string defaultOutputPath() const;
  // Every format but txt is UTF-8; throws CLI::ValidationError for --encoding cp932 with one.
  void refuseOtherEncoding(const ResultTextOptions& text) const;
  // The encoding of the lines the search writes: UTF-8 for a format to convert them to.
  TextEncoding searchEncoding(const ResultTextOptions& text, ResultLanguage language) const;
};

CLI::Option* addResultFormatOption(CLI::App& parser, ResultFormatOption& option);

}  // namespace hanabira
