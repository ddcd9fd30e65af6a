// `hanabira-cli merge`: the shards of one search joined into the file a single search of
// it writes, byte for byte: the header once, then the lines of shards 1 to N in order.
// Every shard is checked before anything is kept: records from one search, every shard
// there once, each complete, its data as long as its record says and of the same SHA-1
// and count of lines, none of them the output. A merge that fails or is stopped leaves no
// output file and an existing one as it was.
#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "cli/cli_app.h"

namespace hanabira {

struct MergeOptions {
  std::vector<std::string> shards;  // data files, or their records
  std::string outputPath = "result.txt";
  bool quiet = false;
};

// Adds the command to `app`; `options` is filled when it is given.
CLI::App* addMergeCommand(CLI::App& app, MergeOptions& options);

// Prints errors and a summary on the error stream; returns the exit code: exitInvalidInput
// for shards that do not make one whole search, exitIoFailure for a file that cannot be
// read or written, abortedExitCode() when `environment.cancel` stopped it.
int runMerge(const MergeOptions& options, const CliEnvironment& environment);

}  // namespace hanabira
