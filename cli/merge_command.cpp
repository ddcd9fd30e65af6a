// `hanabira-cli merge`: the shards of one search joined into the file a single search of
// it writes, byte for byte: the header once (with CSV's byte-order mark; JSON Lines has
// none), then the lines of shards 1 to N in order.
// Every shard is checked before anything is kept: records from one search, every shard
// there once, each complete, its data as long as its record says and of the same SHA-1
// and count of lines, none of them the output. A merge that fails or is stopped leaves no
// output file and an existing one as it was.
#include <fmt/format.h>
#include <fmt/ostream.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "cli/command.h"
#include "cli/output_file.h"
#include "cli/progress_line.h"
#include "cli/shard_record.h"
#include "core/sha1_hasher.h"
#include "core/utf8_path.h"
#include "engine/result_sink.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

namespace fs = std::filesystem;

CliError refused(const std::string& message) { return CliError(exitInvalidInput, message); }

struct Shard {
  std::string name;  // the data file, as given
  ShardRecord record;
};

// Records are a few hundred bytes; anything much longer is not one.
constexpr std::size_t maxRecordBytes = 1 << 16;

Shard loadShard(const std::string& argument) {
  std::string name = argument;
  if (name.ends_with(shardRecordSuffix)) name.resize(name.size() - shardRecordSuffix.size());
  const fs::path recordPath = shardRecordPath(pathFromUtf8(name));

  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(openFile(recordPath, "rb"), &std::fclose);
  if (!file) {
    const int error = errno;
    if (error == ENOENT && fs::exists(pathFromUtf8(name))) {
      throw refused(trf("'{}' is not a shard: there is no record '{}' beside it", name, utf8FromPath(recordPath)));
    }
    const std::string what =
        error == ENOENT ? trf("shard '{}'", name) : trf("shard record '{}'", utf8FromPath(recordPath));
    throw CliError(exitIoFailure, trf("cannot read {}: {}", what, std::strerror(error)));
  }
  std::string text(maxRecordBytes + 1, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), file.get()));
  if (std::ferror(file.get())) {
    throw CliError(exitIoFailure,
                   trf("cannot read shard record '{}': {}", utf8FromPath(recordPath), std::strerror(errno)));
  }
  try {
    return {name, parseShardRecord(text)};
  } catch (const ShardRecordError& error) {
    throw refused(trf("'{}' is not a shard: '{}' is {}", name, utf8FromPath(recordPath), error.what()));
  }
}

std::string shardOf(const ShardRecord& record) { return trf("shard {} of {}", record.shard.index, record.shard.count); }

// Shards of one search, each there once, complete and of the size its record says; in
// shard order.
std::vector<Shard> checkedShards(const std::vector<std::string>& arguments) {
  std::vector<Shard> shards;
  for (const std::string& argument : arguments) shards.push_back(loadShard(argument));

  // Every shard is held to the first one given.
  const std::string firstName = shards.front().name;
  const ShardRecord first = shards.front().record;
  const std::uint32_t count = first.shard.count;
  for (const auto& [name, record] : shards) {
    if (!record.complete) {
      throw refused(trf("'{}' is incomplete: the search of its {} did not finish", name, shardOf(record)));
    }
    if (record.search != first.search || record.moments != first.moments) {
      throw refused(
          trf("'{}' is a shard of another search than '{}' (other settings, encoding or version)", name, firstName));
    }
    if (record.shard.count != count) {
      throw refused(trf("'{}' is {}, but '{}' is {}", name, shardOf(record), firstName, shardOf(first)));
    }
  }

  std::stable_sort(shards.begin(), shards.end(),
                   [](const Shard& a, const Shard& b) { return a.record.shard.index < b.record.shard.index; });
  for (std::size_t i = 1; i < shards.size(); ++i) {
    if (shards[i].record.shard.index == shards[i - 1].record.shard.index) {
      throw refused(trf("'{}' and '{}' are both {}", shards[i - 1].name, shards[i].name, shardOf(shards[i].record)));
    }
  }
  // Distinct and sorted: the first shard missing is the first place whose shard differs.
  for (std::uint32_t index = 1; index <= count; ++index) {
    if (index > shards.size() || shards[index - 1].record.shard.index != index) {
      throw refused(
          trf("shard {} of {} is missing ('{}' is {} of the search)", index, count, firstName, shardOf(first)));
    }
  }

  for (const auto& [name, record] : shards) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(pathFromUtf8(name), error);
    if (error) throw CliError(exitIoFailure, trf("cannot read shard '{}': {}", name, error.message()));
    if (size != record.bytes) {
      throw refused(trf("'{}' {}: it holds {} bytes, its record says {}", name,
                        size < record.bytes ? tr("is truncated") : tr("has changed"), size, record.bytes));
    }
  }
  return shards;
}

// A merge stopped by a signal.
struct MergeStopped {
  bool partWritten = false;  // to an output written in place
};

// The shards' data into `out` (or nowhere), the header of the first alone; throws when a
// shard's bytes are not those its record describes, and MergeStopped when `cancel` is
// set. Returns the lines of matches.
std::uint64_t joinShards(const std::vector<Shard>& shards, ResultSink* out, const std::atomic<bool>* cancel) {
  const bool headed = hasHeaderLine(shards.front().record.format);
  std::string header;
  std::string block(1 << 16, '\0');
  std::uint64_t lines = 0;
  for (const Shard& shard : shards) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(openFile(pathFromUtf8(shard.name), "rb"), &std::fclose);
    auto unreadable = [&] {
      return CliError(exitIoFailure, trf("cannot read shard '{}': {}", shard.name, std::strerror(errno)));
    };
    if (!file) throw unreadable();
    Sha1Hasher hasher;
    std::uint64_t size = 0;
    std::uint64_t lineEnds = 0;  // the header's too
    std::size_t got;
    while ((got = std::fread(block.data(), 1, block.size(), file.get())) > 0) {
      if (cancel != nullptr && cancel->load()) throw MergeStopped();
      std::string_view bytes(block.data(), got);
      hasher.update(bytes);
      // An LF is never part of a CP932 character.
      lineEnds += static_cast<std::uint64_t>(std::count(bytes.begin(), bytes.end(), '\n'));
      // Every shard but JSON Lines' starts with the header line of its search; the file
      // takes the first.
      if (headed && size == 0 && header.empty()) {
        const std::size_t end = bytes.find("\r\n");
        if (end == std::string_view::npos) throw refused(trf("'{}' has no header line", shard.name));
        header = bytes.substr(0, end + 2);
      } else if (headed && size == 0) {
        if (!bytes.starts_with(header)) {
          throw refused(trf("'{}' does not start with the header of '{}'", shard.name, shards.front().name));
        }
        bytes.remove_prefix(header.size());
      }
      size += got;
      if (out != nullptr) out->write(bytes);
    }
    if (std::ferror(file.get())) throw unreadable();
    if (size != shard.record.bytes || hasher.hexDigest() != shard.record.sha1) {
      throw refused(trf("'{}' has changed since its search wrote it: its SHA-1 differs from its record's", shard.name));
    }
    // The SHA-1 covers the lines, not the record's count of them.
    const std::uint64_t matches = !headed ? lineEnds : lineEnds > 0 ? lineEnds - 1 : 0;
    if (matches != shard.record.lines) {
      throw refused(trf("'{}' holds {}, but its record says {}", shard.name,
                        trnf("{} match", "{} matches", matches, matches), shard.record.lines));
    }
    lines += matches;
  }
  return lines;
}

// A merge that replaced one of its shards would lose it.
void refuseShardAsOutput(const std::vector<Shard>& shards, const std::string& outputPath) {
  const fs::path place = outputPlace(pathFromUtf8(outputPath));
  for (const Shard& shard : shards) {
    const fs::path data = pathFromUtf8(shard.name);
    for (const fs::path& input : {data, shardRecordPath(data)}) {
      std::error_code error;
      if (fs::equivalent(input, place, error)) {
        throw refused(trf("-o {}: '{}' is a shard of the merge; write the merge to another file", outputPath,
                          utf8FromPath(input)));
      }
    }
  }
}

// Every shard checked whole before the first byte goes where it cannot be taken back
// (standard output, a device, a FIFO); a file is replaced only once every shard is in.
std::uint64_t mergeInto(const std::vector<Shard>& shards, const std::string& outputPath,
                        const std::atomic<bool>* cancel) {
  if (outputPath != "-") refuseShardAsOutput(shards, outputPath);
  OutputFile output = outputPath == "-" ? OutputFile::standardOutput()
                                        : OutputFile(pathFromUtf8(outputPath), OutputFile::AtOnce::Discard);
  if (output.inPlace()) joinShards(shards, nullptr, cancel);
  try {
    const std::uint64_t lines = joinShards(shards, &output.sink(), cancel);
    output.commit();
    return lines;
  } catch (MergeStopped& stopped) {
    stopped.partWritten = output.inPlace();
    throw;
  }
}

struct MergeOptions {
  std::vector<std::string> shards;        // data files, or their records
  std::string outputPath = "result.txt";  // result.csv ... for shards of another format
  bool quiet = false;
};

class MergeCommand final : public Command {
 public:
  explicit MergeCommand(CLI::App& parser) {
    parser
        .add_option("shards", options_.shards,
                    std::string(tr("The shards' data files (or their .shard.json records), in any order")))
        ->required();
    output_ = addOutputOption(parser, options_.outputPath);
    addQuietFlag(parser, options_.quiet);
  }

  // exitInvalidInput for shards that do not make one whole search, exitIoFailure for a
  // file that cannot be read or written, abortedExitCode() when `env.cancel` stopped it.
  int run(const CliEnvironment& env) override {
    try {
      const std::vector<Shard> shards = checkedShards(options_.shards);
      if (output_->count() == 0) {
        options_.outputPath = fmt::format("result.{}", resultFormatName(shards.front().record.format));
      }
      const std::string output = outputName();
      const std::uint64_t lines = mergeInto(shards, options_.outputPath, env.cancel);
      if (!options_.quiet) {
        const std::uint64_t moments = shards.front().record.moments;
        fmt::print(env.err, "{}\n",
                   trf("{} in {} of {}; written to {}", trnf("{} match", "{} matches", lines, lines),
                       trnf("{} shard", "{} shards", shards.size(), shards.size()),
                       trnf("{} boot moment", "{} boot moments", moments, moments), output));
      }
      return exitDone;
    } catch (const MergeStopped& stopped) {
      const std::string output = outputName();
      const std::string left = stopped.partWritten          ? trf("{} holds only its start", output)
                               : options_.outputPath == "-" ? std::string(tr("nothing went to standard output"))
                                                            : trf("{} is as it was", output);
      fmt::print(env.err, "{}\n", trf("aborted: the merge did not finish; {}", left));
      return abortedExitCode(env);
    }
  }

 private:
  std::string outputName() const {
    return options_.outputPath == "-" ? std::string(tr("standard output")) : options_.outputPath;
  }

  MergeOptions options_;
  CLI::Option* output_ = nullptr;
};

}  // namespace

std::unique_ptr<Command> declareMergeCommand(CLI::App& parser, SharedOptions&) {
  return std::make_unique<MergeCommand>(parser);
}

}  // namespace hanabira
